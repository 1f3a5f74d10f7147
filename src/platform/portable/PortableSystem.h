#pragma once
// Small portable adapters: XDG application-data folder, UTF-8 locale, mktime clock,
// random UUIDs.
#include "common/Locale.h"
#include "control/Shell.h"
#include "inspect/LocalClock.h"
#include "update/UuidSource.h"

namespace zu {

// $XDG_CONFIG_HOME, else ~/.config.
class XdgShell final : public Shell {
public:
    std::string appDataFolder() override;
};

// UTF-8 text: no double-byte lead bytes; lower-casing of ASCII and Latin-1 letters.
class Utf8Locale final : public Locale {
public:
    bool isLeadByte(unsigned char) const override { return false; }
    std::string toLower(std::string_view text) const override;
};

class MktimeClock final : public LocalClock {
public:
    std::optional<std::int64_t> toInstant(const CivilTime& t) const override;
};

class RandomUuidSource final : public UuidSource {
public:
    std::string newUuid() override;
};

}  // namespace zu
