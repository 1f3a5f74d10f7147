// The address of the setups catalogue request.
#include <gtest/gtest.h>

#include "catalog/RequestUrl.h"
#include "support/SidePorts.h"

namespace zu {
namespace {

TEST(RequestUrlTest, AppendsProductAndVersionUnlessTheUrlNamesTheProduct) {
    const auto locale = test::makeSideLocale();
    struct Case {
        const char *url, *product, *version, *expected;
    };
    const Case cases[] = {
        // Sent exactly as given: never upper-cased.
        {"http://srv/Upd/cat.asp", "Dic", "3.0", "http://srv/Upd/cat.asp?productName=Dic&productVersion=3.0"},
        {"http://srv/Upd/cat.asp?lang=pt", "Dic", "3.0",
         "http://srv/Upd/cat.asp?lang=pt&productName=Dic&productVersion=3.0"},
        {"http://srv/cat.asp?", "Dic", "3.0", "http://srv/cat.asp?productName=Dic&productVersion=3.0"},
        {"http://srv/cat.asp?a=1&", "Dic", "3.0", "http://srv/cat.asp?a=1&productName=Dic&productVersion=3.0"},
        // The product already named, in any case: nothing appended.
        {"http://srv/cat.asp?productname=Dic", "Dic", "3.0", "http://srv/cat.asp?productname=Dic"},
        {"http://srv/cat.asp?x=1&ProductName=Dic&v=2", "Other", "1", "http://srv/cat.asp?x=1&ProductName=Dic&v=2"},
        {"http://srv/cat.asp?PRODUCTNAME", "Dic", "3.0",
         "http://srv/cat.asp?PRODUCTNAME&productName=Dic&productVersion=3.0"},
        // Only after the first character.
        {"productName=x", "Dic", "3.0", "productName=x?productName=Dic&productVersion=3.0"},
        {"?productName=x", "Dic", "3.0", "?productName=x"},
        // The appended values are percent-encoded.
        {"http://srv/cat.asp", "Dicionário & Co", "6.5 SP1",
         "http://srv/cat.asp?productName=Dicion%C3%A1rio%20%26%20Co&productVersion=6.5%20SP1"},
        {"http://srv/cat.asp", "a-b_c.d~e/f?g=h#i+j", "1",
         "http://srv/cat.asp?productName=a-b_c.d~e%2Ff%3Fg%3Dh%23i%2Bj&productVersion=1"},
    };
    for (const Case& c : cases) EXPECT_EQ(setupsRequestUrl(c.url, c.product, c.version, *locale), c.expected) << c.url;
}

TEST(RequestUrlTest, PercentEncodesBytesOutsideTheUnreservedSet) {
    EXPECT_EQ(percentEncode(std::string("\xE1\x01 %", 4)), "%E1%01%20%25");
    EXPECT_EQ(percentEncode("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ(percentEncode(""), "");
}

}  // namespace
}  // namespace zu
