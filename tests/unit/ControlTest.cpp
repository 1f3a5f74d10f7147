// The control object: defaults, scripting surface lookup, chosen setups, persisted form.
#include <gtest/gtest.h>

#include "control/Canvas.h"
#include "control/DispatchTable.h"
#include "control/PersistedForm.h"
#include "control/ZeltoUpdateControl.h"
#include "support/TestPorts.h"

namespace zu {
namespace {

struct ControlTest : ::testing::Test {
    test::TestPorts world;
    ZeltoUpdateControl control{world.ports()};

    DispatchValue get(std::string_view name) {
        return findMember(*findMemberId(name))->get(control);
    }
    void call(std::string_view name, std::int16_t id) {
        findMember(*findMemberId(name))->call(control, DispatchValue{id});
    }
};

TEST_F(ControlTest, NewControlHasDefaultsAndAskedTheShellOnce) {
    EXPECT_EQ(control.properties(), ControlProperties{});
    EXPECT_EQ(std::get<bool>(get("allowUploads")), false);
    EXPECT_EQ(world.shell.calls, 1);
    EXPECT_EQ(control.state().tokens.appDataFolder, world.shell.folder);
    EXPECT_FALSE(control.isModified());
    EXPECT_TRUE(control.state().chosenSetups.empty());
}

TEST_F(ControlTest, ShellWithoutFolderLeavesItEmpty) {
    world.shell.folder.clear();
    ZeltoUpdateControl other{world.ports()};
    EXPECT_EQ(other.state().tokens.appDataFolder, "");
}

TEST(DispatchTableTest, NamesResolveWithoutCaseAndTheFirstEntryWins) {
    const std::pair<const char*, int> cases[] = {
        {"allowUploads", 1}, {"ProductName", 5},        {"productname", 5},  {"PRODUCTNAME", 5},
        {"productsCatalogURL", 4}, {"PRODUCTSCATALOGURL", 4}, {"AddSetup", 9}, {"removesetup", 10},
        {"GetXMLSetups", 11}, {"update", 12},           {"GetXmlProducts", 13},
    };
    for (auto [name, id] : cases) EXPECT_EQ(findMemberId(name), id) << name;
    EXPECT_FALSE(findMemberId("productNam"));
    EXPECT_FALSE(findMember(0));
    EXPECT_FALSE(findMember(14));
    ASSERT_EQ(dispatchTable().size(), 13u);
    for (std::size_t i = 0; i < dispatchTable().size(); ++i) EXPECT_EQ(dispatchTable()[i].id, int(i) + 1);
}

TEST_F(ControlTest, IdEightReachesTheSameMemberAsFour) {
    findMember(8)->put(control, std::string("http://srv/products.xml"));
    EXPECT_EQ(std::get<std::string>(get("productsCatalogURL")), "http://srv/products.xml");
    EXPECT_EQ(std::get<std::string>(findMember(4)->get(control)), "http://srv/products.xml");
    EXPECT_TRUE(control.isModified());
}

TEST_F(ControlTest, WritesStoreValuesUnvalidated) {
    findMember(*findMemberId("PRODUCTVERSION"))->put(control, std::string(" not a version "));
    findMember(1)->put(control, true);
    EXPECT_EQ(control.properties().productVersion, " not a version ");
    EXPECT_TRUE(control.properties().allowUploads);
}

TEST_F(ControlTest, ChosenSetupListEdits) {
    struct Case {
        std::vector<std::pair<char, std::int16_t>> ops;  // 'a' add, 'r' remove
        std::vector<std::int32_t> expected;
    };
    const Case cases[] = {
        {{{'a', 3}, {'a', 3}, {'r', 3}}, {}},
        {{{'a', 5}, {'a', 3}, {'a', 5}, {'r', 5}}, {3}},
        {{{'a', 1}, {'a', 2}, {'r', 9}}, {1, 2}},
        {{{'a', -1}}, {-1}},
        {{{'a', -32768}, {'a', 32767}}, {-32768, 32767}},
    };
    for (const Case& c : cases) {
        ZeltoUpdateControl fresh{world.ports()};
        for (auto [op, id] : c.ops) findMember(op == 'a' ? 9 : 10)->call(fresh, DispatchValue{id});
        EXPECT_EQ(fresh.state().chosenSetups, c.expected);
    }
}

TEST(PersistedFormTest, ItemsComeInOrderAndRoundTrip) {
    ControlProperties props{true, "http://d/?f=", "http://c/cat", "http://p/prod", "Dic", "3.0", "http://u/up"};
    const auto items = savePersistedForm(props, Extent{2646, 1058});
    std::vector<std::string> names;
    for (const auto& i : items) names.push_back(i.name);
    EXPECT_EQ(names, (std::vector<std::string>{"_Version", "_ExtentX", "_ExtentY", "_StockProps",
                                               "productsCatalogURL", "productName", "productVersion",
                                               "catalogURL", "downloadURL", "uploadURL", "allowUploads"}));
    EXPECT_EQ(std::get<std::int32_t>(items[0].value), 65536);

    ControlProperties loaded;
    Extent extent;
    loadPersistedForm(loaded, extent, [&](const std::string& name) -> std::optional<PersistValue> {
        for (const auto& i : items)
            if (i.name == name) return i.value;
        return std::nullopt;
    });
    EXPECT_EQ(loaded, props);
    EXPECT_EQ(extent, (Extent{2646, 1058}));
}

TEST(PersistedFormTest, MissingItemsLeaveValuesAsTheyAre) {
    ControlProperties props;
    props.uploadURL = "kept";
    props.allowUploads = true;
    Extent extent{10, 20};
    loadPersistedForm(props, extent, [](const std::string& name) -> std::optional<PersistValue> {
        if (name == "productName") return std::string("Dic");
        if (name == "allowUploads") return std::string("wrong type");
        return std::nullopt;
    });
    EXPECT_EQ(props.productName, "Dic");
    EXPECT_EQ(props.uploadURL, "kept");
    EXPECT_TRUE(props.allowUploads);
    EXPECT_EQ(extent, (Extent{10, 20}));
}

TEST(DrawingTest, FillsWhiteThenDrawsTheInscribedEllipse) {
    struct Recorder : Canvas {
        std::vector<std::string> ops;
        void fillWhite(const Rect& r) override { ops.push_back(describe("fill", r)); }
        void ellipse(const Rect& r) override { ops.push_back(describe("ellipse", r)); }
        static std::string describe(const char* op, const Rect& r) {
            return std::string(op) + " " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
        }
    } canvas;
    drawControl(canvas, Rect{0, 0, 100, 40});
    EXPECT_EQ(canvas.ops, (std::vector<std::string>{"fill 100x40", "ellipse 100x40"}));
}

}  // namespace
}  // namespace zu
