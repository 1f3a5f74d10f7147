#include "control/DispatchTable.h"

#include <array>

#include "common/Text.h"
#include "control/ZeltoUpdateControl.h"

namespace zu {

namespace {

template <std::string ControlProperties::*M>
DispatchValue getText(ZeltoUpdateControl& c) {
    return c.properties().*M;
}
template <std::string ControlProperties::*M>
void putText(ZeltoUpdateControl& c, const DispatchValue& v) {
    c.setProperty(M, std::get<std::string>(v));
}
DispatchValue getAllowUploads(ZeltoUpdateControl& c) { return c.properties().allowUploads; }
void putAllowUploads(ZeltoUpdateControl& c, const DispatchValue& v) {
    c.setProperty(&ControlProperties::allowUploads, std::get<bool>(v));
}

#define ZU_TEXT_PROPERTY(id, name, member) \
    {id, name, MemberKind::Property, ValueType::String, ValueType::None, \
     &getText<&ControlProperties::member>, &putText<&ControlProperties::member>, nullptr}

const std::array<DispatchMember, 13> kTable{{
    {1, "allowUploads", MemberKind::Property, ValueType::Bool, ValueType::None, &getAllowUploads,
     &putAllowUploads, nullptr},
    ZU_TEXT_PROPERTY(2, "downloadURL", downloadURL),
    ZU_TEXT_PROPERTY(3, "catalogURL", catalogURL),
    ZU_TEXT_PROPERTY(4, "productsCatalogURL", productsCatalogURL),
    ZU_TEXT_PROPERTY(5, "productName", productName),
    ZU_TEXT_PROPERTY(6, "productVersion", productVersion),
    ZU_TEXT_PROPERTY(7, "uploadURL", uploadURL),
    ZU_TEXT_PROPERTY(8, "productsCatalogURL", productsCatalogURL),
    {9, "AddSetup", MemberKind::Method, ValueType::None, ValueType::Short, nullptr, nullptr,
     [](ZeltoUpdateControl& c, const DispatchValue& a) -> DispatchValue {
         c.addSetup(std::get<std::int16_t>(a));
         return {};
     }},
    {10, "RemoveSetup", MemberKind::Method, ValueType::None, ValueType::Short, nullptr, nullptr,
     [](ZeltoUpdateControl& c, const DispatchValue& a) -> DispatchValue {
         c.removeSetup(std::get<std::int16_t>(a));
         return {};
     }},
    {11, "GetXMLSetups", MemberKind::Method, ValueType::String, ValueType::None, nullptr, nullptr,
     [](ZeltoUpdateControl& c, const DispatchValue&) -> DispatchValue { return c.getXmlSetups(); }},
    {12, "Update", MemberKind::Method, ValueType::Bool, ValueType::None, nullptr, nullptr,
     [](ZeltoUpdateControl& c, const DispatchValue&) -> DispatchValue { return c.update(); }},
    {13, "GetXMLProducts", MemberKind::Method, ValueType::String, ValueType::None, nullptr, nullptr,
     [](ZeltoUpdateControl& c, const DispatchValue&) -> DispatchValue { return c.getXmlProducts(); }},
}};

#undef ZU_TEXT_PROPERTY

}  // namespace

std::span<const DispatchMember> dispatchTable() { return kTable; }

std::optional<int> findMemberId(std::string_view name) {
    for (const DispatchMember& m : kTable)
        if (equalsIgnoreAsciiCase(m.name, name)) return m.id;
    return std::nullopt;
}

const DispatchMember* findMember(int id) {
    return id >= 1 && id <= static_cast<int>(kTable.size()) ? &kTable[static_cast<std::size_t>(id - 1)] : nullptr;
}

}  // namespace zu
