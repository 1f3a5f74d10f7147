#include "platform/win32/XmlHttpCatalog.h"

#include <msxml2.h>

#include "platform/win32/ComCreate.h"
#include "platform/win32/ComSupport.h"

namespace zu {

using namespace win;

namespace {
// IXMLHTTPRequest; the import libraries of some toolchains lack this IID.
constexpr IID kIidXmlHttpRequest = {0xED8C108D, 0x4349, 0x11D2, {0x91, 0xA4, 0x00, 0xC0, 0x4F, 0x79, 0x69, 0xE8}};
}  // namespace

std::string XmlHttpCatalog::get(const std::string& url) {
    // The request object lives only for this one GET.
    auto request = createComObject<IXMLHTTPRequest>(L"Msxml2.XMLHTTP", kIidXmlHttpRequest);

    Bstr method(L"GET");
    Bstr target(widen(url));
    Variant async = Variant::fromBool(false);
    Variant user = Variant::missing();
    Variant password = Variant::missing();
    check(request->open(method.get(), target.get(), *async.get(), *user.get(), *password.get()), "XMLHTTP open");

    Variant noBody = Variant::missing();
    check(request->send(*noBody.get()), "XMLHTTP send");

    // Whatever the status, the body is the answer. A UTF-8 byte-order mark can survive the
    // decoding as U+FEFF, which no ANSI code page holds and no parser wants.
    Bstr text;
    check(request->get_responseText(text.put()), "XMLHTTP responseText");
    std::wstring body = text.str();
    if (!body.empty() && body.front() == L'\uFEFF') body.erase(0, 1);
    return narrow(body);
}

}  // namespace zu
