#include "catalog/InstalledProductName.h"

#include "common/Installer.h"

namespace zu {

bool readInstalledProductName(Installer& installer, const std::string& productCode, std::string& name) {
    installer.setInternalUI(msi::uiNone);
    InstallerHandle product = 0;
    if (installer.openProduct(productCode, product) != 0) return false;

    std::string buffer;
    std::uint32_t length = 0;
    std::uint32_t result = installer.getProductProperty(product, "ProductName", buffer, length);
    if (result == msi::errorMoreData) {
        length += 1;  // room for the terminating zero
        result = installer.getProductProperty(product, "ProductName", buffer, length);
    }
    installer.closeHandle(product);
    if (result != 0) return false;
    name = buffer;
    return true;
}

}  // namespace zu
