#pragma once
// The scripting surface as data: member ids are 1-based positions in the table. Names
// are looked up without regard to case and the first entry wins, so id 8 (a second
// entry for productsCatalogURL) is reachable by its id only.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zu {

class ZeltoUpdateControl;

enum class MemberKind { Property, Method };
enum class ValueType { None, Bool, String, Short };

// A value crossing the scripting surface, already coerced to the member's type.
using DispatchValue = std::variant<std::monostate, bool, std::int16_t, std::string>;

struct DispatchMember {
    int id;
    std::string_view name;
    MemberKind kind;
    ValueType type;     // property type, or the method's result type
    ValueType argType;  // the one argument of a method, or None
    DispatchValue (*get)(ZeltoUpdateControl&);                       // property read
    void (*put)(ZeltoUpdateControl&, const DispatchValue&);          // property write
    DispatchValue (*call)(ZeltoUpdateControl&, const DispatchValue&);  // method
};

std::span<const DispatchMember> dispatchTable();
std::optional<int> findMemberId(std::string_view name);
const DispatchMember* findMember(int id);

}  // namespace zu
