#pragma once
// Port: read-only registry access with the explicit buffer limits the probes rely on.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace zu {

enum class RegistryRoot : std::uint32_t {
    CurrentUser = 0x80000001,   // HKEY_CURRENT_USER
    LocalMachine = 0x80000002,  // HKEY_LOCAL_MACHINE
};

inline constexpr std::uint32_t regSz = 1;  // REG_SZ

struct RegistryValue {
    std::string name;
    std::uint32_t type = 0;
    std::string data;  // for REG_SZ: the text up to its terminating zero; otherwise raw bytes
};

class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // RegQueryInfoKey: the number of subkeys, or nothing when the call fails.
    virtual std::optional<std::uint32_t> subkeyCount() = 0;
    // RegEnumKeyEx with a name buffer of `nameChars` characters (terminating zero
    // included): nothing when the index is past the end or the name does not fit.
    virtual std::optional<std::string> subkeyName(std::uint32_t index, std::uint32_t nameChars) = 0;
    // RegEnumValue with a name buffer of `nameChars` characters and a data buffer of
    // `dataBytes` bytes: nothing at the end of the values or when name or data do not fit.
    virtual std::optional<RegistryValue> value(std::uint32_t index, std::uint32_t nameChars,
                                               std::uint32_t dataBytes) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens the key read-only (KEY_READ); null when it cannot be opened.
    virtual std::unique_ptr<RegistryKey> open(RegistryRoot root, const std::string& path) = 0;
};

}  // namespace zu
