// The installed version: the highest leading dotted number among the version subkeys.
#include <gtest/gtest.h>

#include "fakes/InMemoryRegistry.h"
#include "inspect/InstalledVersion.h"

namespace zu {
namespace {

constexpr auto HKLM = RegistryRoot::LocalMachine;
const std::string kProductKey = "Software\\Velmora\\Dic";

TEST(InstalledVersionTest, ChoosesTheHighestNumberAsEnumerated) {
    struct Case {
        std::vector<std::string> subkeys;
        std::string expected;
    };
    const Case cases[] = {
        {{"5.0", "6.5", "Settings"}, "6.5"},
        {{"6.9", "6.10"}, "6.10"},           // components compare as integers
        {{"6.10", "6.9"}, "6.10"},
        {{"7", "7.0"}, "7"},                 // equal numbers: the first enumerated wins
        {{"7.0", "7"}, "7.0"},
        {{"6.5 SP1", "6.4"}, "6.5 SP1"},     // the name itself, not a reformatted number
        {{"6.5", "6.5 SP1"}, "6.5"},
        {{"0.0"}, "0.0"},
        {{"0", "-3.0", "Settings", ".5"}, "0.0"},  // no leading positive number: never chosen
        {{"0.0.1"}, "0.0.1"},
        {{" 2.0", "1.99"}, " 2.0"},          // leading blanks are skipped
        {{"10.0", "9.99999999999999999999"}, "10.0"},  // long components do not overflow
        {{"3.", "3.0.0.1"}, "3.0.0.1"},
        {{}, "0.0"},
    };
    for (const Case& c : cases) {
        test::InMemoryRegistry registry;
        registry.key(HKLM, kProductKey);
        for (const std::string& name : c.subkeys) registry.key(HKLM, kProductKey + "\\" + name);
        EXPECT_EQ(findInstalledVersion(registry, "Dic"), c.expected) << ::testing::PrintToString(c.subkeys);
    }
}

TEST(InstalledVersionTest, UnreadableKeysGiveNoVersion) {
    test::InMemoryRegistry absent;
    EXPECT_EQ(findInstalledVersion(absent, "Dic"), "0.0");
    EXPECT_EQ(absent.opened, std::vector<std::string>{"HKLM\\Software\\Velmora\\Dic"});

    test::InMemoryRegistry noInfo;
    noInfo.key(HKLM, kProductKey + "\\6.5");
    noInfo.key(HKLM, kProductKey).infoFails = true;
    EXPECT_EQ(findInstalledVersion(noInfo, "Dic"), "0.0");

    // A name of 64 characters fits the buffer; one of 65 ends the whole lookup.
    for (auto [length, expected] : {std::pair{64u, true}, std::pair{65u, false}}) {
        test::InMemoryRegistry registry;
        const std::string name = "9." + std::string(length - 2, '1');
        registry.key(HKLM, kProductKey + "\\6.5");
        registry.key(HKLM, kProductKey + "\\" + name);
        EXPECT_EQ(findInstalledVersion(registry, "Dic"), expected ? name : "0.0") << length;
    }
}

}  // namespace
}  // namespace zu
