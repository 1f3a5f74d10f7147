#include "platform/portable/PortableSystem.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>

namespace zu {

std::string XdgShell::appDataFolder() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return xdg;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* pw = ::getpwuid(::getuid());
        home = pw ? pw->pw_dir : nullptr;
    }
    return home && *home ? std::string(home) + "/.config" : std::string();
}

std::string Utf8Locale::toLower(std::string_view text) const {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // U+00C0..U+00DE (but U+00D7) are C3 80..C3 9E; their lower case is +0x20.
            auto d = static_cast<unsigned char>(out[i + 1]);
            if (d >= 0x80 && d <= 0x9E && d != 0x97) out[i + 1] = static_cast<char>(d + 0x20);
            ++i;
        }
    }
    return out;
}

std::optional<std::int64_t> MktimeClock::toInstant(const CivilTime& t) const {
    std::tm tm = toBrokenDownTime(t);
    const std::time_t result = std::mktime(&tm);
    if (result == static_cast<std::time_t>(-1)) return std::nullopt;
    return static_cast<std::int64_t>(result);
}

std::string RandomUuidSource::newUuid() {
    std::ifstream kernel("/proc/sys/kernel/random/uuid");
    std::string text;
    if (kernel && std::getline(kernel, text) && text.size() == 36) return text;
    std::random_device rd;
    char buf[37];
    unsigned v[8];
    for (unsigned& x : v) x = rd() & 0xFFFFu;
    std::snprintf(buf, sizeof buf, "%04x%04x-%04x-4%03x-%04x-%04x%04x%04x", v[0], v[1], v[2], v[3] & 0xFFFu,
                  (v[4] & 0x3FFFu) | 0x8000u, v[5], v[6], v[7]);
    return buf;
}

}  // namespace zu
