// GetXMLProducts: the products catalogue reduced to the products installed here, and the
// installed product's name.
#include <gtest/gtest.h>

#include "catalog/CatalogMethods.h"
#include "catalog/InstalledProductName.h"
#include "control/ControlState.h"
#include "support/TestPorts.h"

namespace zu {
namespace {

using Names = std::vector<std::string>;
const std::string kUrl = "http://srv/Products.asp?Family=Dic";

struct GetXmlProductsTest : ::testing::Test {
    test::TestPorts world;
    ControlState state;

    GetXmlProductsTest() { state.props.productsCatalogURL = kUrl; }
    std::string run(const std::string& body) {
        world.http.bodies[kUrl] = body;
        Ports ports = world.ports();
        return getXmlProducts(state, ports);
    }
    XmlDocument parse(const std::string& answer) {
        XmlDocument doc = world.xml->createDocument();
        EXPECT_TRUE(doc.loadXML(answer)) << answer;
        return doc;
    }
    Names ids(const std::string& answer) {
        Names values;
        for (const XmlNode& n : parse(answer).selectNodes("catalog/products/product"))
            values.push_back(n.getAttribute("id").value_or("-"));
        return values;
    }
};

std::string product(const std::string& id, const std::string& code, const std::string& nameMsi = "-") {
    return "<product id=\"" + id + "\"><title>T" + id + "</title>" +
           (code == "-" ? "" : "<productCode>" + code + "</productCode>") +
           (nameMsi == "-" ? "" : "<productNameMSI>" + nameMsi + "</productNameMSI>") + "</product>";
}

TEST_F(GetXmlProductsTest, KeepsProductsInstalledUnderTheCataloguedName) {
    world.installer.productStates = {{"{A}", 5}, {"{B}", 5}, {"{C}", 5}, {"{D}", 1}, {"{E}", 5}, {"{F}", 5}};
    world.installer.productNames = {{"{A}", "Dicionário"}, {"{B}", "Dicionario"}, {"{C}", "dicionário"}};
    const std::string answer =
        run("<catalog family=\"Dic\"><products>" + product("1", "{A}", "Dicionário") +  // same name
            product("2", "{B}", "Dicionário") +                                         // another name
            product("3", "{C}", "Dicionário") +                                         // case counts
            product("4", "{D}") +                                                      // advertised only
            product("5", "{E}") +                                                      // no name to test
            product("6", "{F}", "Dicionário") +                                        // cannot be opened
            product("7", "{Z}") +                                                      // unknown code
            product("8", "-") +                                                        // not examined
            product("9", "{A}", "Dicionário") +                                        // listed twice
            "</products><other/></catalog>");
    EXPECT_EQ(ids(answer), (Names{"1", "5", "8", "9"}));
    const XmlDocument doc = parse(answer);
    EXPECT_EQ(doc.selectSingleNode("catalog/products/product/title").text(), "T1");
    EXPECT_FALSE(doc.selectSingleNode("catalog/other").empty());
    EXPECT_EQ(doc.selectSingleNode("catalog").getAttribute("family"), "Dic");
    EXPECT_EQ(state.currentProductCode.text(), "{A}");  // the last node of the walk
    EXPECT_FALSE(state.products.empty());
}

TEST_F(GetXmlProductsTest, NameLookupAsksTheLengthFirstAndLeavesTheInterfaceQuiet) {
    world.installer.productStates = {{"{A}", 5}};
    world.installer.productNames = {{"{A}", "Dicionário"}};
    run("<catalog><products>" + product("1", "{A}", "Dicionário") + "</products></catalog>");
    const std::string withZero = std::to_string(std::string("Dicionário").size() + 1);
    EXPECT_EQ(world.installer.calls,
              (Names{"queryProductState({A})", "setInternalUI(2)", "openProduct({A})", "getProductProperty(ProductName, 0)",
                     "getProductProperty(ProductName, " + withZero + ")", "closeHandle(1)"}));
}

TEST_F(GetXmlProductsTest, ReadInstalledProductName) {
    test::FakeInstaller installer;
    installer.productNames = {{"{A}", "Dic"}, {"{E}", ""}};
    std::string name = "unchanged";
    EXPECT_FALSE(readInstalledProductName(installer, "{X}", name));
    EXPECT_EQ(name, "unchanged");
    EXPECT_TRUE(readInstalledProductName(installer, "{E}", name));
    EXPECT_EQ(name, "");
    EXPECT_TRUE(readInstalledProductName(installer, "{A}", name));
    EXPECT_EQ(name, "Dic");
}

TEST_F(GetXmlProductsTest, AnswersWithoutProducts) {
    struct Case {
        const char* label;
        std::string body;
        bool empty;  // the empty string; otherwise the document as received
    };
    const Case cases[] = {
        {"not XML", "<html><p>erro</html>", true},
        {"empty body", "", true},
        {"no products", "<catalog><product><productCode>{A}</productCode></product></catalog>", false},
        {"no catalog", "<products><product><productCode>{A}</productCode></product></products>", false},
        {"empty products", "<catalog><products/></catalog>", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string answer = run(c.body);
        if (c.empty) {
            EXPECT_EQ(answer, "");
        } else {
            XmlDocument doc = parse(answer);
            EXPECT_EQ(doc.selectNodes("*").size(), 1u);
        }
    }
    EXPECT_TRUE(world.installer.calls.empty());
    EXPECT_FALSE(parse(run("<products><product><productCode>{A}</productCode></product></products>"))
                     .selectSingleNode("products/product/productCode")
                     .empty());
}

TEST_F(GetXmlProductsTest, EmptyUrlFetchesNothing) {
    state.props.productsCatalogURL.clear();
    state.catalogDocument = world.xml->createDocument();
    const XmlDocument before = state.catalogDocument;
    EXPECT_EQ(getXmlProducts(state, world.ports()), "");
    EXPECT_TRUE(world.http.requested.empty());
    EXPECT_EQ(state.catalogDocument.xml(), before.xml());
}

TEST_F(GetXmlProductsTest, FailuresEndTheCall) {
    world.http.bodies.clear();
    try {
        getXmlProducts(state, world.ports());
        ADD_FAILURE() << "no failure";
    } catch (const ComError& e) {
        EXPECT_EQ(e.code(), world.http.unknownUrlFailure);
    }
    world.installer.productStates = {{"{A}", 5}};
    try {
        run("<catalog><products>" + product("1", "{A}") + "<product><productCode/></product></products></catalog>");
        ADD_FAILURE() << "no failure";
    } catch (const ComError& e) {
        EXPECT_EQ(e.code(), hr::pointer);
    }
}

TEST_F(GetXmlProductsTest, LeavesTheSetupsOfGetXmlSetupsAlone) {
    XmlDocument setupsDoc = world.xml->createDocument();
    setupsDoc.loadXML("<catalog><setups><setup id=\"4\"/></setups></catalog>");
    state.setups = setupsDoc.selectSingleNode("catalog/setups");
    state.catalogDocument = setupsDoc;
    state.workingProductName = "Dic";
    setupsDoc = XmlDocument();
    run("<catalog><products/></catalog>");
    EXPECT_FALSE(state.setups.selectSingleNode("setup[@id='4']").empty());
    EXPECT_EQ(state.workingProductName, "Dic");
    EXPECT_FALSE(state.catalog.selectSingleNode("products").empty());
}

}  // namespace
}  // namespace zu
