#include "catalog/CatalogMethods.h"

namespace zu {

// Placeholder until product discovery lands.
std::string getXmlProducts(ControlState&, const Ports&) { return {}; }

}  // namespace zu
