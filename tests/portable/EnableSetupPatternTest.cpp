// A setup id that breaks the selection pattern fails the document call, and the failure
// reaches the caller. Native only: Wine's msxml3 crashes on the unterminated quote
// instead of failing as MSXML does.
#include <gtest/gtest.h>

#include "common/ComError.h"
#include "inspect/CompareFolder.h"
#include "support/SidePorts.h"

namespace zu {
namespace {

TEST(EnableSetupPatternTest, IdWithAQuoteFailsTheSelection) {
    const auto xml = test::makeSideXmlFactory();
    XmlDocument doc = xml->createDocument();
    ASSERT_TRUE(doc.loadXML("<catalog><setups><setup id=\"3\"/></setups></catalog>"));
    const XmlNode setups = doc.selectSingleNode("catalog/setups");
    EXPECT_THROW(enableSetup(setups, "O'Neil"), ComError);
    EXPECT_FALSE(setups.selectSingleNode("setup").getAttribute("enable"));
}

}  // namespace
}  // namespace zu
