// The error catalogue handed to the page when setups cannot be evaluated.
#include <gtest/gtest.h>

#include "catalog/LoadCatalog.h"
#include "support/SidePorts.h"

namespace zu {
namespace {

TEST(ErrorCatalogTest, MessageFillsThePlaceholderInQuotes) {
    EXPECT_EQ(makeErrorCatalog("Erro"),
              "<catalog><errors><error id=\"0\"><summary>\"Erro\"</summary></error></errors></catalog>");
}

TEST(ErrorCatalogTest, MarkupInTheMessageIsEscapedAndStaysWellFormed) {
    const std::string message = "A & B <C> \"D\"";
    const std::string text = makeErrorCatalog(message);
    EXPECT_NE(text.find("\"A &amp; B &lt;C&gt; &quot;D&quot;\""), std::string::npos);
    auto factory = test::makeSideXmlFactory();
    XmlDocument doc = factory->createDocument();
    ASSERT_TRUE(doc.loadXML(text));
    EXPECT_EQ(doc.selectSingleNode("catalog/errors/error/summary").text(), "\"" + message + "\"");
}

}  // namespace
}  // namespace zu
