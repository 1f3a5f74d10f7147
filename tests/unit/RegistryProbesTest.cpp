// The registry location of a folder, and the files a registry key names for upload.
#include <gtest/gtest.h>

#include "fakes/InMemoryRegistry.h"
#include "inspect/PathTokens.h"
#include "inspect/RegistryProbes.h"
#include "support/SidePorts.h"
#include "update/WorkLists.h"

namespace zu {
namespace {

constexpr auto HKLM = RegistryRoot::LocalMachine;
constexpr auto HKCU = RegistryRoot::CurrentUser;

struct RegistryLocationTest : ::testing::Test {
    test::InMemoryRegistry registry;
    PathTokens tokens{"Software\\Velmora\\Dic\\3.0", "C:\\Users\\ana\\AppData"};
    std::unique_ptr<Locale> locale = test::makeSideLocale();

    std::string read(const std::string& location) {
        return readRegistryLocation(registry, tokens, *locale, location);
    }
};

TEST_F(RegistryLocationTest, ReadsTheNamedStringValue) {
    registry.addString(HKLM, "Software\\Velmora\\Dic\\3.0", "Other", "X");
    registry.addString(HKLM, "Software\\Velmora\\Dic\\3.0", "Folder", "C:\\Dic\\\\");
    registry.addString(HKCU, "Software\\Dic\\Options", "Path", "D:\\Data");
    registry.addString(HKLM, "Software\\Root", "", "E:\\Default");

    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\$PRODUCT_REGPATH\\Folder"), "C:\\Dic");  // trailing "\" removed
    EXPECT_EQ(read("$HKEY_CURRENT_USER\\Software\\Dic\\Options\\Path"), "D:\\Data");
    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\Software\\Root\\"), "E:\\Default");     // the default value
    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\$PRODUCT_REGPATH\\folder"), "");         // value names match exactly
    EXPECT_EQ(read("$hkey_local_machine\\$PRODUCT_REGPATH\\Folder"), "");         // no root token
    EXPECT_EQ(read("Software\\Velmora\\Dic\\3.0\\Folder"), "");
    EXPECT_EQ(read("$HKEY_CURRENT_USER\\$PRODUCT_REGPATH\\Folder"), "");          // other root
    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\Software\\Missing\\Folder"), "");
}

TEST_F(RegistryLocationTest, AnyOtherValueTypeMetFirstEndsTheSearch) {
    const std::string key = "Software\\Dic";
    registry.addValue(HKLM, key, RegistryValue{"Count", 4, std::string(4, '\0')});  // REG_DWORD
    registry.addString(HKLM, key, "Folder", "C:\\Dic");
    registry.addString(HKLM, "Software\\Expand", "Folder", "C:\\A");
    registry.addValue(HKLM, "Software\\Expand", RegistryValue{"Path", 2, "%APPDATA%"});  // REG_EXPAND_SZ
    registry.addString(HKLM, "Software\\Expand", "Later", "C:\\B");

    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\Software\\Dic\\Folder"), "");
    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\Software\\Expand\\Folder"), "C:\\A");
    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\Software\\Expand\\Path"), "");
    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\Software\\Expand\\Later"), "");
}

TEST_F(RegistryLocationTest, BufferLimitsEndTheSearch) {
    // 255 name characters and 255 data bytes (plus the zero) fit; one more does not.
    const std::string fitsName(255, 'n'), longName(256, 'n');
    registry.addString(HKLM, "Software\\A", fitsName, std::string(255, 'd'));
    registry.addString(HKLM, "Software\\B", "Folder", std::string(256, 'd'));
    registry.addString(HKLM, "Software\\C", longName, "X");
    registry.addString(HKLM, "Software\\C", "Folder", "C:\\C");
    registry.key(HKLM, "Software\\D").infoFails = true;
    registry.addString(HKLM, "Software\\D", "Folder", "C:\\D");

    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\Software\\A\\" + fitsName), std::string(255, 'd'));
    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\Software\\B\\Folder"), "");
    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\Software\\C\\Folder"), "");
    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\Software\\D\\Folder"), "");
}

struct CollectUploadFilesTest : ::testing::Test {
    test::InMemoryRegistry registry;
    std::unique_ptr<FileSystem> files = test::makeSideFileSystem();
    std::unique_ptr<Locale> locale = test::makeSideLocale();
    test::TempFolder temp;
    UploadItemList list;

    void collect(const std::string& key, const std::string& folder, const std::string& url = "http://up/") {
        collectUploadFiles(registry, *files, *locale, list, key, folder, url);
    }
};

TEST_F(CollectUploadFilesTest, EveryStringValueNamesAFile) {
    temp.writeFile("Data\\Notas.TXT", std::string(1024, 'x'));
    temp.writeFile("Data\\Um.txt", "1");
    temp.writeFile("Data\\Vazio.txt", "");
    const std::string other = temp.writeFile("Other\\Full.dat", std::string(2049, 'y'));
    const std::string data = temp.path() + "\\Data";
    const std::string key = "Software\\Velmora\\Dic\\Upload";
    registry.addString(HKCU, key, "a", "Notas.TXT");
    registry.addValue(HKCU, key, RegistryValue{"n", 4, std::string(4, '\0')});  // skipped, not an end
    registry.addString(HKCU, key, "b", "Um.txt");
    registry.addString(HKCU, key, "c", "Vazio.txt");     // empty file: no item
    registry.addString(HKCU, key, "d", "Missing.txt");
    registry.addString(HKCU, key, "e", other);           // holds "\": used as it is

    collect("$HKEY_CURRENT_USER\\" + key, data + "//", "http://srv/up.asp");

    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.at(0).localPath, locale->toLower(data + "\\Notas.TXT"));
    EXPECT_EQ(list.at(0).sizeKb, 2);
    EXPECT_EQ(list.at(0).targetUrl, "http://srv/up.asp");
    EXPECT_EQ(list.at(1).localPath, locale->toLower(data + "\\Um.txt"));
    EXPECT_EQ(list.at(1).sizeKb, 1);
    EXPECT_EQ(list.at(2).localPath, locale->toLower(other));
    EXPECT_EQ(list.at(2).sizeKb, 3);
}

TEST_F(CollectUploadFilesTest, RootDefaultsToLocalMachineAndDuplicatesAreRefused) {
    temp.writeFile("A.txt", "abc");
    registry.addString(HKLM, "Software\\Up", "x", "A.txt");
    registry.addString(HKLM, "Software\\Up", "y", "a.TXT");  // the same file once lower-cased... if it exists
    collect("Software\\Up", temp.path());
    collect("$HKEY_LOCAL_MACHINE\\Software\\Up", temp.path(), "http://second/");
    ASSERT_GE(list.size(), 1u);
    EXPECT_EQ(list.at(0).localPath, locale->toLower(temp.path() + "\\A.txt"));
    EXPECT_EQ(list.at(0).targetUrl, "http://up/");
    // A case-insensitive file system finds "a.TXT" too; it lower-cases to the same path.
    EXPECT_EQ(list.size(), 1u);
    EXPECT_EQ(registry.opened, (std::vector<std::string>{"HKLM\\Software\\Up", "HKLM\\Software\\Up"}));
}

TEST_F(CollectUploadFilesTest, UnreadableKeysAddNothing) {
    temp.writeFile("A.txt", "abc");
    registry.key(HKLM, "Software\\NoInfo").infoFails = true;
    registry.addString(HKLM, "Software\\NoInfo", "x", "A.txt");
    registry.addString(HKLM, "Software\\Dic", "x", "A.txt");
    collect("$HKEY_LOCAL_MACHINE\\Software\\NoInfo", temp.path());
    collect("$HKEY_LOCAL_MACHINE\\Software\\Absent", temp.path());
    collect("$HKEY_CURRENT_USER\\Software\\Dic", temp.path());
    EXPECT_EQ(list.size(), 0u);
    // A trailing "\" of the folder is kept, so the path has a doubled separator.
    collect("$HKEY_LOCAL_MACHINE\\Software\\Dic", temp.path() + "\\");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.at(0).localPath, locale->toLower(temp.path() + "\\\\A.txt"));
}

TEST_F(CollectUploadFilesTest, PathsLongerThanTheSearchAcceptsAreNeverFound) {
    const std::string folder = std::string(200, 'd');
    const std::string file(100, 'f');
    std::string path;
    try {
        path = temp.writeFile(folder + "\\" + file, "abc");
    } catch (...) {
    }
    if (path.empty() || files->find(path).empty()) GTEST_SKIP() << "the file system refuses long names";
    ASSERT_GT(path.size(), 259u);
    registry.addString(HKLM, "Software\\Long", "x", file);
    collect("Software\\Long", temp.path() + "\\" + folder);
    EXPECT_EQ(list.size(), 0u);
}

}  // namespace
}  // namespace zu
