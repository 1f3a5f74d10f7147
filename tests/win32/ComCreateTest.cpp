// Creating COM objects by ProgID or by class id in brace form.
#include <gtest/gtest.h>

#include <msxml2.h>

#include "platform/win32/ComCreate.h"

namespace zu::win {
namespace {

HResult creationFailure(const std::wstring& progId) {
    try {
        createComObject<IXMLDOMDocument>(progId, IID_IXMLDOMDocument);
    } catch (const ComError& e) {
        return e.code();
    }
    return hr::ok;
}

TEST(ComCreateTest, ProgIdOrBracedClassIdGiveTheRequestedInterface) {
    // The class id of "Msxml2.DOMDocument.3.0".
    for (const wchar_t* name : {L"Msxml2.DOMDocument", L"{F5078F32-C551-11D3-89B9-0000F81FE221}"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        auto doc = createComObject<IXMLDOMDocument>(name, IID_IXMLDOMDocument);
        ASSERT_TRUE(doc);
        VARIANT_BOOL ok = VARIANT_FALSE;
        Bstr text(L"<catalog/>");
        EXPECT_EQ(doc->loadXML(text.get(), &ok), S_OK);
        EXPECT_EQ(ok, VARIANT_TRUE);
    }
}

TEST(ComCreateTest, FailuresCarryTheirCode) {
    EXPECT_EQ(creationFailure(L"Zelto.NoSuchClass"), static_cast<HResult>(CO_E_CLASSSTRING));
    EXPECT_EQ(creationFailure(L"{00000000-1111-2222-3333-444444444444}"), static_cast<HResult>(REGDB_E_CLASSNOTREG));
    EXPECT_EQ(creationFailure(L"{not a class id}"), static_cast<HResult>(CO_E_CLASSSTRING));
    // An object that exists but lacks the interface.
    try {
        createComObject<IXMLDOMDocument>(L"Msxml2.XMLHTTP", IID_IXMLDOMDocument);
        ADD_FAILURE() << "expected a failure";
    } catch (const ComError& e) {
        EXPECT_EQ(e.code(), static_cast<HResult>(E_NOINTERFACE));
    }
}

}  // namespace
}  // namespace zu::win
