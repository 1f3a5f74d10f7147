#include "control/PersistedForm.h"

namespace zu {

namespace {
struct TextItem {
    const char* name;
    std::string ControlProperties::*member;
};
// The seven properties follow the base items in this order; allowUploads comes last.
constexpr TextItem kTextItems[] = {
    {"productsCatalogURL", &ControlProperties::productsCatalogURL},
    {"productName", &ControlProperties::productName},
    {"productVersion", &ControlProperties::productVersion},
    {"catalogURL", &ControlProperties::catalogURL},
    {"downloadURL", &ControlProperties::downloadURL},
    {"uploadURL", &ControlProperties::uploadURL},
};
constexpr const char* kAllowUploads = "allowUploads";

template <class T, class Lookup>
void take(const Lookup& lookup, const char* name, T& target) {
    if (auto v = lookup(name))
        if (auto* typed = std::get_if<T>(&*v)) target = *typed;
}
}  // namespace

std::vector<PersistedItem> savePersistedForm(const ControlProperties& props, const Extent& extent) {
    std::vector<PersistedItem> items{
        {"_Version", kPersistVersion},
        {"_ExtentX", extent.cx},
        {"_ExtentY", extent.cy},
        {"_StockProps", std::int32_t{0}},
    };
    for (const TextItem& t : kTextItems) items.push_back({t.name, props.*t.member});
    items.push_back({kAllowUploads, props.allowUploads});
    return items;
}

void loadPersistedForm(ControlProperties& props, Extent& extent,
                       const std::function<std::optional<PersistValue>(const std::string&)>& lookup) {
    take(lookup, "_ExtentX", extent.cx);
    take(lookup, "_ExtentY", extent.cy);
    for (const TextItem& t : kTextItems) take(lookup, t.name, props.*t.member);
    take(lookup, kAllowUploads, props.allowUploads);
}

}  // namespace zu
