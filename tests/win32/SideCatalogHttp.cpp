#include "support/SideCatalogHttp.h"

#include "platform/win32/ComSupport.h"
#include "platform/win32/XmlHttpCatalog.h"

namespace zu::test {

std::unique_ptr<CatalogHttp> makeSideCatalogHttp() { return std::make_unique<XmlHttpCatalog>(); }

std::string sideTextFromUtf8(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return win::narrow(wide);
}

}  // namespace zu::test
