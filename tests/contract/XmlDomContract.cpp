// The DOM port as the catalogue code uses it, run against the side's real adapter
// (pugixml natively, MSXML under Wine).
#include <gtest/gtest.h>


#include "catalog/XmlDom.h"
#include "support/SidePorts.h"

namespace zu {
namespace {

constexpr const char* kCatalog =
    "<?xml version=\"1.0\"?>\n"
    "<catalog>\n"
    "\t<productNameMSI>Zelto Contas</productNameMSI>\n"
    "\t<setups>\n"
    "\t\t<setup id=\"7\" file=\"a.msi\"><name>Sete</name></setup>\n"
    "\t\t<setup id=\"8\" file=\"b.msp\"/>\n"
    "\t\t<setup id=\"70\" file=\"c.msi\"/>\n"
    "\t</setups>\n"
    "\t<dirs>\n"
    "\t\t<dir name=\"bin\"><files name=\"x.dll\"/><files name=\"y.dll\"/></dir>\n"
    "\t\t<dir name=\"doc\"/>\n"
    "\t</dirs>\n"
    "\t<uploading><files name=\"z.log\"/></uploading>\n"
    "\t<errors><error id=\"1\"/><error id=\"2\"/></errors>\n"
    "\t<products>\n"
    "\t\t<product><productCode>{A}</productCode></product>\n"
    "\t\t<product><productCode>{B}</productCode></product>\n"
    "\t</products>\n"
    "</catalog>\n";

// One node as a short text: its name, then its id or name attribute; a leaf's text.
std::string describe(const XmlNode& n) {
    if (n.empty()) return "-";
    std::string out = n.nodeName();
    if (n.kind() == XmlNodeKind::Element) {
        if (auto id = n.getAttribute("id")) return out + "#" + *id;
        if (auto name = n.getAttribute("name")) return out + "#" + *name;
        if (!n.selectNodes("*").empty()) return out;
    }
    return out + "=" + n.text();
}

std::vector<std::string> describe(const XmlNodeList& list) {
    std::vector<std::string> out;
    for (const XmlNode& n : list) out.push_back(describe(n));
    return out;
}

class XmlDomContract : public ::testing::Test {
protected:
    std::unique_ptr<XmlFactory> factory = test::makeSideXmlFactory();
    XmlDocument doc = factory->createDocument();

    void SetUp() override {
        ASSERT_TRUE(doc.loadXML(kCatalog));
        ASSERT_EQ(doc.parseErrorCode(), 0);
    }
    XmlNode at(const std::string& path) const {
        XmlNode n = doc.selectSingleNode(path);
        if (n.empty()) ADD_FAILURE() << "no node at " << path;
        return n;
    }
    // The document serialised and parsed again into a fresh document.
    XmlDocument reparsed() const {
        XmlDocument copy = factory->createDocument();
        EXPECT_TRUE(copy.loadXML(doc.xml())) << doc.xml();
        return copy;
    }
};

TEST_F(XmlDomContract, SelectionPathsFindTheNodesInDocumentOrder) {
    const struct {
        const char* context;  // "" for the document itself
        const char* path;
        std::vector<std::string> expected;
    } cases[] = {
        {"", "catalog", {"catalog"}},
        {"", "catalog/setups", {"setups"}},
        {"", "catalog/dirs", {"dirs"}},
        {"", "catalog/uploading", {"uploading"}},
        {"", "catalog/errors", {"errors"}},
        {"", "catalog/products", {"products"}},
        {"", "catalog/missing", {}},
        {"", "setups", {}},
        {"catalog", "productNameMSI", {"productNameMSI=Zelto Contas"}},
        {"catalog", "*", {"productNameMSI=Zelto Contas", "setups", "dirs", "uploading", "errors", "products"}},
        {"catalog/setups", "setup[@id='7']", {"setup#7"}},
        {"catalog/setups", "setup[@id='70']", {"setup#70"}},
        {"catalog/setups", "setup[@id='9']", {}},
        {"catalog/setups", "setup", {"setup#7", "setup#8", "setup#70"}},
        {"catalog/setups", "setup[@id='7']/name", {"name=Sete"}},
        {"catalog/setups/setup", "*", {"name=Sete"}},
        {"catalog/dirs", "dir", {"dir#bin", "dir#doc"}},
        {"catalog/dirs/dir", "files", {"files#x.dll", "files#y.dll"}},
        {"catalog/dirs/dir", "*", {"files#x.dll", "files#y.dll"}},
        {"catalog/uploading", "files", {"files#z.log"}},
        {"catalog/errors", "error", {"error#1", "error#2"}},
        {"catalog/products", "product/productCode", {"productCode={A}", "productCode={B}"}},
        {"catalog/dirs/dir[@name='doc']", "*", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.context) + " : " + c.path);
        const XmlNode context = *c.context ? at(c.context) : doc.node();
        ASSERT_FALSE(context.empty());
        EXPECT_EQ(describe(context.selectNodes(c.path)), c.expected);
        EXPECT_EQ(describe(context.selectSingleNode(c.path)), c.expected.empty() ? "-" : c.expected.front());
    }
}

TEST_F(XmlDomContract, DocumentElementAndKinds) {
    const XmlNode root = doc.documentElement();
    EXPECT_EQ(root.nodeName(), "catalog");
    EXPECT_EQ(root.kind(), XmlNodeKind::Element);
    EXPECT_EQ(doc.node().kind(), XmlNodeKind::Document);
    EXPECT_EQ(at("catalog/setups/setup").attribute("id").kind(), XmlNodeKind::Attribute);
}

TEST_F(XmlDomContract, TextOfAttributesAndElements) {
    const XmlNode setup = at("catalog/setups/setup[@id='7']");
    EXPECT_EQ(setup.attribute("file").text(), "a.msi");
    EXPECT_EQ(setup.attribute("file").nodeName(), "file");
    EXPECT_EQ(at("catalog/productNameMSI").text(), "Zelto Contas");
    EXPECT_EQ(setup.text(), "Sete");  // the text content of the descendants
    EXPECT_EQ(setup.getAttribute("file"), "a.msi");
}

TEST_F(XmlDomContract, ElementTextLeavesOutTheSpaceAroundIt) {
    const struct {
        const char* xml;
        const char* text;
    } cases[] = {
        {"<a>  Zelto  </a>", "Zelto"},
        {"<a>\n\t<b> x </b> y <c>z</c>\n</a>", "x  y z"},
        {"<a>linha 1\n  linha 2</a>", "linha 1\n  linha 2"},
        {"<a>\n\t<b/>\n</a>", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        XmlDocument d = factory->createDocument();
        ASSERT_TRUE(d.loadXML(c.xml));
        EXPECT_EQ(d.documentElement().text(), c.text);
    }
    XmlDocument d = factory->createDocument();
    ASSERT_TRUE(d.loadXML("<a v=\" spaced \"/>"));
    EXPECT_EQ(d.documentElement().attribute("v").text(), " spaced ");
}

TEST_F(XmlDomContract, NonAsciiTextRoundTrips) {
    // "Actualização" written as references, so that the test holds for any narrow encoding.
    XmlDocument d = factory->createDocument();
    ASSERT_TRUE(d.loadXML("<a v=\"Actualiza&#231;&#227;o\">Actualiza&#231;&#227;o</a>"));
    const XmlNode a = d.documentElement();
    const std::string word = a.text();
    EXPECT_GT(word.size(), std::string("Actualizao").size());
    EXPECT_EQ(a.getAttribute("v"), word);
    a.setAttribute("w", word);
    EXPECT_EQ(a.getAttribute("w"), word);
    XmlDocument copy = factory->createDocument();
    ASSERT_TRUE(copy.loadXML(d.xml()));
    EXPECT_EQ(copy.documentElement().getAttribute("w"), word);
    EXPECT_EQ(copy.documentElement().text(), word);
}

TEST_F(XmlDomContract, AbsentAttributes) {
    const XmlNode setup = at("catalog/setups/setup[@id='8']");
    EXPECT_EQ(setup.getAttribute("enable"), std::nullopt);
    const XmlNode missing = setup.attribute("enable");
    EXPECT_TRUE(missing.empty());
    // Reading an absent attribute is the invalid-pointer failure the catalogue code relies on.
    try {
        (void)missing.text();
        FAIL() << "expected a failure";
    } catch (const ComError& e) {
        EXPECT_EQ(e.code(), hr::pointer);
    }
}

TEST_F(XmlDomContract, SetAttributeAddsOrReplacesAndXmlReflectsIt) {
    const XmlNode setup = at("catalog/setups/setup[@id='8']");
    setup.setAttribute("enable", "1");
    setup.setAttribute("file", "b2.msp");
    EXPECT_EQ(setup.getAttribute("enable"), "1");
    EXPECT_EQ(setup.getAttribute("file"), "b2.msp");
    EXPECT_EQ(setup.attribute("file").text(), "b2.msp");

    const XmlDocument copy = reparsed();
    const XmlNode saved = copy.selectSingleNode("catalog/setups/setup[@id='8']");
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(saved.getAttribute("enable"), "1");
    EXPECT_EQ(saved.getAttribute("file"), "b2.msp");
    // Replaced, not added twice: the copy would not have parsed otherwise, and the
    // other setups are untouched.
    EXPECT_EQ(copy.selectSingleNode("catalog/setups/setup[@id='7']").getAttribute("enable"), std::nullopt);
}

TEST_F(XmlDomContract, AttributeNodeTextWritesTheValue) {
    const XmlNode setup = at("catalog/setups/setup[@id='7']");
    const XmlNode file = setup.attribute("file");
    file.setText("novo.msi");
    EXPECT_EQ(file.text(), "novo.msi");
    EXPECT_EQ(setup.getAttribute("file"), "novo.msi");
    EXPECT_EQ(reparsed().selectSingleNode("catalog/setups/setup[@id='7']").getAttribute("file"), "novo.msi");
}

TEST_F(XmlDomContract, MarkupCharactersInValuesSurviveSerialisation) {
    const XmlNode setup = at("catalog/setups/setup[@id='7']");
    setup.setAttribute("note", "a<b & \"c\" 'd'");
    EXPECT_EQ(reparsed().selectSingleNode("catalog/setups/setup[@id='7']").getAttribute("note"),
              "a<b & \"c\" 'd'");
}

TEST_F(XmlDomContract, RemoveChildDetachesAndXmlReflectsIt) {
    const XmlNode setups = at("catalog/setups");
    const XmlNode eight = at("catalog/setups/setup[@id='8']");
    setups.removeChild(eight);
    EXPECT_EQ(describe(setups.selectNodes("setup")), (std::vector<std::string>{"setup#7", "setup#70"}));
    EXPECT_TRUE(eight.parentNode().empty());
    EXPECT_EQ(eight.getAttribute("file"), "b.msp");

    const XmlDocument copy = reparsed();
    EXPECT_EQ(describe(copy.selectNodes("catalog/setups/setup")), (std::vector<std::string>{"setup#7", "setup#70"}));
    EXPECT_EQ(copy.documentElement().nodeName(), "catalog");
}

TEST_F(XmlDomContract, RemovingANonChildOrAnEmptyHandleFails) {
    const XmlNode setups = at("catalog/setups");
    const XmlNode dir = at("catalog/dirs/dir");
    const XmlNode name = at("catalog/setups/setup/name");  // a grandchild, not a child
    for (const XmlNode& notAChild : {dir, name, XmlNode()}) {
        try {
            setups.removeChild(notAChild);
            ADD_FAILURE() << "expected a failure";
        } catch (const ComError& e) {
            EXPECT_EQ(e.code(), hr::invalidArg);
        }
    }
    // Nothing moved.
    EXPECT_EQ(setups.selectNodes("setup").size(), 3u);
    EXPECT_EQ(describe(at("catalog/dirs").selectNodes("dir")), (std::vector<std::string>{"dir#bin", "dir#doc"}));
}

TEST_F(XmlDomContract, NodeListsAreSnapshotsWhileRemoving) {
    const XmlNode setups = at("catalog/setups");
    const XmlNodeList list = setups.selectNodes("setup");
    ASSERT_EQ(list.size(), 3u);
    for (std::size_t i = 0; i < list.size(); ++i) setups.removeChild(list[i]);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(describe(list), (std::vector<std::string>{"setup#7", "setup#8", "setup#70"}));
    EXPECT_TRUE(setups.selectNodes("setup").empty());
    EXPECT_TRUE(reparsed().selectNodes("catalog/setups/setup").empty());

    const XmlNode dirs = at("catalog/dirs");
    const XmlNodeList children = dirs.selectNodes("*");
    dirs.removeChild(children[0]);
    EXPECT_EQ(describe(children), (std::vector<std::string>{"dir#bin", "dir#doc"}));
    EXPECT_EQ(describe(children[0].selectNodes("files")), (std::vector<std::string>{"files#x.dll", "files#y.dll"}));
}

TEST_F(XmlDomContract, FirstChildAndParentNode) {
    const XmlNode product = at("catalog/productNameMSI");
    const XmlNode text = product.firstChild();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.kind(), XmlNodeKind::Text);
    EXPECT_EQ(text.text(), "Zelto Contas");
    EXPECT_EQ(text.parentNode().nodeName(), "productNameMSI");

    const XmlNode code = at("catalog/products/product/productCode");
    EXPECT_EQ(describe(code.parentNode()), "product");
    EXPECT_EQ(code.parentNode().parentNode().nodeName(), "products");
    EXPECT_EQ(at("catalog/products").firstChild().nodeName(), "product");
    EXPECT_EQ(doc.documentElement().parentNode().kind(), XmlNodeKind::Document);
    EXPECT_TRUE(at("catalog/setups/setup[@id='8']").firstChild().empty());
}

TEST_F(XmlDomContract, AsElementAndAsAttribute) {
    const XmlNode element = at("catalog/setups/setup");
    const XmlNode attribute = element.attribute("id");
    const XmlNode text = at("catalog/productNameMSI").firstChild();
    EXPECT_FALSE(element.asElement().empty());
    EXPECT_TRUE(element.asAttribute().empty());
    EXPECT_FALSE(attribute.asAttribute().empty());
    EXPECT_TRUE(attribute.asElement().empty());
    EXPECT_TRUE(text.asElement().empty());
    EXPECT_TRUE(text.asAttribute().empty());
    EXPECT_TRUE(XmlNode().asElement().empty());
    EXPECT_EQ(element.asElement().getAttribute("id"), "7");
}

TEST_F(XmlDomContract, InvalidPathFails) {
    const XmlNode setups = at("catalog/setups");
    EXPECT_THROW(setups.selectSingleNode("setup[@id=''']"), ComError);
    EXPECT_THROW(setups.selectNodes("setup[@id=''']"), ComError);
}

TEST_F(XmlDomContract, ParseErrorCodeTellsWellFormedText) {
    const struct {
        const char* what;
        const char* text;
        bool wellFormed;
    } cases[] = {
        {"a catalogue", "<catalog><setups/></catalog>", true},
        {"a declaration and a root", "<?xml version=\"1.0\"?><catalog/>", true},
        {"an HTML page", "<html><body><p>Erro 404<br></p></body></html>", false},
        {"an empty body", "", false},
        {"plain text", "Not Found", false},
        {"two roots", "<a/><b/>", false},
        {"text after the root", "<catalog/>Not Found", false},
        {"an undeclared entity", "<html><body>&nbsp;</body></html>", false},
        {"the predefined and numeric references", "<a b=\"&quot;&lt;\">&amp;&#65;&#x42;&gt;&apos;</a>", true},
        {"markup in a CDATA section", "<a><![CDATA[&nbsp; <b>]]></a>", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        XmlDocument d = factory->createDocument();
        EXPECT_EQ(d.loadXML(c.text), c.wellFormed);
        EXPECT_EQ(d.parseErrorCode() == 0, c.wellFormed);
        EXPECT_EQ(d.documentElement().empty(), !c.wellFormed);
    }
}

TEST_F(XmlDomContract, LoadXmlReplacesTheContent) {
    const XmlNode oldSetups = at("catalog/setups");
    ASSERT_TRUE(doc.loadXML("<catalog><products/></catalog>"));
    EXPECT_TRUE(doc.selectSingleNode("catalog/setups").empty());
    EXPECT_FALSE(doc.selectSingleNode("catalog/products").empty());
    EXPECT_FALSE(doc.loadXML("<catalog>"));
    EXPECT_TRUE(doc.selectSingleNode("catalog/products").empty());
    // A handle into the earlier content still reads it.
    EXPECT_EQ(oldSetups.selectNodes("setup").size(), 3u);
}

}  // namespace
}  // namespace zu
