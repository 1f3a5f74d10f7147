// Release times of catalogued files: six numbers read as local time with mktime rules.
#include <gtest/gtest.h>

#include <array>

#include "common/ComError.h"
#include "inspect/CatalogTime.h"
#include "support/SidePorts.h"

namespace zu {
namespace {

std::optional<std::int64_t> instantOf(const LocalClock& clock, const std::string& text) {
    try {
        return catalogInstant(clock, text);
    } catch (const ComError& e) {
        EXPECT_EQ(e.code(), hr::invalidArg) << text;
        return std::nullopt;
    }
}

TEST(CatalogTimeTest, LocalTimesFollowTheirOwnDateDaylightSaving) {
    test::ScopedTimeZone lisbon("Europe/Lisbon");
    if (!lisbon.active()) GTEST_SKIP() << "the Lisbon time zone is not in force";
    const auto clock = test::makeSideClock();
    struct Case {
        const char* text;
        std::optional<std::int64_t> expected;
    };
    const Case cases[] = {
        {"25-12-2004 13:45:00", 1103982300},         // winter: UTC+0
        {"25-07-2004 13:45:00", 1090759500},         // summer: UTC+1
        {" 25-12-2004   13:45:00 extra", 1103982300},  // blanks before numbers, anything after
        {"25-12-200413:45:00", std::nullopt},         // the year swallows the hour
        {"31-04-2005 10:00:00", 1114938000},         // 1 May 2005
        {"01-05-2005 10:00:00", 1114938000},
        {"0-5-2005 34:00:00", 1114938000},          // 30 April + 34 hours
        {"2004-12-25 13:45:00", std::nullopt},        // year 25
        {"25-12-04 13:45:00", std::nullopt},          // year 4
        {"25-12-2004", std::nullopt},                 // fewer than six numbers
        {"25-12-2004 13:45", std::nullopt},
        {"25/12/2004 13:45:00", std::nullopt},
        {"25 -12-2004 13:45:00", std::nullopt},       // "-" follows the number directly
        {"", std::nullopt},
        {"01-01-3001 00:00:00", std::nullopt},        // after 3000
        {"31-12-3000 23:59:59", 32535215999},
    };
    for (const Case& c : cases) EXPECT_EQ(instantOf(*clock, c.text), c.expected) << c.text;
}

TEST(CatalogTimeTest, AcceptedRangeIsOfInstants) {
    test::ScopedTimeZone utc("UTC");
    if (!utc.active()) GTEST_SKIP() << "UTC is not in force";
    const auto clock = test::makeSideClock();
    EXPECT_EQ(instantOf(*clock, "01-01-1970 00:00:00"), 0);
    EXPECT_EQ(instantOf(*clock, "31-12-1969 23:59:59"), std::nullopt);
    EXPECT_EQ(instantOf(*clock, "31-12-3000 23:59:59"), 32535215999);
    EXPECT_EQ(instantOf(*clock, "32-12-3000 00:00:00"), std::nullopt);  // normalised into 3001
}

TEST(CatalogTimeTest, ScansTheSixNumbersInItsOwnOrder) {
    const auto t = scanLastModified("7-8-2009 -1:+2:3");
    ASSERT_TRUE(t);
    EXPECT_EQ((std::array{t->day, t->month, t->year, t->hour, t->minute, t->second}),
              (std::array{7, 8, 2009, -1, 2, 3}));
}

}  // namespace
}  // namespace zu
