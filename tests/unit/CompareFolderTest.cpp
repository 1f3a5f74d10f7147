// The walk of a catalogued folder against the disk: times, required and mandatory
// entries, installer components, and what the walk leaves in the document.
#include <gtest/gtest.h>

#include "common/ComError.h"
#include "inspect/CompareFolder.h"
#include "support/TestPorts.h"

namespace zu {
namespace {

// 25-12-2004 13:45:00 in Lisbon (winter, UTC+0).
constexpr std::int64_t kRelease = 1103982300;
constexpr const char* kReleaseText = "25-12-2004 13:45:00";

struct CompareFolderTest : ::testing::Test {
    test::ScopedTimeZone lisbon{"Europe/Lisbon"};
    test::TestPorts world;
    test::TempFolder temp;
    XmlDocument doc;
    XmlNode setups;
    std::string productCode = "{PRODUCT}";

    void SetUp() override {
        if (!lisbon.active()) GTEST_SKIP() << "the Lisbon time zone is not in force";
    }

    void load(const std::string& dir) {
        doc = world.xml->createDocument();
        ASSERT_TRUE(doc.loadXML("<catalog><setups><setup id=\"3\" enable=\"0\"/><setup id=\"7\"/></setups><dirs>" +
                                dir + "</dirs></catalog>"))
            << dir;
        setups = doc.selectSingleNode("catalog/setups");
    }
    int compare(const std::string& folderText) {
        const FolderComparison ctx{*world.files, *world.clock, world.installer, productCode, setups};
        return compareFolder(ctx, doc.selectSingleNode("catalog/dirs/dir"), folderText);
    }
    std::string file(const std::string& relative, std::int64_t utc, int ms = 0) {
        const std::string path = temp.writeFile(relative, "x");
        temp.setLastWrite(path, utc, ms);
        return path;
    }
    // The `name`s left below the first `dir`, depth first.
    std::vector<std::string> entries() {
        std::vector<std::string> names;
        collect(doc.selectSingleNode("catalog/dirs/dir"), names);
        return names;
    }
    void collect(const XmlNode& folder, std::vector<std::string>& names) {
        for (const XmlNode& child : folder.selectNodes("*")) {
            names.push_back(child.getAttribute("name").value_or("?"));
            if (child.nodeName() == "dir") collect(child, names);
        }
    }
    // Ids of the setups whose enable is "1".
    std::vector<std::string> enabled() {
        std::vector<std::string> ids;
        for (const XmlNode& s : setups.selectNodes("setup"))
            if (s.getAttribute("enable") == "1") ids.push_back(*s.getAttribute("id"));
        return ids;
    }
};

using Names = std::vector<std::string>;

TEST_F(CompareFolderTest, FileEntryOutcomes) {
    struct Case {
        const char* label;
        std::optional<std::int64_t> fileTime;  // none: the file is missing
        int milliseconds;
        std::string attributes;
        int result;
        bool stays;
        Names enabled;
    };
    const Case cases[] = {
        {"outdated by a second", kRelease - 1, 0, "setup=\"7\"", 0, true, {"7"}},
        {"outdated, setup sent disabled", kRelease - 3600, 0, "setup=\"3\"", 0, true, {"3"}},
        {"outdated without setup", kRelease - 1, 0, "", 0, true, {}},
        {"outdated, unknown setup", kRelease - 1, 0, "setup=\"9\"", 0, true, {}},
        {"equal to the second", kRelease, 700, "setup=\"7\"", 0, false, {}},
        {"newer", kRelease + 60, 0, "setup=\"7\" required=\"1\"", 0, false, {}},
        {"missing, required", std::nullopt, 0, "setup=\"7\" required=\"1\" mandatory=\"1\"", 1, true, {}},
        {"missing, required empty", std::nullopt, 0, "required=\"\"", 1, true, {}},
        {"missing, mandatory", std::nullopt, 0, "setup=\"3\" required=\"0\" mandatory=\"1\"", 0, true, {"3"}},
        {"missing, mandatory yes", std::nullopt, 0, "setup=\"7\" mandatory=\"yes\"", 0, true, {"7"}},
        {"missing, optional", std::nullopt, 0, "setup=\"3\" required=\"0\" mandatory=\"0\"", 0, false, {}},
        {"missing, nothing said", std::nullopt, 0, "setup=\"3\"", 0, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        test::TempFolder folder;
        if (c.fileTime) {
            const std::string path = folder.writeFile("Main.dll", "x");
            folder.setLastWrite(path, *c.fileTime, c.milliseconds);
        }
        load("<dir path=\"x\"><file name=\"Main.dll\" lastmodified=\"" + std::string(kReleaseText) + "\" " +
             c.attributes + "/></dir>");
        EXPECT_EQ(compare(folder.path()), c.result);
        EXPECT_EQ(entries(), c.stays ? Names{"Main.dll"} : Names{});
        EXPECT_EQ(enabled(), c.enabled);
    }
}

TEST_F(CompareFolderTest, TimesAreComparedAsInstantsWhateverTheSeason) {
    // 25-07-2004 13:45:00 in Lisbon is 12:45:00 UTC (summer time), whatever today's offset.
    constexpr std::int64_t summerRelease = 1090759500;
    file("Up.dll", summerRelease);
    file("Old.dll", summerRelease - 1);
    file("Winter.dll", kRelease);
    load("<dir><f name=\"Up.dll\" lastmodified=\"25-07-2004 13:45:00\" setup=\"3\"/>"
         "<f name=\"Old.dll\" lastmodified=\"25-07-2004 13:45:00\" setup=\"7\"/>"
         "<f name=\"Winter.dll\" lastmodified=\"25-12-2004 13:45:00\" setup=\"3\"/></dir>");
    EXPECT_EQ(compare(temp.path()), 0);
    EXPECT_EQ(entries(), Names{"Old.dll"});
    EXPECT_EQ(enabled(), Names{"7"});
}

TEST_F(CompareFolderTest, FolderChecks) {
    struct Case {
        const char* label;
        std::string folderText;  // "$" stands for the temporary folder
        std::string required;    // attribute of the dir; "-" for none
        int result;
    };
    const Case cases[] = {
        {"empty text, not required", "", "-", 0},
        {"empty text, required 0", "", "0", 0},
        {"empty text, required 1", "", "1", 2},
        {"empty text, required empty", "", "", 2},
        {"missing folder, not required", "$\\Nowhere", "-", 0},
        {"missing folder, required", "$\\Nowhere", "1", 2},
        {"a folder of backslashes is empty", "\\\\", "1", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::string text = c.folderText;
        if (!text.empty() && text[0] == '$') text = temp.path() + text.substr(1);
        const std::string required = c.required == "-" ? "" : " required=\"" + c.required + "\"";
        load("<dir" + required + "><f name=\"A\" setup=\"7\" mandatory=\"1\"/></dir>");
        EXPECT_EQ(compare(text), c.result);
        EXPECT_EQ(entries(), Names{"A"});  // nothing below a missing folder is looked at
        EXPECT_EQ(enabled(), Names{});
    }
}

TEST_F(CompareFolderTest, TrailingBackslashesAreRemovedBeforeJoining) {
    file("App\\Main.dll", kRelease);
    load("<dir><f name=\"Main.dll\" lastmodified=\"25-12-2004 13:45:00\"/></dir>");
    EXPECT_EQ(compare(temp.path() + "\\App\\\\"), 0);
    EXPECT_EQ(entries(), Names{});
}

TEST_F(CompareFolderTest, NestedFoldersStopTheWholeWalkAtTheFirstError) {
    temp.makeFolder("Sub");
    load("<dir><f name=\"Before\" setup=\"7\" mandatory=\"1\"/>"
         "<dir name=\"Gone\"><f name=\"X\" required=\"1\"/></dir>"  // missing, not required: skipped
         "<dir name=\"Sub\"><f name=\"Lost\" required=\"1\"/><f name=\"Sibling\" setup=\"3\" mandatory=\"1\"/></dir>"
         "<f name=\"After\" setup=\"3\" mandatory=\"1\"/></dir>");
    EXPECT_EQ(compare(temp.path()), 1);
    EXPECT_EQ(entries(), (Names{"Before", "Gone", "X", "Sub", "Lost", "Sibling", "After"}));
    EXPECT_EQ(enabled(), Names{"7"});

    load("<dir><f name=\"Opt\"/><dir name=\"Gone\" required=\"1\"/><f name=\"After\" setup=\"3\" mandatory=\"1\"/></dir>");
    EXPECT_EQ(compare(temp.path()), 2);
    EXPECT_EQ(entries(), (Names{"Gone", "After"}));  // folders are never removed
    EXPECT_EQ(enabled(), Names{});
}

TEST_F(CompareFolderTest, ComponentPathIsTriedBeforeTheCatalogedPath) {
    const std::string installed = file("Installed\\Main.dll", kRelease - 10);  // outdated copy
    file("Catalogued\\Main.dll", kRelease);
    file("Catalogued\\Other.dll", kRelease);
    world.installer.componentPaths["{PRODUCT}|{C1}"] = {msi::stateLocal, installed};
    world.installer.componentPaths["{PRODUCT}|{C2}"] = {msi::stateSource, temp.path() + "\\Installed\\Absent.dll"};
    load("<dir><f name=\"Main.dll\" componentGUID=\"{C1}\" lastmodified=\"25-12-2004 13:45:00\" setup=\"7\"/>"
         "<f name=\"Other.dll\" componentGUID=\"{C2}\" lastmodified=\"25-12-2004 13:45:00\" setup=\"3\"/></dir>");
    EXPECT_EQ(compare(temp.path() + "\\Catalogued"), 0);
    EXPECT_EQ(entries(), Names{"Main.dll"});
    EXPECT_EQ(enabled(), Names{"7"});
    EXPECT_EQ(world.installer.calls,
              (std::vector<std::string>{"getComponentPath({PRODUCT}, {C1})", "getComponentPath({PRODUCT}, {C2})"}));
}

TEST_F(CompareFolderTest, FindComponentPathAcceptsOnlyLocalOrSourceFilePaths) {
    struct Case {
        int state;
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {3, "C:\\Dic\\Main.dll", "C:\\Dic\\Main.dll"},
        {4, "\\\\srv\\share\\Main.dll", "\\\\srv\\share\\Main.dll"},
        {5, "C:\\Dic\\Main.dll", ""},
        {2, "C:\\Dic\\Main.dll", ""},
        {3, "", ""},
        {3, "02:\\Software\\Velmora\\Dic", ""},  // a registry key path
        {3, "01:\\Software", ""},
        {3, "0:\\", "0:\\"},                      // too short to be one
        {3, "C2:\\x", "C2:\\x"},
    };
    for (const Case& c : cases) {
        test::FakeInstaller installer;
        installer.componentPaths["{P}|{C}"] = {c.state, c.path};
        EXPECT_EQ(findComponentPath(installer, "{P}", "{C}"), c.expected) << c.state << " " << c.path;
    }
    test::FakeInstaller installer;
    EXPECT_EQ(findComponentPath(installer, "", "{C}"), "");
    EXPECT_EQ(findComponentPath(installer, "{P}", ""), "");
    EXPECT_TRUE(installer.calls.empty());
}

TEST_F(CompareFolderTest, EnableSetupSwitchesOnTheNamedSetupOnly) {
    load("<dir/>");
    EXPECT_TRUE(enableSetup(setups, "7"));
    EXPECT_TRUE(enableSetup(setups, "7"));
    EXPECT_TRUE(enableSetup(setups, "3"));
    EXPECT_FALSE(enableSetup(setups, "4"));
    EXPECT_FALSE(enableSetup(setups, " 3"));
    EXPECT_EQ(enabled(), (Names{"3", "7"}));
    EXPECT_THROW(enableSetup(XmlNode(), "3"), ComError);
}

TEST_F(CompareFolderTest, MalformedEntriesFailKeepingEarlierChanges) {
    file("Here.dll", kRelease - 1);
    struct Case {
        const char* label;
        std::string entry;
        HResult code;
    };
    const Case cases[] = {
        {"entry without name", "<f lastmodified=\"25-12-2004 13:45:00\"/>", hr::pointer},
        {"subfolder without name", "<dir/>", hr::pointer},
        {"found file without lastmodified", "<f name=\"Here.dll\"/>", hr::pointer},
        {"year first", "<f name=\"Here.dll\" lastmodified=\"2004-12-25 13:45:00\"/>", hr::invalidArg},
        {"no time", "<f name=\"Here.dll\" lastmodified=\"25-12-2004\"/>", hr::invalidArg},
        {"after 3000", "<f name=\"Here.dll\" lastmodified=\"25-12-3001 13:45:00\"/>", hr::invalidArg},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        load("<dir><f name=\"Early\" setup=\"7\" mandatory=\"1\"/><f name=\"Gone\"/>" + c.entry + "</dir>");
        try {
            compare(temp.path());
            ADD_FAILURE() << "no failure";
        } catch (const ComError& e) {
            EXPECT_EQ(e.code(), c.code);
        }
        EXPECT_EQ(enabled(), Names{"7"});
        EXPECT_EQ(entries().front(), "Early");
        EXPECT_EQ(entries().size(), 2u);  // "Gone" was removed before the failure
    }
    // A missing file needs no lastmodified.
    load("<dir><f name=\"Absent.dll\" mandatory=\"1\" setup=\"3\"/></dir>");
    EXPECT_EQ(compare(temp.path()), 0);
}

TEST_F(CompareFolderTest, NestingDepthIsBounded) {
    std::string relative = "a";
    for (int i = 1; i < maxFolderDepth + 1; ++i) relative += "\\a";
    temp.makeFolder(relative);  // 65 levels on disk
    auto nested = [](int levels) {
        std::string xml = "<dir>";
        for (int i = 1; i < levels; ++i) xml += "<dir name=\"a\">";
        xml += "<f name=\"Optional\"/>";
        for (int i = 1; i < levels; ++i) xml += "</dir>";
        return xml + "</dir>";
    };
    load(nested(maxFolderDepth));
    EXPECT_EQ(compare(temp.path() + "\\a"), 0);
    load(nested(maxFolderDepth + 1));
    EXPECT_THROW(compare(temp.path() + "\\a"), ComError);
}

}  // namespace
}  // namespace zu
