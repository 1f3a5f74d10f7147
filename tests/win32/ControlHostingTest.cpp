// The control's COM object as a container hosts it: persistence through a property bag
// and a stream, drawing through IViewObject, the scripting surface through IDispatch and
// the type library.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "control/DispatchTable.h"
#include "platform/win32/ComSupport.h"
#include "platform/win32/com/ControlObject.h"
#include "platform/win32/com/Guids.h"

namespace zu::win {
namespace {

// A container's property bag: named values kept in memory.
class MemoryPropertyBag final : public IPropertyBag {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        *out = (iid == IID_IUnknown || iid == IID_IPropertyBag) ? static_cast<IPropertyBag*>(this) : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }  // lives on the test's stack
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        auto it = values.find(name);
        if (it == values.end()) return E_INVALIDARG;
        return VariantCopy(value, it->second.get());
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override {
        return VariantCopy(values[name].put(), value);
    }
    std::map<std::wstring, Variant> values;
};

class ControlHostingTest : public ::testing::Test {
protected:
    static ComPtr<IUnknown> newControl(ModuleContext& module) {
        ComPtr<IUnknown> object;
        EXPECT_EQ(S_OK, ControlObject::create(module, makeWin32Ports(module.instance()), IID_IUnknown,
                                              object.putVoid()));
        return object;
    }
    static ControlObject& impl(const ComPtr<IUnknown>& object) {
        return *static_cast<ControlObject*>(static_cast<IDispatch*>(object.as<IDispatch>(IID_IDispatch).get()));
    }
    static ControlProperties sampleProperties() {
        ControlProperties p;
        p.allowUploads = true;
        p.downloadURL = "http://s/dl?f=";
        p.catalogURL = "http://s/cat.asp";
        p.productsCatalogURL = "http://s/prod.xml";
        p.productName = "Dicion\xE1rio";  // code page 1252
        p.productVersion = "3.0";
        p.uploadURL = "http://s/up";
        return p;
    }

    ComApartment apartment_;
    ModuleContext module_{GetModuleHandleW(nullptr)};
};

TEST_F(ControlHostingTest, PropertyBagRoundTripCarriesTheWholePersistedForm) {
    auto saved = newControl(module_);
    impl(saved).control().setProperties(sampleProperties());
    SIZEL extent{3000, 1000};
    ASSERT_EQ(S_OK, saved.as<IOleObject>(IID_IOleObject)->SetExtent(DVASPECT_CONTENT, &extent));

    MemoryPropertyBag bag;
    ASSERT_EQ(S_OK, saved.as<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(&bag, TRUE, TRUE));
    EXPECT_EQ(VT_I4, bag.values[L"_Version"].get()->vt);
    EXPECT_EQ(65536, bag.values[L"_Version"].get()->lVal);
    EXPECT_EQ(3000, bag.values[L"_ExtentX"].get()->lVal);
    EXPECT_EQ(1000, bag.values[L"_ExtentY"].get()->lVal);
    EXPECT_EQ(1u, bag.values.count(L"_StockProps"));
    EXPECT_EQ(VT_BOOL, bag.values[L"allowUploads"].get()->vt);
    EXPECT_EQ(std::wstring(L"Dicion\u00e1rio"), bag.values[L"productName"].get()->bstrVal);

    auto loaded = newControl(module_);
    ASSERT_EQ(S_OK, loaded.as<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr));
    EXPECT_EQ(sampleProperties(), impl(loaded).control().properties());
    SIZEL loadedExtent{};
    loaded.as<IOleObject>(IID_IOleObject)->GetExtent(DVASPECT_CONTENT, &loadedExtent);
    EXPECT_EQ(3000, loadedExtent.cx);
    EXPECT_EQ(1000, loadedExtent.cy);
}

TEST_F(ControlHostingTest, LoadingLeavesPropertiesTheDataLacksAndResetKeepsThemAll) {
    auto saved = newControl(module_);
    impl(saved).control().setProperties(sampleProperties());
    MemoryPropertyBag bag;
    saved.as<IPersistPropertyBag>(IID_IPersistPropertyBag)->Save(&bag, TRUE, TRUE);
    bag.values.erase(L"uploadURL");
    bag.values.erase(L"allowUploads");

    auto loaded = newControl(module_);
    impl(loaded).control().setProperty(&ControlProperties::uploadURL, std::string("http://kept/"));
    ASSERT_EQ(S_OK, loaded.as<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(&bag, nullptr));
    ControlProperties expected = sampleProperties();
    expected.uploadURL = "http://kept/";
    expected.allowUploads = false;
    EXPECT_EQ(expected, impl(loaded).control().properties());

    ASSERT_EQ(S_OK, loaded.as<IPersistStreamInit>(IID_IPersistStreamInit)->InitNew());
    EXPECT_EQ(expected, impl(loaded).control().properties());
}

TEST_F(ControlHostingTest, StreamRoundTripAndDirtyFlag) {
    auto saved = newControl(module_);
    auto persist = saved.as<IPersistStreamInit>(IID_IPersistStreamInit);
    EXPECT_EQ(S_FALSE, persist->IsDirty());

    // A write through the scripting surface marks the control modified.
    auto dispatch = saved.as<IDispatch>(IID_IDispatch);
    Variant value = Variant::fromBstr(L"Dic");
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS put{value.get(), &putId, 1, 1};
    ASSERT_EQ(S_OK, dispatch->Invoke(5, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr));
    EXPECT_EQ(S_OK, persist->IsDirty());
    impl(saved).control().setProperties(sampleProperties());

    ComPtr<IStream> stream;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, stream.put()));
    ASSERT_EQ(S_OK, persist->Save(stream.get(), TRUE));
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    ULARGE_INTEGER size{}, end{};
    persist->GetSizeMax(&size);
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &end);
    EXPECT_EQ(size.QuadPart, end.QuadPart);

    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    auto loaded = newControl(module_);
    ASSERT_EQ(S_OK, loaded.as<IPersistStreamInit>(IID_IPersistStreamInit)->Load(stream.get()));
    EXPECT_EQ(sampleProperties(), impl(loaded).control().properties());
}

TEST_F(ControlHostingTest, DrawsWhiteRectangleAndInscribedEllipseWithTheCurrentPenAndBrush) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 120, -60, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(nullptr, bitmap);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const RECT all{0, 0, 120, 60};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(GRAY_BRUSH));

    auto control = newControl(module_);
    const RECTL bounds{10, 10, 110, 50};  // 100 by 40
    ASSERT_EQ(S_OK, control.as<IViewObject2>(IID_IViewObject2)
                        ->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0));
    GdiFlush();
    auto pixel = [&](int x, int y) { return static_cast<const DWORD*>(bits)[y * 120 + x] & 0xFFFFFF; };
    EXPECT_EQ(0xFFFFFFu, pixel(11, 11)) << "corner inside the rectangle, outside the ellipse";
    EXPECT_EQ(0xFFFFFFu, pixel(109, 49));
    EXPECT_EQ(0x808080u, pixel(60, 30)) << "inside the ellipse: the current brush";
    EXPECT_EQ(0x000000u, pixel(60, 10)) << "top of the ellipse: the current pen";
    EXPECT_EQ(0x000000u, pixel(5, 5)) << "outside the rectangle: untouched";
    EXPECT_EQ(0x000000u, pixel(110, 30));

    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(ControlHostingTest, ScriptingSurfaceReportsSafetyPagesAndNames) {
    auto control = newControl(module_);
    DWORD supported = 0, enabled = 0;
    ASSERT_EQ(S_OK, control.as<IObjectSafety>(IID_IObjectSafety)
                        ->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled));
    const DWORD safe = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;
    EXPECT_EQ(safe, enabled & safe);

    CAUUID pages{};
    ASSERT_EQ(S_OK, control.as<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages)->GetPages(&pages));
    ASSERT_EQ(1u, pages.cElems);
    EXPECT_TRUE(IsEqualGUID(kPropPageClsid, pages.pElems[0]));
    CoTaskMemFree(pages.pElems);

    DWORD status = 0;
    control.as<IOleObject>(IID_IOleObject)->GetMiscStatus(DVASPECT_CONTENT, &status);
    EXPECT_EQ(0x20191u, status);

    // Id 8 writes the property that the name productsCatalogURL (id 4) reads.
    auto dispatch = control.as<IDispatch>(IID_IDispatch);
    wchar_t name[] = L"PRODUCTSCATALOGURL";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id));
    EXPECT_EQ(4, id);
    Variant value = Variant::fromBstr(L"http://s/p.xml");
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS put{value.get(), &putId, 1, 1};
    ASSERT_EQ(S_OK, dispatch->Invoke(8, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr));
    Variant read;
    DISPPARAMS none{};
    ASSERT_EQ(S_OK, dispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, read.get(), nullptr, nullptr));
    EXPECT_EQ(std::wstring(L"http://s/p.xml"), read.get()->bstrVal);

    wchar_t unknown[] = L"Nope";
    LPOLESTR unknownNames[] = {unknown};
    EXPECT_EQ(DISP_E_UNKNOWNNAME, dispatch->GetIDsOfNames(IID_NULL, unknownNames, 1, 0, &id));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
              dispatch->Invoke(14, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr));
}

// The type library in the built module resolves every name to the id of the dispatch table.
TEST_F(ControlHostingTest, TypeLibraryMemberIdsMatchTheDispatchTable) {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring ocx = exe;
    ocx = ocx.substr(0, ocx.find_last_of(L'\\')) + L"\\..\\ZeltoUpdate.ocx";
    ComPtr<ITypeLib> library;
    if (FAILED(LoadTypeLibEx(ocx.c_str(), REGKIND_NONE, library.put())))
        GTEST_SKIP() << "ZeltoUpdate.ocx not built next to the tests folder";
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(S_OK, library->GetTypeInfoOfGuid(kDispatchIid, info.put()));
    for (const DispatchMember& m : dispatchTable()) {
        std::wstring name = widen(std::string(m.name));
        LPOLESTR names[] = {name.data()};
        MEMBERID id = 0;
        ASSERT_EQ(S_OK, info->GetIDsOfNames(names, 1, &id)) << m.name;
        EXPECT_EQ(*findMemberId(m.name), id) << m.name;
    }
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, info->GetTypeAttr(&attributes));
    EXPECT_EQ(7, attributes->cVars) << "id 8 is not described";
    info->ReleaseTypeAttr(attributes);
}

}  // namespace
}  // namespace zu::win

namespace zu::win {
namespace {

// The built module loaded as a host loads it: its class objects, the property page on
// dialog 200, and the unload rule.
class LoadedModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t exe[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring path = exe;
        path = path.substr(0, path.find_last_of(L'\\')) + L"\\..\\ZeltoUpdate.ocx";
        module_ = LoadLibraryW(path.c_str());
        if (!module_) GTEST_SKIP() << "ZeltoUpdate.ocx not built next to the tests folder";
        getClassObject_ = reinterpret_cast<decltype(getClassObject_)>(reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
        canUnloadNow_ = reinterpret_cast<decltype(canUnloadNow_)>(reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
        ASSERT_TRUE(getClassObject_ && canUnloadNow_);
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }

    ComApartment apartment_;
    HMODULE module_ = nullptr;
    HRESULT(STDAPICALLTYPE* getClassObject_)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT(STDAPICALLTYPE* canUnloadNow_)() = nullptr;
};

TEST_F(LoadedModuleTest, PropertyPageShowsItsOneTextAndTheModuleUnloadsOnlyWhenUnused) {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, getClassObject_(kPropPageClsid, IID_IClassFactory, factory.putVoid()));
    ComPtr<IPropertyPage> page;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IPropertyPage, page.putVoid()));
    EXPECT_EQ(S_FALSE, canUnloadNow_());

    PROPPAGEINFO info{};
    ASSERT_EQ(S_OK, page->GetPageInfo(&info));
    EXPECT_EQ(std::wstring(L"General"), info.pszTitle);
    CoTaskMemFree(info.pszTitle);

    HWND parent = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 500, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(nullptr, parent);
    const RECT area{0, 0, 400, 120};
    ASSERT_EQ(S_OK, page->Activate(parent, &area, FALSE));
    HWND dialog = GetWindow(parent, GW_CHILD);
    ASSERT_NE(nullptr, dialog);
    HWND text = GetWindow(dialog, GW_CHILD);
    ASSERT_NE(nullptr, text);
    wchar_t buffer[256] = {};
    GetWindowTextW(text, buffer, 256);
    EXPECT_EQ(std::wstring(L"TODO: Place controls to manipulate properties of ZeltoUpdate Control on this dialog."),
              buffer);
    EXPECT_EQ(nullptr, GetWindow(text, GW_HWNDNEXT)) << "one control only";
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(S_OK, page->Deactivate());
    DestroyWindow(parent);

    page.reset();
    EXPECT_EQ(S_OK, canUnloadNow_());
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject_(kTypeLibId, IID_IClassFactory, factory.putVoid()));
}

TEST_F(LoadedModuleTest, ControlFactoryRefusesAggregationAndCreatesTheControl) {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, getClassObject_(kControlClsid, IID_IClassFactory, factory.putVoid()));
    ComPtr<IUnknown> object;
    EXPECT_EQ(CLASS_E_NOAGGREGATION,
              factory->CreateInstance(reinterpret_cast<IUnknown*>(factory.get()), IID_IUnknown, object.putVoid()));
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IDispatch, object.putVoid()));
    auto classInfo = object.as<IProvideClassInfo>(IID_IProvideClassInfo);
    ASSERT_TRUE(classInfo);
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(S_OK, classInfo->GetClassInfo(coclass.put()));
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, coclass->GetTypeAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(kControlClsid, attributes->guid));
    EXPECT_EQ(TKIND_COCLASS, attributes->typekind);
    coclass->ReleaseTypeAttr(attributes);
    object.reset();
    coclass.reset();
    classInfo.reset();
    EXPECT_EQ(S_OK, canUnloadNow_());
}

}  // namespace
}  // namespace zu::win

namespace zu::win {
namespace {

TEST(ModuleResourcesTest, TheModuleHoldsItsResourcesInPortuguese) {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path = exe;
    path = path.substr(0, path.find_last_of(L'\\')) + L"\\..\\ZeltoUpdate.ocx";
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) GTEST_SKIP() << "ZeltoUpdate.ocx not built next to the tests folder";
    const WORD portuguese = MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE);
    struct Item {
        LPCWSTR type;
        int id;
    };
    const Item items[] = {{RT_BITMAP, 1},     {RT_DIALOG, 200},  {RT_DIALOG, 201},
                          {RT_GROUP_ICON, 203}, {RT_VERSION, 1}, {L"TYPELIB", 1}};
    for (const Item& item : items)
        EXPECT_NE(nullptr, FindResourceExW(module, item.type, MAKEINTRESOURCEW(item.id), portuguese))
            << "resource " << item.id;
    // The string table: 1, 2, 200 and 212 to 230 (string blocks hold 16 ids each).
    for (int id : {1, 2, 200, 212, 230})
        EXPECT_NE(nullptr, FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), portuguese)) << id;
    FreeLibrary(module);
}

}  // namespace
}  // namespace zu::win
