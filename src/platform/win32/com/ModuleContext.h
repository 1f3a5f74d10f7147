#pragma once
// What every object of the module needs to know about the module: its instance handle
// (resources, file path) and the count of live objects and locks (DllCanUnloadNow).
// The one instance lives in Module.cpp; objects receive it by reference.
#include <windows.h>
#include <ole2.h>

#include <string>

namespace zu::win {

class ModuleContext {
public:
    explicit ModuleContext(HINSTANCE instance = nullptr) : instance_(instance) {}
    void setInstance(HINSTANCE instance) { instance_ = instance; }
    HINSTANCE instance() const { return instance_; }

    void lock() { InterlockedIncrement(&locks_); }
    void unlock() { InterlockedDecrement(&locks_); }
    bool canUnload() const { return locks_ == 0; }

    // Full path of the module file ("" when unknown).
    std::wstring path() const {
        wchar_t buffer[MAX_PATH] = {};
        const DWORD n = GetModuleFileNameW(instance_, buffer, MAX_PATH);
        return std::wstring(buffer, n);
    }

private:
    HINSTANCE instance_;
    volatile LONG locks_ = 0;
};

// Holds one module lock for the lifetime of an object.
class ModuleLock {
public:
    explicit ModuleLock(ModuleContext& module) : module_(module) { module_.lock(); }
    ~ModuleLock() { module_.unlock(); }
    ModuleLock(const ModuleLock&) = delete;
    ModuleLock& operator=(const ModuleLock&) = delete;
    ModuleContext& module() const { return module_; }

private:
    ModuleContext& module_;
};

}  // namespace zu::win
