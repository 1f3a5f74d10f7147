#include "platform/win32/com/Registration.h"

#include <comcat.h>

#include <string>
#include <vector>

#include "platform/win32/ComSupport.h"
#include "platform/win32/com/Guids.h"

namespace zu::win {

namespace {

// {7DD95801-...}: safe for scripting; {7DD95802-...}: safe for initialisation.
constexpr GUID kCatSafeForScripting = {0x7dd95801, 0x9882, 0x11cf, {0x9f, 0xa9, 0x00, 0xaa, 0x00, 0x6c, 0x42, 0xc4}};
constexpr GUID kCatSafeForInitializing = {0x7dd95802, 0x9882, 0x11cf, {0x9f, 0xa9, 0x00, 0xaa, 0x00, 0x6c, 0x42, 0xc4}};
constexpr GUID kStdComponentCategoriesMgr = {0x0002e005, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kICatRegister = {0x0002e012, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr LCID kEnglishUs = 0x409;
constexpr std::size_t kCategoryDescriptionMax = 127;

std::wstring guidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring shortPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetShortPathNameW(path.c_str(), buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : path;
}

// One value under HKEY_CLASSES_ROOT: key, value name (null: the default value), text.
struct Entry {
    std::wstring key;
    const wchar_t* name;
    std::wstring value;
};

class RegKey {
public:
    RegKey(HKEY parent, const std::wstring& path) {
        status_ = RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key_, nullptr);
    }
    ~RegKey() {
        if (status_ == ERROR_SUCCESS) RegCloseKey(key_);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    bool created() const { return status_ == ERROR_SUCCESS; }
    LONG setText(const wchar_t* name, const std::wstring& value) {
        if (status_ != ERROR_SUCCESS) return status_;
        return RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

private:
    HKEY key_ = nullptr;
    LONG status_;
};

HRESULT writeEntries(const std::vector<Entry>& entries) {
    for (const Entry& e : entries) {
        RegKey key(HKEY_CLASSES_ROOT, e.key);
        // A default value left empty ("Control") means the key alone is the entry.
        if (!e.name && e.value.empty()) {
            if (!key.created()) return kClassFailure;
            continue;
        }
        if (key.setText(e.name, e.value) != ERROR_SUCCESS) return kClassFailure;
    }
    return S_OK;
}

HRESULT deleteTree(const std::wstring& key) {
    const LONG status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
        return S_OK;
    }
    return kClassFailure;
}

std::wstring typeName(const ModuleContext& module, UINT id) {
    wchar_t buffer[256] = {};
    const int n = LoadStringW(module.instance(), id, buffer, 256);
    return std::wstring(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
}

HRESULT registerControlClass(const ModuleContext& module) {
    const std::wstring clsidKey = L"CLSID\\" + guidText(kControlClsid);
    const std::wstring name = typeName(module, 1);
    const std::wstring path = shortPath(module.path());
    return writeEntries({
        {kControlProgId, nullptr, name},
        {std::wstring(kControlProgId) + L"\\CLSID", nullptr, guidText(kControlClsid)},
        {clsidKey, nullptr, name},
        {clsidKey + L"\\ProgID", nullptr, kControlProgId},
        {clsidKey + L"\\InprocServer32", nullptr, path},
        {clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {clsidKey + L"\\ToolboxBitmap32", nullptr, path + L", " + std::to_wstring(kToolboxBitmapId)},
        {clsidKey + L"\\MiscStatus", nullptr, L"0"},
        {clsidKey + L"\\MiscStatus\\1", nullptr, std::to_wstring(kMiscStatus)},
        {clsidKey + L"\\Control", nullptr, L""},
        {clsidKey + L"\\TypeLib", nullptr, guidText(kTypeLibId)},
        {clsidKey + L"\\Version", nullptr, std::to_wstring(kTypeLibMajor) + L"." + std::to_wstring(kTypeLibMinor)},
    });
}

HRESULT registerPropertyPageClass(const ModuleContext& module) {
    const std::wstring clsidKey = L"CLSID\\" + guidText(kPropPageClsid);
    return writeEntries({
        {clsidKey, nullptr, typeName(module, 2)},
        {clsidKey + L"\\InprocServer32", nullptr, shortPath(module.path())},
    });
}

HRESULT unregisterClasses() {
    for (const std::wstring& key : {L"CLSID\\" + guidText(kControlClsid), std::wstring(kControlProgId),
                                    L"CLSID\\" + guidText(kPropPageClsid)})
        if (FAILED(deleteTree(key))) return kClassFailure;
    return S_OK;
}

ComPtr<ICatRegister> categoryManager(HRESULT& hr) {
    ComPtr<ICatRegister> manager;
    hr = CoCreateInstance(kStdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, kICatRegister,
                          manager.putVoid());
    return manager;
}

HRESULT createCategory(REFGUID category, const std::wstring& description) {
    HRESULT hr;
    ComPtr<ICatRegister> manager = categoryManager(hr);
    if (FAILED(hr)) return hr;
    CATEGORYINFO info{};
    info.catid = category;
    info.lcid = kEnglishUs;
    const std::wstring text = description.substr(0, kCategoryDescriptionMax);
    wcsncpy(info.szDescription, text.c_str(), 127);
    return manager->RegisterCategories(1, &info);
}

HRESULT registerImplementedCategory(REFCLSID clsid, REFGUID category) {
    HRESULT hr;
    ComPtr<ICatRegister> manager = categoryManager(hr);
    if (FAILED(hr)) return hr;
    CATID id = category;
    return manager->RegisterClassImplCategories(clsid, 1, &id);
}

// The library (id, 1.0, locale 0) is removed under the locale and target it was
// registered with, which the library itself tells: the registered one, or else the
// module's own copy.
HRESULT unregisterTypeLibrary(const ModuleContext& module) {
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadRegTypeLib(kTypeLibId, kTypeLibMajor, kTypeLibMinor, 0, library.put());
    if (FAILED(hr)) hr = LoadTypeLibEx(module.path().c_str(), REGKIND_NONE, library.put());
    if (FAILED(hr)) return hr;
    TLIBATTR* attributes = nullptr;
    hr = library->GetLibAttr(&attributes);
    if (FAILED(hr)) return hr;
    const LCID lcid = attributes->lcid;
    const SYSKIND target = attributes->syskind;
    library->ReleaseTLibAttr(attributes);
    library.reset();
    return UnRegisterTypeLib(kTypeLibId, kTypeLibMajor, kTypeLibMinor, lcid, target);
}

}  // namespace

HRESULT registerServer(const ModuleContext& module) {
    const std::wstring path = module.path();
    ComPtr<ITypeLib> library;
    if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put())) ||
        FAILED(RegisterTypeLib(library.get(), const_cast<wchar_t*>(path.c_str()), nullptr)))
        return kTypeLibFailure;
    if (FAILED(registerControlClass(module)) || FAILED(registerPropertyPageClass(module))) return kClassFailure;
    if (FAILED(createCategory(kCatSafeForScripting, L"Controls that are safely scriptable")) ||
        FAILED(createCategory(kCatSafeForInitializing, L"Controls safely initializable from persistent data")) ||
        FAILED(registerImplementedCategory(kControlClsid, kCatSafeForScripting)) ||
        FAILED(registerImplementedCategory(kControlClsid, kCatSafeForInitializing)))
        return kClassFailure;
    return S_OK;
}

HRESULT unregisterServer(const ModuleContext& module) {
    if (FAILED(unregisterTypeLibrary(module))) return kTypeLibFailure;
    return unregisterClasses();
}

}  // namespace zu::win
