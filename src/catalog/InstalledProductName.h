#pragma once
// The "ProductName" the Windows Installer records for an installed product.
#include <string>

namespace zu {

class Installer;

// Sets the installer's interface level to "none" (left so), opens the product, reads
// "ProductName" (asking its length first) and closes the handle. False when the product
// cannot be opened or the property read; `name` is then unchanged.
bool readInstalledProductName(Installer& installer, const std::string& productCode, std::string& name);

}  // namespace zu
