// $-token substitution and the split of registry locations.
#include <gtest/gtest.h>

#include "common/Locale.h"
#include "inspect/PathTokens.h"

namespace zu {
namespace {

TEST(PathTokensTest, SubstitutionCases) {
    struct Case {
        std::string regPath, appData, text, expected;
    };
    const Case cases[] = {
        {"Software\\Velmora\\Dic\\3.0", "C:\\AD", "$HKEY_LOCAL_MACHINE\\$PRODUCT_REGPATH\\Folder",
         "$HKEY_LOCAL_MACHINE\\Software\\Velmora\\Dic\\3.0\\Folder"},
        {"R", "C:\\AD", "$CSIDL_APPDATA\\A;$CSIDL_APPDATA\\B", "C:\\AD\\A;C:\\AD\\B"},
        {"R", "C:\\AD", "$csidl_appdata\\A", "$csidl_appdata\\A"},
        {"R", "C:\\AD", "$PRODUCT_REGPATHabc", "Rabc"},
        {"R", "", "$CSIDL_APPDATA\\Dic", "\\Dic"},
        {"X$CSIDL_APPDATA", "C:\\AD", "$PRODUCT_REGPATH", "XC:\\AD"},            // second pass expands it
        {"R", "$PRODUCT_REGPATH", "$CSIDL_APPDATA", "$PRODUCT_REGPATH"},         // first pass is over
        {"$PRODUCT_REGPATH!", "A", "$PRODUCT_REGPATH", "$PRODUCT_REGPATH!"},     // no re-expansion
        {"R", "C:\\AD", "$PRODUCT_REGPAT", "$PRODUCT_REGPAT"},
        {"R", "C:\\AD", "$$PRODUCT_REGPATH$", "$R$"},
    };
    for (const Case& c : cases) {
        PathTokens tokens{c.regPath, c.appData};
        std::string text = c.text;
        tokens.substitute(text);
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST(PathTokensTest, MatchesNeverStartOnATrailByte) {
    // A double-byte code page where 0x81 leads: "\x81$" is one character.
    struct Dbcs : Locale {
        bool isLeadByte(unsigned char b) const override { return b == 0x81; }
        std::string toLower(std::string_view t) const override { return std::string(t); }
    } dbcs;
    PathTokens tokens{"R", "AD"};
    std::string text = "\x81$CSIDL_APPDATA $CSIDL_APPDATA";
    tokens.substitute(text, &dbcs);
    EXPECT_EQ(text, "\x81$CSIDL_APPDATA AD");
}

TEST(PathTokensTest, SplitCases) {
    using R = RegistryRoot;
    struct Case {
        std::string text;
        bool root, value;
        std::optional<R> expRoot;
        std::string expKey, expValue;
    };
    const Case cases[] = {
        {"$HKEY_CURRENT_USER\\Software\\Dic\\Options\\Path", true, true, R::CurrentUser, "Software\\Dic\\Options", "Path"},
        {"$HKEY_CURRENT_USER\\Software\\Dic\\Options\\Path", true, false, R::CurrentUser, "Software\\Dic\\Options\\Path", ""},
        {"$HKEY_LOCAL_MACHINE\\Path", true, true, R::LocalMachine, "Path", ""},
        {"$HKEY_LOCAL_MACHINE", true, true, std::nullopt, "$HKEY_LOCAL_MACHINE", ""},
        {"$hkey_local_machine\\Software\\Dic", true, true, std::nullopt, "$hkey_local_machine\\Software", "Dic"},
        {"$HKEY_LOCAL_MACHINE\\Software\\Dic\\", true, true, R::LocalMachine, "Software\\Dic", ""},
        {"\\Path", false, true, std::nullopt, "\\Path", ""},
        {"$HKEY_LOCAL_MACHINE\\Software\\Velmora\\Dic\\3.0\\Folder", true, true, R::LocalMachine, "Software\\Velmora\\Dic\\3.0", "Folder"},
        {"$HKEY_LOCAL_MACHINEX\\A\\B", true, true, std::nullopt, "$HKEY_LOCAL_MACHINEX\\A", "B"},
        {"$HKEY_CURRENT_USER\\A\\\\B", true, false, R::CurrentUser, "A\\\\B", ""},
        {"Software\\Dic", true, false, std::nullopt, "Software\\Dic", ""},
    };
    for (const Case& c : cases) {
        const RegistryLocation loc = splitRegistryLocation(c.text, c.root, c.value);
        EXPECT_EQ(loc.root, c.expRoot) << c.text;
        EXPECT_EQ(loc.keyPath, c.expKey) << c.text;
        EXPECT_EQ(loc.valueName, c.expValue) << c.text;
    }
}

TEST(PathTokensTest, OverrideWithRootTokenSplitsAfterSubstitution) {
    PathTokens tokens{"$HKEY_CURRENT_USER\\Software\\Dic", "C:\\AD"};
    std::string text = "$PRODUCT_REGPATH\\Folder";
    tokens.substitute(text);
    const RegistryLocation loc = splitRegistryLocation(text, true, true);
    EXPECT_EQ(loc.root, RegistryRoot::CurrentUser);
    EXPECT_EQ(loc.keyPath, "Software\\Dic");
    EXPECT_EQ(loc.valueName, "Folder");
}

}  // namespace
}  // namespace zu
