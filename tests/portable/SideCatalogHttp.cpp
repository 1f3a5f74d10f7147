#include "support/SideCatalogHttp.h"

#include "platform/portable/CurlCatalogHttp.h"

namespace zu::test {

std::unique_ptr<CatalogHttp> makeSideCatalogHttp() { return std::make_unique<CurlCatalogHttp>(); }

}  // namespace zu::test

namespace zu::test {

std::string sideTextFromUtf8(const std::string& utf8) { return utf8; }

}  // namespace zu::test
