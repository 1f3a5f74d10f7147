// The msi.dll adapter against a real per-user package installed into the Wine prefix.
#include <gtest/gtest.h>
#include <windows.h>
#include <msi.h>

#include "catalog/CatalogMethods.h"
#include "catalog/InstalledProductName.h"
#include "control/ControlState.h"
#include "inspect/CompareFolder.h"
#include "inspect/PathTokens.h"
#include "inspect/RegistryProbes.h"
#include "platform/win32/MsiInstaller.h"
#include "platform/win32/Win32Registry.h"
#include "support/TestPorts.h"

namespace zu {
namespace {

constexpr const char* kProduct = "{6F1C3E2A-5B7D-4C8E-9A10-2B3C4D5E6F70}";
constexpr const char* kFileComponent = "{6F1C3E2A-5B7D-4C8E-9A10-2B3C4D5E6F72}";
constexpr const char* kRegistryComponent = "{6F1C3E2A-5B7D-4C8E-9A10-2B3C4D5E6F73}";
constexpr const char* kProductName = "Dicion\xE1rio Zu Probe";  // as recorded, in code page 1252

class MsiInstallerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
#ifdef ZU_PROBE_MSI
        // The package is built on the host; the Wine prefix sees the host's root as Z:.
        std::string package = std::string("Z:") + ZU_PROBE_MSI;
        for (char& c : package)
            if (c == '/') c = '\\';
        MsiInstaller installer;
        installer.setInternalUI(msi::uiNone);
        installResult_ = installer.installProduct(package, "");
#endif
    }
    static void TearDownTestSuite() {
        MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
        MsiConfigureProductA(kProduct, INSTALLLEVEL_DEFAULT, INSTALLSTATE_ABSENT);
    }
    void SetUp() override {
#ifndef ZU_PROBE_MSI
        GTEST_SKIP() << "no probe package (wixl was not found)";
#endif
        ASSERT_EQ(installResult_, 0u);
    }

    MsiInstaller installer;
    static inline std::uint32_t installResult_ = 1;
};

TEST_F(MsiInstallerTest, InstalledProductIsReportedWithItsName) {
    EXPECT_EQ(installer.queryProductState(kProduct), msi::stateInstalled);
    EXPECT_NE(installer.queryProductState("{00000000-0000-0000-0000-000000000001}"), msi::stateInstalled);

    std::string name;
    EXPECT_TRUE(readInstalledProductName(installer, kProduct, name));
    EXPECT_EQ(name, kProductName);
    EXPECT_FALSE(readInstalledProductName(installer, "{00000000-0000-0000-0000-000000000001}", name));

    InstallerHandle handle = 0;
    ASSERT_EQ(installer.openProduct(kProduct, handle), 0u);
    std::string buffer;
    std::uint32_t length = 0;
    EXPECT_EQ(installer.getProductProperty(handle, "ProductName", buffer, length), msi::errorMoreData);
    EXPECT_EQ(length, std::string(kProductName).size());
    length = 4;
    EXPECT_EQ(installer.getProductProperty(handle, "ProductName", buffer, length), msi::errorMoreData);
    installer.closeHandle(handle);
}

TEST_F(MsiInstallerTest, ComponentPathsOfFileAndRegistryComponents) {
    const std::string file = findComponentPath(installer, kProduct, kFileComponent);
    ASSERT_GE(file.size(), 17u);
    EXPECT_EQ(file.substr(file.size() - 17), "\\ZuProbe\\Main.txt");
    EXPECT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);

    // A registry key path is never taken for a file: Windows answers it in the "0n:\"
    // form, which is refused; Wine reports such a component as absent.
    std::string raw;
    std::uint32_t length = 1024;
    const int state = installer.getComponentPath(kProduct, kRegistryComponent, raw, length);
    if (state == msi::stateLocal) {
        EXPECT_EQ(raw.substr(0, 4), "01:\\") << raw;
    }
    EXPECT_EQ(findComponentPath(installer, kProduct, kRegistryComponent), "");
    EXPECT_EQ(findComponentPath(installer, "{00000000-0000-0000-0000-000000000001}", kFileComponent), "");
}

TEST_F(MsiInstallerTest, TheInstalledFolderIsFoundThroughTheRegistry) {
    Win32Registry registry;
    PathTokens tokens;
    const auto locale = test::makeSideLocale();
    const std::string folder =
        readRegistryLocation(registry, tokens, *locale, "$HKEY_CURRENT_USER\\Software\\Velmora\\ZuProbe\\Folder");
    const std::string file = findComponentPath(installer, kProduct, kFileComponent);
    EXPECT_EQ(folder + "\\Main.txt", file);  // the trailing "\" of [INSTALLDIR] is removed
}

// Both catalogue methods with the real installer and registry behind them.
TEST_F(MsiInstallerTest, CataloguesAreEvaluatedAgainstTheInstalledPackage) {
    std::unique_ptr<test::TestPorts> world;
    try {
        world = std::make_unique<test::TestPorts>();
    } catch (const std::exception& e) {
        GTEST_SKIP() << e.what();
    }
    Win32Registry registry;
    Ports ports{*world->xml,  world->http,  registry,       *world->files,  *world->clock,
                installer,    world->shell, world->strings, *world->locale, world->update};
    ControlState state;

    state.props.productsCatalogURL = "http://srv/products";
    world->http.bodies["http://srv/products"] =
        std::string("<catalog><products>") +
        "<product id=\"1\"><productCode>" + kProduct + "</productCode><productNameMSI>" + kProductName +
        "</productNameMSI></product>"
        "<product id=\"2\"><productCode>" + kProduct + "</productCode><productNameMSI>Dicionario Zu Probe"
        "</productNameMSI></product>"
        "<product id=\"3\"><productCode>{00000000-0000-0000-0000-000000000001}</productCode></product>"
        "</products></catalog>";
    XmlDocument products = world->xml->createDocument();
    ASSERT_TRUE(products.loadXML(getXmlProducts(state, ports)));
    const XmlNodeList kept = products.selectNodes("catalog/products/product");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].getAttribute("id"), "1");

    // The installed file is older than this release, found through its component; the
    // folder through the registry value the package wrote.
    state.props.productName = "ZuProbe";
    state.props.productVersion = "1.0";
    state.props.catalogURL = "http://srv/setups";
    world->http.bodies["http://srv/setups?productName=ZuProbe&productVersion=1.0"] =
        std::string("<catalog productCode=\"") + kProduct + "\"><setups><setup id=\"1\" enable=\"0\"/>"
        "<setup id=\"2\" enable=\"0\"/></setups><dirs><dir required=\"1\" "
        "registry=\"$HKEY_CURRENT_USER\\Software\\Velmora\\ZuProbe\\Folder\">"
        "<f name=\"Elsewhere.txt\" componentGUID=\"" + kFileComponent + "\" lastmodified=\"01-01-2999 00:00:00\" "
        "setup=\"1\"/><f name=\"Main.txt\" lastmodified=\"01-01-1999 00:00:00\" required=\"1\" setup=\"2\"/>"
        "</dir></dirs><errors><error id=\"2\"/></errors></catalog>";
    XmlDocument setups = world->xml->createDocument();
    ASSERT_TRUE(setups.loadXML(getXmlSetups(state, ports)));
    const XmlNodeList offered = setups.selectNodes("catalog/setups/setup");
    ASSERT_EQ(offered.size(), 1u) << setups.xml();
    EXPECT_EQ(offered[0].getAttribute("id"), "1");
    EXPECT_EQ(state.productCode, kProduct);
}

}  // namespace
}  // namespace zu
