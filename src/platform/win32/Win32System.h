#pragma once
// Small Win32 adapters: the ANSI locale, the C runtime's mktime, the shell's
// application-data folder, RPC UUIDs and the module's string table.
#include <windows.h>

#include "common/Locale.h"
#include "common/Strings.h"
#include "control/Shell.h"
#include "inspect/LocalClock.h"
#include "update/UuidSource.h"

namespace zu {

class AnsiLocale final : public Locale {
public:
    bool isLeadByte(unsigned char byte) const override;
    std::string toLower(std::string_view text) const override;
};

// _mktime64: local time of the C runtime (TZ, or the system's time zone).
class CrtClock final : public LocalClock {
public:
    std::optional<std::int64_t> toInstant(const CivilTime& t) const override;
};

// CSIDL_APPDATA through SHGetSpecialFolderLocation / SHGetPathFromIDListA.
class ShellFolders final : public Shell {
public:
    std::string appDataFolder() override;
};

class RpcUuidSource final : public UuidSource {
public:
    std::string newUuid() override;
};

// LoadStringA from the given module's resources.
class ResourceStrings final : public Strings {
public:
    explicit ResourceStrings(HINSTANCE module) : module_(module) {}
    std::string load(int id) const override;

private:
    HINSTANCE module_;
};

}  // namespace zu
