// GetXMLProducts: the products catalogue reduced to the products installed here.
#include "catalog/CatalogMethods.h"
#include "catalog/InstalledProductName.h"
#include "catalog/LoadCatalog.h"
#include "common/Installer.h"
#include "control/ControlState.h"
#include "control/Ports.h"

namespace zu {

namespace {
// Installed for the current user and, when the catalogue names it, under that name.
bool isInstalledAsCatalogued(Installer& installer, const std::string& productCode, const std::string& expectedName) {
    if (installer.queryProductState(productCode) != msi::stateInstalled) return false;
    if (expectedName.empty()) return true;
    std::string installedName;  // stays empty when the lookup fails
    readInstalledProductName(installer, productCode, installedName);
    return installedName == expectedName;
}
}  // namespace

std::string getXmlProducts(ControlState& state, const Ports& ports) {
    const std::string& url = state.props.productsCatalogURL;
    if (url.empty()) return {};
    if (loadCatalog(state.catalogDocument, ports.xml, ports.http, url) != LoadOutcome::Loaded) return {};

    const XmlDocument& doc = state.catalogDocument;
    state.catalog = doc.selectSingleNode("catalog").asElement();
    state.products = doc.selectSingleNode("catalog/products").asElement();
    if (state.products.empty()) return doc.xml();

    for (const XmlNode& codeNode : state.products.selectNodes("product/productCode")) {
        state.currentProductCode = codeNode;
        const std::string productCode = codeNode.firstChild().text();
        const XmlNode product = codeNode.parentNode();
        const XmlNode nameNode = product.selectSingleNode("productNameMSI");
        const std::string expectedName = nameNode.empty() ? std::string() : nameNode.text();
        if (!isInstalledAsCatalogued(ports.installer, productCode, expectedName)) state.products.removeChild(product);
    }
    return doc.xml();
}

}  // namespace zu
