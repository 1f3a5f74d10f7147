#include "platform/win32/com/PersistBridge.h"

#include <cstring>

#include "platform/win32/ComSupport.h"

namespace zu::win {

namespace {

VARTYPE typeOf(const PersistValue& v) {
    if (std::holds_alternative<std::int32_t>(v)) return VT_I4;
    if (std::holds_alternative<bool>(v)) return VT_BOOL;
    return VT_BSTR;
}

Variant toVariant(const PersistValue& value) {
    if (const bool* b = std::get_if<bool>(&value)) return Variant::fromBool(*b);
    if (const std::string* s = std::get_if<std::string>(&value)) return Variant::fromBstr(widen(*s));
    Variant v;
    v.get()->vt = VT_I4;
    v.get()->lVal = std::get<std::int32_t>(value);
    return v;
}

std::optional<PersistValue> fromVariant(VARIANT& v, VARTYPE type) {
    Variant converted;
    if (FAILED(VariantChangeType(converted.get(), &v, 0, type))) return std::nullopt;
    const VARIANT& c = *converted.get();
    switch (type) {
        case VT_I4: return PersistValue{static_cast<std::int32_t>(c.lVal)};
        case VT_BOOL: return PersistValue{c.boolVal != VARIANT_FALSE};
        default: return PersistValue{narrow(c.bstrVal)};
    }
}

// Stream layout, little-endian: item count (u32), then per item a tag (u8: 1 number,
// 2 boolean, 3 text), the name's length (u16) and ASCII name, and the value: i32,
// u8, or a UTF-16 text as its length in characters (u32) and the characters.
enum Tag : std::uint8_t { kNumber = 1, kBoolean = 2, kText = 3 };

HRESULT writeBytes(IStream& s, const void* data, ULONG size) {
    ULONG written = 0;
    HRESULT hr = s.Write(data, size, &written);
    return FAILED(hr) ? hr : (written == size ? S_OK : STG_E_MEDIUMFULL);
}

HRESULT readBytes(IStream& s, void* data, ULONG size) {
    ULONG read = 0;
    HRESULT hr = s.Read(data, size, &read);
    return FAILED(hr) ? hr : (read == size ? S_OK : STG_E_READFAULT);
}

template <class T>
HRESULT writeValue(IStream& s, T value) {
    return writeBytes(s, &value, sizeof value);
}
template <class T>
HRESULT readValue(IStream& s, T& value) {
    return readBytes(s, &value, sizeof value);
}

#define ZU_TRY(expr)                        \
    do {                                    \
        if (HRESULT hr_ = (expr); FAILED(hr_)) return hr_; \
    } while (0)

}  // namespace

HRESULT saveToPropertyBag(IPropertyBag& bag, const std::vector<PersistedItem>& items) {
    for (const PersistedItem& item : items) {
        Variant v = toVariant(item.value);
        const std::wstring name = widen(item.name);
        ZU_TRY(bag.Write(name.c_str(), v.get()));
    }
    return S_OK;
}

std::vector<PersistedItem> readPropertyBag(IPropertyBag& bag, IErrorLog* log,
                                           const std::vector<PersistedItem>& wanted) {
    std::vector<PersistedItem> loaded;
    for (const PersistedItem& item : wanted) {
        Variant v;
        const std::wstring name = widen(item.name);
        if (FAILED(bag.Read(name.c_str(), v.get(), log))) continue;
        if (auto value = fromVariant(*v.get(), typeOf(item.value))) loaded.push_back({item.name, *value});
    }
    return loaded;
}

HRESULT saveToStream(IStream& stream, const std::vector<PersistedItem>& items) {
    ZU_TRY(writeValue(stream, static_cast<std::uint32_t>(items.size())));
    for (const PersistedItem& item : items) {
        const VARTYPE type = typeOf(item.value);
        const Tag tag = type == VT_I4 ? kNumber : type == VT_BOOL ? kBoolean : kText;
        ZU_TRY(writeValue(stream, static_cast<std::uint8_t>(tag)));
        ZU_TRY(writeValue(stream, static_cast<std::uint16_t>(item.name.size())));
        ZU_TRY(writeBytes(stream, item.name.data(), static_cast<ULONG>(item.name.size())));
        if (tag == kNumber) {
            ZU_TRY(writeValue(stream, std::get<std::int32_t>(item.value)));
        } else if (tag == kBoolean) {
            ZU_TRY(writeValue(stream, static_cast<std::uint8_t>(std::get<bool>(item.value))));
        } else {
            const std::wstring text = widen(std::get<std::string>(item.value));
            ZU_TRY(writeValue(stream, static_cast<std::uint32_t>(text.size())));
            ZU_TRY(writeBytes(stream, text.data(), static_cast<ULONG>(text.size() * sizeof(wchar_t))));
        }
    }
    return S_OK;
}

HRESULT readStream(IStream& stream, std::vector<PersistedItem>& items) {
    std::uint32_t count = 0;
    ZU_TRY(readValue(stream, count));
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint8_t tag = 0;
        std::uint16_t nameLength = 0;
        ZU_TRY(readValue(stream, tag));
        ZU_TRY(readValue(stream, nameLength));
        std::string name(nameLength, '\0');
        ZU_TRY(readBytes(stream, name.data(), nameLength));
        if (tag == kNumber) {
            std::int32_t n = 0;
            ZU_TRY(readValue(stream, n));
            items.push_back({name, n});
        } else if (tag == kBoolean) {
            std::uint8_t b = 0;
            ZU_TRY(readValue(stream, b));
            items.push_back({name, b != 0});
        } else if (tag == kText) {
            std::uint32_t length = 0;
            ZU_TRY(readValue(stream, length));
            if (length > (1u << 24)) return STG_E_READFAULT;  // not data this control wrote
            std::wstring text(length, L'\0');
            ZU_TRY(readBytes(stream, text.data(), static_cast<ULONG>(length * sizeof(wchar_t))));
            items.push_back({name, narrow(text)});
        } else {
            return STG_E_READFAULT;
        }
    }
    return S_OK;
}

ULONGLONG streamSize(const std::vector<PersistedItem>& items) {
    ULONGLONG size = 4;
    for (const PersistedItem& item : items) {
        size += 1 + 2 + item.name.size();
        if (const std::string* s = std::get_if<std::string>(&item.value))
            size += 4 + widen(*s).size() * sizeof(wchar_t);
        else
            size += std::holds_alternative<bool>(item.value) ? 1 : 4;
    }
    return size;
}

std::optional<PersistValue> findItem(const std::vector<PersistedItem>& items, const std::string& name) {
    for (const PersistedItem& item : items)
        if (item.name == name) return item.value;
    return std::nullopt;
}

}  // namespace zu::win
