#pragma once
// The real catalogue GET of the side a test program runs on (libcurl natively,
// "Msxml2.XMLHTTP" under Wine).
#include <memory>

#include "catalog/CatalogHttp.h"

namespace zu::test {

std::unique_ptr<CatalogHttp> makeSideCatalogHttp();

}  // namespace zu::test
