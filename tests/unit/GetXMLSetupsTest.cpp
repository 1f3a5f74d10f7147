// GetXMLSetups: the order of the evaluation, its four answer shapes and the state it
// leaves. Answers are compared by re-parsing them (serialisers differ between sides).
#include <gtest/gtest.h>

#include "catalog/CatalogMethods.h"
#include "common/StringIds.h"
#include "common/Text.h"
#include "control/ControlState.h"
#include "support/TestPorts.h"

namespace zu {
namespace {

constexpr auto HKLM = RegistryRoot::LocalMachine;
constexpr auto HKCU = RegistryRoot::CurrentUser;
constexpr std::int64_t kRelease = 1103982300;  // 25-12-2004 13:45:00 in Lisbon
using Names = std::vector<std::string>;

struct GetXmlSetupsTest : ::testing::Test {
    test::ScopedTimeZone lisbon{"Europe/Lisbon"};
    test::TestPorts world;
    test::TempFolder temp;
    ControlState state;
    const std::string requestUrl = "http://srv/cat.asp?productName=Dic&productVersion=3.0";

    GetXmlSetupsTest() {
        state.props.productName = "Dic";
        state.props.productVersion = "3.0";
        state.props.catalogURL = "http://srv/cat.asp";
        state.props.uploadURL = "http://srv/up.asp";
        state.tokens.appDataFolder = temp.path();
    }
    void SetUp() override {
        if (!lisbon.active()) GTEST_SKIP() << "the Lisbon time zone is not in force";
    }
    void serve(const std::string& body) { world.http.bodies[requestUrl] = body; }
    std::string run() {
        Ports ports = world.ports();
        return getXmlSetups(state, ports);
    }
    std::string message(int id) {
        std::string text = world.strings.load(id);
        replaceAll(text, "<produto>", "Dic");
        return text;
    }
    XmlDocument parse(const std::string& answer) {
        XmlDocument doc = world.xml->createDocument();
        EXPECT_TRUE(doc.loadXML(answer)) << answer;
        return doc;
    }
    // The summary of an error catalogue, without its quotes; "?" for another shape.
    std::string errorMessage(const std::string& answer) {
        XmlDocument doc = parse(answer);
        const XmlNode summary = doc.selectSingleNode("catalog/errors/error/summary");
        if (summary.empty() || doc.selectNodes("catalog/*").size() != 1) return "?";
        const std::string text = summary.text();
        if (text.size() < 2 || text.front() != '"' || text.back() != '"') return "?";
        return text.substr(1, text.size() - 2);
    }
    Names attributes(const std::string& answer, const std::string& path, const std::string& name) {
        Names values;
        for (const XmlNode& n : parse(answer).selectNodes(path)) values.push_back(n.getAttribute(name).value_or("-"));
        return values;
    }
    bool has(const std::string& answer, const std::string& path) {
        return !parse(answer).selectSingleNode(path).empty();
    }
    std::string file(const std::string& relative, std::int64_t utc) {
        const std::string path = temp.writeFile(relative, "x");
        temp.setLastWrite(path, utc);
        return path;
    }
};

TEST_F(GetXmlSetupsTest, EvaluatedCatalogueKeepsOnlyTheSetupsSwitchedOn) {
    file("Dic\\Old.dll", kRelease - 1);
    file("Dic\\New.dll", kRelease);
    serve("<catalog prodId=\"42\" extra=\"kept\"><news>hello</news>"
          "<setups><setup id=\"1\" enable=\"1\" name=\"a.msi\"/><setup id=\"2\" enable=\"0\"/>"
          "<setup id=\"3\" enable=\"true\"/><setup id=\"4\" enable=\" 1\"/><setup id=\"5\" enable=\"01\"/>"
          "<setup id=\"6\"/><setup id=\"7\" enable=\"0\"/><setup id=\"8\"/></setups>"
          "<dirs><dir path=\"" + temp.path() + "\\Dic\">"
          "<f name=\"Old.dll\" lastmodified=\"25-12-2004 13:45:00\" setup=\"7\"/>"
          "<f name=\"New.dll\" lastmodified=\"25-12-2004 13:45:00\" setup=\"2\"/>"
          "<f name=\"Absent.dll\" mandatory=\"1\" setup=\"8\"/></dir></dirs>"
          "<errors><error id=\"1\"/></errors><uploading/></catalog>");
    const std::string answer = run();

    EXPECT_EQ(attributes(answer, "catalog/setups/setup", "id"), (Names{"1", "7", "8"}));
    EXPECT_EQ(attributes(answer, "catalog/setups/setup", "name"), (Names{"a.msi", "-", "-"}));
    EXPECT_FALSE(has(answer, "catalog/dirs"));
    EXPECT_FALSE(has(answer, "catalog/errors"));
    EXPECT_FALSE(has(answer, "catalog/uploading"));  // nothing to upload
    EXPECT_EQ(attributes(answer, "catalog", "extra"), Names{"kept"});
    EXPECT_EQ(parse(answer).selectSingleNode("catalog/news").text(), "hello");
    EXPECT_EQ(world.http.requested, Names{requestUrl});
    EXPECT_TRUE(world.registry.opened.empty());  // the version was given

    EXPECT_EQ(state.productId, "42");
    EXPECT_EQ(state.productCode, "");
    EXPECT_EQ(state.tokens.productRegistryPath, "Software\\Velmora\\Dic\\3.0");
    EXPECT_TRUE(state.uploading.empty());
    ASSERT_FALSE(state.setups.empty());
    EXPECT_FALSE(state.setups.selectSingleNode("setup[@id='7']").empty());
    EXPECT_TRUE(state.setups.selectSingleNode("setup[@id='2']").empty());
}

TEST_F(GetXmlSetupsTest, InstalledVersionComesFromTheRegistryWhenNotGiven) {
    state.props.productVersion.clear();
    world.registry.key(HKLM, "Software\\Velmora\\Dic\\6.9");
    world.registry.key(HKLM, "Software\\Velmora\\Dic\\6.10 SP1");
    const std::string url = "http://srv/cat.asp?productName=Dic&productVersion=6.10%20SP1";
    world.http.bodies[url] = "<catalog/>";
    run();
    EXPECT_EQ(world.http.requested, Names{url});
    EXPECT_EQ(state.effectiveVersion, "6.10 SP1");
    EXPECT_EQ(state.tokens.productRegistryPath, "Software\\Velmora\\Dic\\6.10 SP1");
}

TEST_F(GetXmlSetupsTest, FailuresAnswerTheErrorCatalogue) {
    const std::string valid = "<catalog><setups/><dirs/><errors/></catalog>";
    struct Case {
        const char* label;
        std::string body;  // "" with `unreachable`: nothing served
        bool unreachable;
        int message;
    };
    const Case cases[] = {
        {"an HTML error page", "<html><body>404<br></body></html>", false, sid::catalogUnavailable},
        {"an empty body", "", false, sid::catalogUnavailable},
        {"an unreachable server", "", true, sid::updatesUndetermined},
        {"product code not installed", "<catalog productCode=\"{OLD}\"><setups/><dirs/><errors/></catalog>", false,
         sid::catalogUnavailable},
        {"product code unknown", "<catalog productCode=\"{NEW}\"><setups/><dirs/><errors/></catalog>", false,
         sid::catalogUnavailable},
        {"no dirs", "<catalog><setups/><errors/></catalog>", false, sid::updatesUndetermined},
        {"no errors", "<catalog><setups/><dirs/></catalog>", false, sid::updatesUndetermined},
        {"files without reg", "<catalog><setups/><dirs/><errors/><uploading><files defaultdir=\"x\"/></uploading></catalog>",
         false, sid::updatesUndetermined},
        {"files without defaultdir", "<catalog><setups/><dirs/><errors/><uploading><files reg=\"x\"/></uploading></catalog>",
         false, sid::updatesUndetermined},
        {"a child without name", "<catalog><setups/><dirs><dir path=\"$\"><f/></dir></dirs><errors/></catalog>", false,
         sid::updatesUndetermined},
        {"a bad date", "<catalog><setups/><dirs><dir path=\"$\"><f name=\"A\" lastmodified=\"2004-12-25 1:0:0\"/></dir></dirs><errors/></catalog>",
         false, sid::updatesUndetermined},
    };
    temp.writeFile("A", "x");
    world.installer.productStates["{OLD}"] = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        world.http.bodies.clear();
        std::string body = c.body;
        replaceAll(body, "\"$\"", "\"" + temp.path() + "\"");
        if (!c.unreachable) serve(body);
        EXPECT_EQ(errorMessage(run()), message(c.message));
    }
    serve(valid);
    EXPECT_EQ(errorMessage(run()), "?");
}

TEST_F(GetXmlSetupsTest, NoInstalledVersionAnswersBeforeAnyRequest) {
    state.props.productVersion.clear();
    world.registry.key(HKLM, "Software\\Velmora\\Dic\\Settings");
    EXPECT_EQ(errorMessage(run()), message(sid::noInstalledVersion));
    EXPECT_NE(message(sid::noInstalledVersion).find("do Dic no"), std::string::npos);
    EXPECT_TRUE(world.http.requested.empty());
}

TEST_F(GetXmlSetupsTest, CatalogueWithoutSetupsIsAnsweredAsReceived) {
    serve("<catalog productCode=\"{X}\"><errors><error id=\"5\"><summary>Em manutenção</summary></error></errors>"
          "<dirs><dir path=\"x\" required=\"1\"/></dirs><uploading><files/></uploading></catalog>");
    const std::string answer = run();
    EXPECT_EQ(attributes(answer, "catalog/errors/error", "id"), Names{"5"});
    EXPECT_TRUE(has(answer, "catalog/dirs/dir"));
    EXPECT_TRUE(has(answer, "catalog/uploading/files"));
    EXPECT_TRUE(world.installer.calls.empty());
    EXPECT_TRUE(world.registry.opened.empty());
}

TEST_F(GetXmlSetupsTest, InstalledProductCodeLetsTheEvaluationGoOn) {
    world.installer.productStates["{P}"] = msi::stateInstalled;
    serve("<catalog productCode=\"{P}\"><setups><setup id=\"1\" enable=\"1\"/></setups><dirs/><errors/></catalog>");
    EXPECT_EQ(attributes(run(), "catalog/setups/setup", "id"), Names{"1"});
    EXPECT_EQ(state.productCode, "{P}");
    EXPECT_EQ(world.installer.calls, Names{"queryProductState({P})"});
}

TEST_F(GetXmlSetupsTest, FolderAndRegistryFolderDecideTheErrorCode) {
    // "Good" holds what the catalogue wants; "Bad" lacks the required file.
    file("Good\\Main.dll", kRelease);
    temp.makeFolder("Bad");
    const std::string good = temp.path() + "\\Good", bad = temp.path() + "\\Bad";
    world.registry.addString(HKLM, "Software\\Velmora\\Dic\\3.0", "Good", good);
    world.registry.addString(HKLM, "Software\\Velmora\\Dic\\3.0", "Bad", bad);
    world.registry.addString(HKLM, "Software\\Velmora\\Dic\\3.0", "Missing", temp.path() + "\\Nowhere");
    const std::string entry = "<f name=\"Main.dll\" lastmodified=\"25-12-2004 13:45:00\" required=\"1\"/>";
    const std::string regGood = "registry=\"$HKEY_LOCAL_MACHINE\\$PRODUCT_REGPATH\\Good\"";
    const std::string regBad = "registry=\"$HKEY_LOCAL_MACHINE\\$PRODUCT_REGPATH\\Bad\"";
    const std::string regMissing = "registry=\"$HKEY_LOCAL_MACHINE\\$PRODUCT_REGPATH\\Missing\"";
    struct Case {
        const char* label;
        std::string dirAttributes;
        int code;  // 0: evaluated catalogue
    };
    const Case cases[] = {
        {"path good", "path=\"" + good + "\" " + regBad, 0},
        {"path bad, registry good", "path=\"" + bad + "\" " + regGood, 0},
        {"path bad, registry bad", "path=\"" + bad + "\" " + regBad, 1},
        {"path missing and required, registry missing", "required=\"1\" path=\"" + temp.path() + "\\No\" " + regMissing, 2},
        {"path missing and required, registry bad", "required=\"1\" path=\"" + temp.path() + "\\No\" " + regBad, 1},
        {"neither path nor registry", "required=\"1\"", 0},
        {"registry only, not required: never walked", regBad, 0},
        {"registry only, required", "required=\"1\" " + regBad, 1},
        {"registry value absent, path bad", "path=\"" + bad + "\" registry=\"$HKEY_LOCAL_MACHINE\\Nothing\\X\"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        serve("<catalog><setups><setup id=\"1\" enable=\"1\"/></setups><dirs><dir " + c.dirAttributes + ">" + entry +
              "</dir></dirs><errors><error id=\"1\"><summary>um</summary></error><error id=\"2\"/>"
              "<error id=\"1\"><summary>outro</summary></error><error id=\"01\"/></errors></catalog>");
        const std::string answer = run();
        EXPECT_FALSE(has(answer, "catalog/dirs"));
        if (c.code == 0) {
            EXPECT_EQ(attributes(answer, "catalog/setups/setup", "id"), Names{"1"});
            EXPECT_FALSE(has(answer, "catalog/errors"));
        } else {
            EXPECT_FALSE(has(answer, "catalog/setups"));
            const Names kept = attributes(answer, "catalog/errors/error", "id");
            EXPECT_EQ(kept, Names(c.code == 1 ? 2 : 1, decimal(c.code)));
        }
    }
}

TEST_F(GetXmlSetupsTest, SetupsSwitchedOnByTheFirstWalkStayOn) {
    file("Path\\Old.dll", kRelease - 5);
    file("Reg\\Old.dll", kRelease);
    file("Reg\\Req.dll", kRelease);
    world.registry.addString(HKCU, "Software\\Dic", "Folder", temp.path() + "\\Reg");
    serve("<catalog><setups><setup id=\"7\" enable=\"0\"/><setup id=\"8\"/></setups><dirs>"
          "<dir path=\"" + temp.path() + "\\Path\" registry=\"$HKEY_CURRENT_USER\\Software\\Dic\\Folder\">"
          "<f name=\"Old.dll\" lastmodified=\"25-12-2004 13:45:00\" setup=\"7\"/><f name=\"Req.dll\" required=\"1\" "
          "lastmodified=\"25-12-2004 13:45:00\"/></dir></dirs><errors/></catalog>");
    EXPECT_EQ(attributes(run(), "catalog/setups/setup", "id"), Names{"7"});
}

TEST_F(GetXmlSetupsTest, FolderErrorFailsWhenAnErrorHasNoId) {
    serve("<catalog><setups/><dirs><dir required=\"1\" path=\"" + temp.path() + "\\No\"/></dirs>"
          "<errors><error id=\"2\"/><error/></errors></catalog>");
    EXPECT_EQ(errorMessage(run()), message(sid::updatesUndetermined));
}

TEST_F(GetXmlSetupsTest, RegistryOverrideOfTheProductPath) {
    file("Data\\Main.dll", kRelease - 1);
    world.registry.addString(HKCU, "Software\\Other\\Dic", "Folder", temp.path() + "\\Data");
    serve("<catalog><setups><setup id=\"3\"/></setups><dirs registry=\"$HKEY_CURRENT_USER\\Software\\Other\\Dic\">"
          "<dir registry=\"$PRODUCT_REGPATH\\Folder\" required=\"1\">"
          "<f name=\"Main.dll\" lastmodified=\"25-12-2004 13:45:00\" setup=\"3\"/></dir></dirs><errors/></catalog>");
    EXPECT_EQ(attributes(run(), "catalog/setups/setup", "id"), Names{"3"});
    EXPECT_EQ(state.tokens.productRegistryPath, "$HKEY_CURRENT_USER\\Software\\Other\\Dic");
}

TEST_F(GetXmlSetupsTest, UploadAlternativesAndTheUploadingSection) {
    temp.writeFile("Dic\\Ana\\User\\notas.txt", std::string(3000, 'a'));
    temp.writeFile("Dic\\Rui\\User\\notas.txt", "r");
    temp.writeFile("Dic\\A\\notas.txt", "a");
    temp.writeFile("Dic\\B\\notas.txt", "b");
    temp.writeFile("Dic\\Z\\notas.txt", "z");
    world.registry.addString(HKLM, "Software\\Velmora\\Dic\\3.0\\Upload", "n", "notas.txt");
    const std::string reg = "$HKEY_LOCAL_MACHINE\\$PRODUCT_REGPATH\\Upload";
    const std::string base = "$CSIDL_APPDATA\\Dic\\";
    const std::string longAlternatives = "Z|" + std::string(197, 'q');  // 199 characters: allowed
    const std::string tooLong = "Z|" + std::string(198, 'q');           // 200: refused
    struct Case {
        std::string defaultdir;
        Names found;  // relative to the temporary folder
    };
    const Case cases[] = {
        {base + "{Ana|Rui}\\User", {"Dic\\Ana\\User\\notas.txt", "Dic\\Rui\\User\\notas.txt"}},
        {base + "{A||B|}", {"Dic\\A\\notas.txt", "Dic\\B\\notas.txt"}},
        {base + "{ A|B}", {"Dic\\B\\notas.txt"}},  // alternatives keep their spaces
        {base + "}A|B{", {}},
        {base + "A{", {}},                           // one brace only: the text as it is
        {base + "Z/", {"Dic\\Z\\notas.txt"}},
        {base + "{" + longAlternatives + "}", {"Dic\\Z\\notas.txt"}},
        {base + "{" + tooLong + "}", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defaultdir);
        state.uploadItems.clear();
        serve("<catalog><setups/><dirs/><errors/><uploading><files reg=\"" + reg + "\" defaultdir=\"" + c.defaultdir +
              "\"/></uploading></catalog>");
        const std::string answer = run();
        Names paths;
        for (std::size_t i = 0; i < state.uploadItems.size(); ++i) paths.push_back(state.uploadItems.at(i).localPath);
        Names expected;
        for (const std::string& f : c.found) expected.push_back(world.locale->toLower(temp.path() + "\\" + f));
        EXPECT_EQ(paths, expected);
        EXPECT_EQ(has(answer, "catalog/uploading/files"), !expected.empty());
        EXPECT_EQ(state.uploading.empty(), expected.empty());
    }
}

TEST_F(GetXmlSetupsTest, UploadListIsNotEmptiedBetweenCalls) {
    temp.writeFile("up\\a.txt", std::string(1025, 'a'));
    world.registry.addString(HKCU, "Software\\Dic\\Up", "v", "a.txt");
    state.props.uploadURL = "http://first/";
    serve("<catalog><setups/><dirs/><errors/><uploading><files reg=\"$HKEY_CURRENT_USER\\Software\\Dic\\Up\" "
          "defaultdir=\"$CSIDL_APPDATA\\up\"/><files reg=\"$HKEY_CURRENT_USER\\Software\\Dic\\Up\" "
          "defaultdir=\"$CSIDL_APPDATA\\up\"/></uploading></catalog>");
    EXPECT_TRUE(has(run(), "catalog/uploading"));
    ASSERT_EQ(state.uploadItems.size(), 1u);
    EXPECT_EQ(state.uploadItems.at(0).sizeKb, 2);
    EXPECT_EQ(state.uploadItems.at(0).targetUrl, "http://first/");

    // The next catalogue names nothing that exists, but the list still holds an entry.
    serve("<catalog><setups/><dirs/><errors/><uploading><files reg=\"$HKEY_CURRENT_USER\\Software\\None\" "
          "defaultdir=\"x\"/></uploading></catalog>");
    EXPECT_TRUE(has(run(), "catalog/uploading"));
    EXPECT_EQ(state.uploadItems.size(), 1u);
}

TEST_F(GetXmlSetupsTest, FolderErrorKeepsUploadingWhenThereIsSomethingToUpload) {
    temp.writeFile("up\\a.txt", "a");
    world.registry.addString(HKCU, "Software\\Dic\\Up", "v", "a.txt");
    serve("<catalog><setups><setup id=\"1\" enable=\"1\"/></setups><dirs><dir required=\"1\" path=\"" + temp.path() +
          "\\No\"/></dirs><errors><error id=\"2\"/><error id=\"1\"/></errors><uploading><files "
          "reg=\"$HKEY_CURRENT_USER\\Software\\Dic\\Up\" defaultdir=\"$CSIDL_APPDATA\\up\"/></uploading></catalog>");
    const std::string answer = run();
    EXPECT_FALSE(has(answer, "catalog/setups"));
    EXPECT_FALSE(has(answer, "catalog/dirs"));
    EXPECT_EQ(attributes(answer, "catalog/errors/error", "id"), Names{"2"});
    EXPECT_TRUE(has(answer, "catalog/uploading/files"));
    // Update still finds the unfiltered setups through the kept handle.
    EXPECT_FALSE(state.setups.selectSingleNode("setup[@id='1']").empty());
}

}  // namespace
}  // namespace zu
