#include "inspect/CatalogTime.h"

#include <cctype>
#include <limits>

#include "common/ComError.h"

namespace zu {

namespace {
// 3000-12-31 23:59:59 UTC, the last instant the 64-bit mktime of the platform accepts.
constexpr std::int64_t kLastInstant = 32535215999;

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    void skipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    bool literal(char c) {
        if (pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    // "%d": blanks, optional sign, at least one digit; saturates instead of overflowing.
    std::optional<int> number() {
        skipBlanks();
        bool negative = false;
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) negative = text_[pos_++] == '-';
        if (pos_ >= text_.size() || !std::isdigit(static_cast<unsigned char>(text_[pos_]))) return std::nullopt;
        long long value = 0;
        for (; pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])); ++pos_)
            if (value <= std::numeric_limits<int>::max()) value = value * 10 + (text_[pos_] - '0');
        if (value > std::numeric_limits<int>::max()) value = std::numeric_limits<int>::max();
        return static_cast<int>(negative ? -value : value);
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};
}  // namespace

std::optional<CivilTime> scanLastModified(std::string_view text) {
    Scanner s(text);
    CivilTime t;
    auto day = s.number();
    if (!day || !s.literal('-')) return std::nullopt;
    auto month = s.number();
    if (!month || !s.literal('-')) return std::nullopt;
    auto year = s.number();
    if (!year) return std::nullopt;
    s.skipBlanks();  // the space of the format matches any run of blanks, none included
    auto hour = s.number();
    if (!hour || !s.literal(':')) return std::nullopt;
    auto minute = s.number();
    if (!minute || !s.literal(':')) return std::nullopt;
    auto second = s.number();
    if (!second) return std::nullopt;
    t.day = *day;
    t.month = *month;
    t.year = *year;
    t.hour = *hour;
    t.minute = *minute;
    t.second = *second;
    return t;
}

std::int64_t catalogInstant(const LocalClock& clock, std::string_view text) {
    const auto civil = scanLastModified(text);
    if (!civil) throw ComError(hr::invalidArg, "lastmodified is not a date and time");
    const auto instant = clock.toInstant(*civil);
    if (!instant || *instant < 0 || *instant > kLastInstant)
        throw ComError(hr::invalidArg, "lastmodified is out of range");
    return *instant;
}

}  // namespace zu
