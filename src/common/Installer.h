#pragma once
// Port: the eight Windows Installer operations the control uses.
#include <cstdint>
#include <string>

namespace zu {

using InstallerHandle = std::uint32_t;

namespace msi {
inline constexpr int stateInstalled = 5;              // INSTALLSTATE_DEFAULT
inline constexpr int stateLocal = 3;                  // INSTALLSTATE_LOCAL
inline constexpr int stateSource = 4;                 // INSTALLSTATE_SOURCE
inline constexpr int uiNone = 2;                      // INSTALLUILEVEL_NONE
inline constexpr int uiBasic = 3;                     // INSTALLUILEVEL_BASIC
inline constexpr std::uint32_t errorMoreData = 234;   // ERROR_MORE_DATA
}  // namespace msi

class Installer {
public:
    virtual ~Installer() = default;
    // MsiQueryProductState.
    virtual int queryProductState(const std::string& productCode) = 0;
    // MsiSetInternalUI(level, no window).
    virtual void setInternalUI(int level) = 0;
    // MsiOpenProduct: 0 and a handle on success.
    virtual std::uint32_t openProduct(const std::string& productCode, InstallerHandle& handle) = 0;
    // MsiGetProductProperty. `buffer` is the caller's buffer of `length` characters
    // (in); on return `length` is the value's length without the zero. 234 when the
    // buffer is too small.
    virtual std::uint32_t getProductProperty(InstallerHandle handle, const std::string& name,
                                             std::string& buffer, std::uint32_t& length) = 0;
    // MsiCloseHandle.
    virtual void closeHandle(InstallerHandle handle) = 0;
    // MsiGetComponentPath with a buffer of `length` characters (in); the install state
    // is returned, the path and its length come back through the references.
    virtual int getComponentPath(const std::string& productCode, const std::string& componentCode,
                                 std::string& path, std::uint32_t& length) = 0;
    // MsiApplyPatch(patch, no package, install type 0, command line).
    virtual std::uint32_t applyPatch(const std::string& patchPath, const std::string& commandLine) = 0;
    // MsiInstallProduct(package, command line).
    virtual std::uint32_t installProduct(const std::string& packagePath, const std::string& commandLine) = 0;
};

}  // namespace zu
