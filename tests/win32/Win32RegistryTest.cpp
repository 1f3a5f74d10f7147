// The registry adapter and the probes above it, against real Wine registry keys made here.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>

#include "fakes/FakeShell.h"
#include "inspect/InstalledVersion.h"
#include "inspect/PathTokens.h"
#include "inspect/RegistryProbes.h"
#include "platform/win32/Win32Registry.h"
#include "support/SidePorts.h"

namespace zu {
namespace {

// A key tree made for one test and deleted afterwards.
class ScratchKey {
public:
    ScratchKey(HKEY root, std::string path) : root_(root), path_(std::move(path)) {}
    ~ScratchKey() { RegDeleteTreeA(root_, path_.c_str()); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    void subkey(const std::string& name) const {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root_, (path_ + "\\" + name).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void value(const std::string& name, DWORD type, const void* data, DWORD bytes) const {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root_, path_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void text(const std::string& name, const std::string& data) const {
        value(name, REG_SZ, data.c_str(), static_cast<DWORD>(data.size() + 1));
    }
    const std::string& path() const { return path_; }

private:
    HKEY root_;
    std::string path_;
};

std::string uniqueName(const char* prefix) { return prefix + std::to_string(GetCurrentProcessId()); }

TEST(Win32RegistryTest, InstalledVersionFromRealSubkeys) {
    const std::string product = uniqueName("ZuDic");
    ScratchKey versions(HKEY_LOCAL_MACHINE, "Software\\Velmora\\" + product);
    for (const char* name : {"5.0", "6.9", "6.10", "Settings"}) versions.subkey(name);
    Win32Registry registry;
    EXPECT_EQ(findInstalledVersion(registry, product), "6.10");

    versions.subkey("7." + std::string(62, '1'));  // 64 characters: fits
    EXPECT_EQ(findInstalledVersion(registry, product), "7." + std::string(62, '1'));
    versions.subkey("8." + std::string(63, '1'));  // 65: the whole lookup fails
    EXPECT_EQ(findInstalledVersion(registry, product), "0.0");
    EXPECT_EQ(findInstalledVersion(registry, uniqueName("ZuAbsent")), "0.0");
}

TEST(Win32RegistryTest, LocationsUnderBothRoots) {
    const std::string product = uniqueName("ZuLoc");
    ScratchKey machine(HKEY_LOCAL_MACHINE, "Software\\Velmora\\" + product);
    ScratchKey user(HKEY_CURRENT_USER, "Software\\" + product);
    machine.text("Folder", "C:\\Program Files\\Dic\\\\");
    const DWORD number = 7;
    user.value("Count", REG_DWORD, &number, sizeof number);
    user.text("Path", "D:\\Data");
    ScratchKey userStrings(HKEY_CURRENT_USER, "Software\\" + product + "\\Strings");
    // Names in alphabetical order: Wine enumerates values sorted, Windows as added.
    userStrings.text("A_Fits", std::string(255, 'd'));
    userStrings.text("B_TooLong", std::string(256, 'd'));
    userStrings.text("C_After", "E:\\After");

    Win32Registry registry;
    PathTokens tokens{"Software\\Velmora\\" + product, ""};
    const auto locale = test::makeSideLocale();
    auto read = [&](const std::string& location) { return readRegistryLocation(registry, tokens, *locale, location); };

    EXPECT_EQ(read("$HKEY_LOCAL_MACHINE\\$PRODUCT_REGPATH\\Folder"), "C:\\Program Files\\Dic");
    EXPECT_EQ(read("$HKEY_CURRENT_USER\\$PRODUCT_REGPATH\\Folder"), "");
    EXPECT_EQ(read("$HKEY_CURRENT_USER\\Software\\" + product + "\\Path"), "");  // the DWORD comes first
    EXPECT_EQ(read("$HKEY_CURRENT_USER\\Software\\" + product + "\\Strings\\A_Fits"), std::string(255, 'd'));
    EXPECT_EQ(read("$HKEY_CURRENT_USER\\Software\\" + product + "\\Strings\\C_After"), "");  // stopped by TooLong
}

TEST(Win32RegistryTest, EnumerationReportsNamesTypesAndData) {
    const std::string path = "Software\\" + uniqueName("ZuEnum");
    ScratchKey key(HKEY_CURRENT_USER, path);
    key.text("Name", "value");
    const char raw[3] = {'a', 'b', 'c'};  // a string stored without its zero
    key.value("Raw", REG_SZ, raw, 3);
    key.subkey("Child");

    Win32Registry registry;
    auto open = registry.open(RegistryRoot::CurrentUser, path);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->subkeyCount(), 1u);
    EXPECT_EQ(open->subkeyName(0, 65), "Child");
    EXPECT_EQ(open->subkeyName(0, 5), std::nullopt);  // "Child" and its zero need 6
    EXPECT_EQ(open->subkeyName(1, 65), std::nullopt);
    std::map<std::string, std::string> values;
    for (std::uint32_t i = 0;; ++i) {
        auto v = open->value(i, 256, 256);
        if (!v) break;
        EXPECT_EQ(v->type, regSz);
        values[v->name] = v->data;
    }
    EXPECT_EQ(values, (std::map<std::string, std::string>{{"Name", "value"}, {"Raw", "abc"}}));
    EXPECT_FALSE(registry.open(RegistryRoot::CurrentUser, path + "\\Absent"));
}

}  // namespace
}  // namespace zu
