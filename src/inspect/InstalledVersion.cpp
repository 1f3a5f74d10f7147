#include "inspect/InstalledVersion.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "inspect/Registry.h"

namespace zu {

namespace {
constexpr std::uint32_t kSubkeyNameChars = 65;  // 64 characters and the terminating zero

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

int compareComponent(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

bool isPositive(const std::vector<std::string>& v) {
    for (const std::string& c : v)
        if (c != "0") return true;
    return false;
}
}  // namespace

std::vector<std::string> leadingVersion(std::string_view name) {
    std::size_t i = 0;
    while (i < name.size() && std::isspace(static_cast<unsigned char>(name[i]))) ++i;
    if (i < name.size() && name[i] == '+') ++i;
    std::vector<std::string> parts;
    while (i < name.size() && isDigit(name[i])) {
        std::size_t end = i;
        while (end < name.size() && isDigit(name[end])) ++end;
        std::string digits(name.substr(i, end - i));
        const auto firstNonZero = digits.find_first_not_of('0');
        parts.push_back(firstNonZero == std::string::npos ? "0" : digits.substr(firstNonZero));
        // Another component only when a digit follows the dot ("6." is just 6).
        if (end + 1 < name.size() && name[end] == '.' && isDigit(name[end + 1]))
            i = end + 1;
        else
            break;
    }
    return parts;
}

int compareVersions(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    static const std::string zero = "0";
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int c = compareComponent(i < a.size() ? a[i] : zero, i < b.size() ? b[i] : zero);
        if (c != 0) return c;
    }
    return 0;
}

std::string findInstalledVersion(Registry& registry, const std::string& productName) {
    auto key = registry.open(RegistryRoot::LocalMachine, "Software\\Velmora\\" + productName);
    if (!key) return noInstalledVersion;
    const auto count = key->subkeyCount();
    if (!count) return noInstalledVersion;

    std::string result = noInstalledVersion;
    std::vector<std::string> best;  // nothing chosen yet: any positive number beats it
    for (std::uint32_t i = 0; i < *count; ++i) {
        const auto name = key->subkeyName(i, kSubkeyNameChars);
        if (!name) return noInstalledVersion;
        const auto version = leadingVersion(*name);
        if (!isPositive(version)) continue;
        // Strictly greater: of equal numbers the first enumerated stays.
        if (best.empty() || compareVersions(version, best) > 0) {
            best = version;
            result = *name;
        }
    }
    return result;
}

}  // namespace zu
