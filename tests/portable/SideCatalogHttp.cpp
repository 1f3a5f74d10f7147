#include "support/SideCatalogHttp.h"

#include "platform/portable/CurlCatalogHttp.h"

namespace zu::test {

std::unique_ptr<CatalogHttp> makeSideCatalogHttp() { return std::make_unique<CurlCatalogHttp>(); }

}  // namespace zu::test
