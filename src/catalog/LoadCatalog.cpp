#include "catalog/LoadCatalog.h"

#include "catalog/CatalogHttp.h"
#include "common/Text.h"

namespace zu {

namespace {
constexpr const char* kErrorCatalog =
    "<catalog><errors><error id=\"0\"><summary>\"<descricao>\"</summary></error></errors></catalog>";

// Escapes what would break the template's well-formedness.
std::string escapeXml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}
}  // namespace

LoadOutcome loadCatalog(XmlDocument& slot, XmlFactory& xml, CatalogHttp& http, const std::string& url) {
    slot = XmlDocument();
    slot = xml.createDocument();
    const std::string body = http.get(url);
    if (slot.empty()) return LoadOutcome::ParseFailure;
    slot.loadXML(body);
    return slot.parseErrorCode() == 0 ? LoadOutcome::Loaded : LoadOutcome::ParseFailure;
}

std::string makeErrorCatalog(const std::string& message) {
    std::string text = kErrorCatalog;
    replaceAll(text, "<descricao>", escapeXml(message));
    return text;
}

}  // namespace zu
