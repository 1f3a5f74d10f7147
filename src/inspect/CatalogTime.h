#pragma once
// The release time of a catalogued file: "day-month-year hour:minute:second" in local time.
#include <cstdint>
#include <optional>
#include <string_view>

#include "inspect/LocalClock.h"

namespace zu {

// Reads the six numbers the way "%d-%d-%d %d:%d:%d" scans them (blanks before each
// number, an optional sign, "-" and ":" matched exactly, any blanks for the space,
// anything after the sixth number ignored). Nothing when fewer than six are read.
std::optional<CivilTime> scanLastModified(std::string_view text);

// Seconds since 1970 UTC of `text` read as local time with the mktime rules (fields out
// of range normalised, daylight saving by the calendar of that date). Throws
// ComError(invalidArg) when the text does not hold six numbers or the instant falls
// outside 1 January 1970 00:00:00 UTC .. 31 December 3000 23:59:59 UTC.
std::int64_t catalogInstant(const LocalClock& clock, std::string_view text);

}  // namespace zu
