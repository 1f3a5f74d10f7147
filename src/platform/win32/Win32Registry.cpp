#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace zu {

namespace {

// An open key, closed with the object.
class Win32Key final : public RegistryKey {
public:
    explicit Win32Key(HKEY key) : key_(key) {}
    ~Win32Key() override { RegCloseKey(key_); }
    Win32Key(const Win32Key&) = delete;
    Win32Key& operator=(const Win32Key&) = delete;

    std::optional<std::uint32_t> subkeyCount() override {
        DWORD subkeys = 0;
        if (RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr) != ERROR_SUCCESS)
            return std::nullopt;
        return static_cast<std::uint32_t>(subkeys);
    }

    std::optional<std::string> subkeyName(std::uint32_t index, std::uint32_t nameChars) override {
        std::string name(nameChars, '\0');
        DWORD length = nameChars;
        if (RegEnumKeyExA(key_, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return std::nullopt;
        name.resize(length);
        return name;
    }

    std::optional<RegistryValue> value(std::uint32_t index, std::uint32_t nameChars,
                                       std::uint32_t dataBytes) override {
        std::string name(nameChars, '\0');
        std::vector<BYTE> data(dataBytes ? dataBytes : 1);
        DWORD nameLength = nameChars;
        DWORD dataLength = dataBytes;
        DWORD type = 0;
        if (RegEnumValueA(key_, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength) !=
            ERROR_SUCCESS)
            return std::nullopt;
        RegistryValue v;
        v.name.assign(name.data(), nameLength);
        v.type = type;
        const char* bytes = reinterpret_cast<const char*>(data.data());
        if (type == REG_SZ) {
            // The text up to its terminating zero (stored data need not carry one).
            std::size_t n = 0;
            while (n < dataLength && bytes[n] != '\0') ++n;
            v.data.assign(bytes, n);
        } else {
            v.data.assign(bytes, dataLength);
        }
        return v;
    }

private:
    HKEY key_;
};

HKEY predefined(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::open(RegistryRoot root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(predefined(root), path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32Key>(key);
}

}  // namespace zu
