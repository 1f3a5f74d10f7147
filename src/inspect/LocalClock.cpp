#include "inspect/LocalClock.h"

namespace zu {

std::tm toBrokenDownTime(const CivilTime& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;  // the calendar decides daylight saving
    return tm;
}

}  // namespace zu
