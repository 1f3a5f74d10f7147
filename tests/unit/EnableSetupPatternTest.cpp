// A setup id that would break the selection pattern fails, and the failure reaches the
// caller, before the document ever sees the pattern.
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
