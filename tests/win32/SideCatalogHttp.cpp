#include "support/SideCatalogHttp.h"

#include "platform/win32/XmlHttpCatalog.h"

namespace zu::test {

std::unique_ptr<CatalogHttp> makeSideCatalogHttp() { return std::make_unique<XmlHttpCatalog>(); }

}  // namespace zu::test
