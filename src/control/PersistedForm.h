#pragma once
// The control's persisted form as a list of named items, in the order they are written.
// How the items are encoded (property bag, stream) is the COM module's business.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "control/ControlState.h"

namespace zu {

using PersistValue = std::variant<std::int32_t, bool, std::string>;

struct PersistedItem {
    std::string name;
    PersistValue value;
    bool operator==(const PersistedItem&) const = default;
};

// The control's extent in HIMETRIC units, as the container gave it.
struct Extent {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    bool operator==(const Extent&) const = default;
};

inline constexpr std::int32_t kPersistVersion = 0x00010000;  // 1.0

std::vector<PersistedItem> savePersistedForm(const ControlProperties& props, const Extent& extent);

// Reads the items it knows from `lookup`; an item the data lacks leaves its value as it
// is (no property has a default). A value of the wrong type is ignored likewise.
void loadPersistedForm(ControlProperties& props, Extent& extent,
                       const std::function<std::optional<PersistValue>(const std::string&)>& lookup);

}  // namespace zu
