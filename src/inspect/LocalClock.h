#pragma once
// Port: reading a local calendar date and time as an instant (the C `mktime` rules).
#include <cstdint>
#include <ctime>
#include <optional>

namespace zu {

struct CivilTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class LocalClock {
public:
    virtual ~LocalClock() = default;
    // Seconds since 1970-01-01 UTC of the local time `t`, fields normalised as mktime
    // normalises them (month 13, day 32...) and daylight saving decided by the calendar
    // for that date. Nothing when the conversion fails.
    virtual std::optional<std::int64_t> toInstant(const CivilTime& t) const = 0;
};

// The C runtime's broken-down form of `t`, for the mktime family (daylight saving left
// to the calendar).
std::tm toBrokenDownTime(const CivilTime& t);

}  // namespace zu
