// Fetching a catalogue into the kept document: the three outcomes, the slot that is
// replaced before anything is fetched, and node handles that outlive the slot.
#include <gtest/gtest.h>

#include <functional>

#include "catalog/LoadCatalog.h"
#include "fakes/FakeCatalogHttp.h"
#include "support/SidePorts.h"

namespace zu {
namespace {

constexpr const char* kUrl = "http://catalog.test/setups";
constexpr const char* kOtherUrl = "http://catalog.test/products";

constexpr const char* kSetupsCatalog =
    "<?xml version=\"1.0\"?>\n"
    "<catalog>\n"
    "  <setups>\n"
    "    <setup id=\"1\" file=\"a.msi\"><name>Um</name></setup>\n"
    "    <setup id=\"2\" file=\"b.msp\"/>\n"
    "  </setups>\n"
    "</catalog>\n";

constexpr const char* kProductsCatalog =
    "<catalog><products><product><productCode>{P}</productCode></product></products></catalog>";

// A GET that runs a check on the world as the request is made, then answers or fails.
class ProbingHttp final : public CatalogHttp {
public:
    std::function<void()> onGet;
    std::string body;
    bool fail = false;

    std::string get(const std::string& url) override {
        if (onGet) onGet();
        if (fail) throw ComError(0x800C0005, "unreachable");
        return body;
    }
};

class FailingFactory final : public XmlFactory {
public:
    XmlDocument createDocument() override { throw ComError(0x80040154, "class not registered"); }
};

class LoadCatalogTest : public ::testing::Test {
protected:
    std::unique_ptr<XmlFactory> xml = test::makeSideXmlFactory();
    test::FakeCatalogHttp http;
    XmlDocument slot;

    // Fills the slot with a loaded catalogue, as an earlier method call would have.
    void loadEarlier(const std::string& body) {
        http.bodies[kOtherUrl] = body;
        ASSERT_EQ(loadCatalog(slot, *xml, http, kOtherUrl), LoadOutcome::Loaded);
    }
};

TEST_F(LoadCatalogTest, WellFormedBodyIsLoadedIntoTheSlot) {
    http.bodies[kUrl] = kSetupsCatalog;
    EXPECT_EQ(loadCatalog(slot, *xml, http, kUrl), LoadOutcome::Loaded);
    EXPECT_EQ(http.requested, std::vector<std::string>{kUrl});
    ASSERT_FALSE(slot.empty());
    EXPECT_EQ(slot.documentElement().nodeName(), "catalog");
    EXPECT_EQ(slot.selectNodes("catalog/setups/setup").size(), 2u);
    EXPECT_EQ(slot.parseErrorCode(), 0);
}

TEST_F(LoadCatalogTest, BodiesThatAreNotXmlAreParseFailuresInANewDocument) {
    const struct {
        const char* what;
        const char* body;
    } cases[] = {
        {"an HTML error page", "<html><head><title>404 Not Found</title></head>"
                               "<body><h1>Not Found</h1><p>No such catalogue.<br></p></body></html>"},
        {"an empty body", ""},
        {"a truncated catalogue", "<catalog><setups><setup id=\"1\"/>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        loadEarlier(kProductsCatalog);
        http.bodies[kUrl] = c.body;
        EXPECT_EQ(loadCatalog(slot, *xml, http, kUrl), LoadOutcome::ParseFailure);
        ASSERT_FALSE(slot.empty());
        EXPECT_NE(slot.parseErrorCode(), 0);
        // The products catalogue is gone: the slot holds the new, failed document.
        EXPECT_TRUE(slot.documentElement().empty());
        EXPECT_TRUE(slot.selectSingleNode("catalog/products").empty());
    }
}

TEST_F(LoadCatalogTest, UnreachableServerRaisesItsCodeAfterTheSlotWasReplaced) {
    loadEarlier(kProductsCatalog);
    http.unknownUrlFailure = 0x80072EFD;  // cannot connect
    try {
        loadCatalog(slot, *xml, http, kUrl);
        FAIL() << "expected a raised failure";
    } catch (const ComError& e) {
        EXPECT_EQ(e.code(), 0x80072EFDu);
    }
    ASSERT_FALSE(slot.empty());
    EXPECT_TRUE(slot.documentElement().empty());
}

TEST_F(LoadCatalogTest, SlotIsReplacedByAnEmptyDocumentBeforeTheGet) {
    for (bool fail : {false, true}) {
        SCOPED_TRACE(fail ? "failing GET" : "answered GET");
        loadEarlier(kProductsCatalog);
        ProbingHttp probe;
        probe.body = kSetupsCatalog;
        probe.fail = fail;
        bool probed = false;
        probe.onGet = [&] {
            probed = true;
            ASSERT_FALSE(slot.empty());
            EXPECT_TRUE(slot.documentElement().empty());
        };
        if (fail)
            EXPECT_THROW(loadCatalog(slot, *xml, probe, kUrl), ComError);
        else
            EXPECT_EQ(loadCatalog(slot, *xml, probe, kUrl), LoadOutcome::Loaded);
        EXPECT_TRUE(probed);
    }
}

TEST_F(LoadCatalogTest, DocumentCreationFailureEmptiesTheSlotAndFetchesNothing) {
    loadEarlier(kProductsCatalog);
    http.requested.clear();
    FailingFactory failing;
    try {
        loadCatalog(slot, failing, http, kUrl);
        FAIL() << "expected a raised failure";
    } catch (const ComError& e) {
        EXPECT_EQ(e.code(), 0x80040154u);
    }
    EXPECT_TRUE(slot.empty());
    EXPECT_TRUE(http.requested.empty());
}

TEST_F(LoadCatalogTest, HandlesFromAnEarlierDocumentOutliveTheSlot) {
    http.bodies[kUrl] = kSetupsCatalog;
    ASSERT_EQ(loadCatalog(slot, *xml, http, kUrl), LoadOutcome::Loaded);
    const XmlNode catalog = slot.selectSingleNode("catalog");
    const XmlNode setups = slot.selectSingleNode("catalog/setups");
    const XmlNode file = setups.selectSingleNode("setup[@id='1']").attribute("file");
    ASSERT_FALSE(setups.empty());
    ASSERT_FALSE(file.empty());

    // Refilled by another catalogue, then by a failed fetch.
    loadEarlier(kProductsCatalog);
    EXPECT_TRUE(slot.selectSingleNode("catalog/setups").empty());
    http.bodies.erase(kUrl);
    EXPECT_THROW(loadCatalog(slot, *xml, http, kUrl), ComError);

    EXPECT_EQ(catalog.nodeName(), "catalog");
    EXPECT_EQ(setups.selectNodes("setup").size(), 2u);
    EXPECT_EQ(setups.selectSingleNode("setup[@id='1']/name").text(), "Um");
    EXPECT_EQ(file.text(), "a.msi");
    EXPECT_EQ(setups.selectSingleNode("setup[@id='2']").asElement().getAttribute("file"), "b.msp");

    // Detached from its parent, the section keeps its content and can still be edited.
    catalog.removeChild(setups);
    EXPECT_TRUE(setups.parentNode().empty());
    EXPECT_TRUE(catalog.selectSingleNode("setups").empty());
    EXPECT_EQ(setups.selectNodes("setup").size(), 2u);
    setups.selectSingleNode("setup[@id='2']").setAttribute("enable", "1");
    EXPECT_EQ(setups.selectSingleNode("setup[@id='2']").getAttribute("enable"), "1");
    EXPECT_EQ(file.text(), "a.msi");
}

}  // namespace
}  // namespace zu
