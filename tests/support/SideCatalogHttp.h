#pragma once
// The real catalogue GET of the side a test program runs on (libcurl natively,
// "Msxml2.XMLHTTP" under Wine).
#include <memory>
#include <string>

#include "catalog/CatalogHttp.h"

namespace zu::test {

std::unique_ptr<CatalogHttp> makeSideCatalogHttp();

// The core text of the side for a UTF-8 text: itself natively, the thread's ANSI code
// page under Windows.
std::string sideTextFromUtf8(const std::string& utf8);

}  // namespace zu::test
