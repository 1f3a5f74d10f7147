#pragma once
// Port: the module's string table (user-visible texts by id). A missing id gives "".
#include <string>

namespace zu {

class Strings {
public:
    virtual ~Strings() = default;
    virtual std::string load(int id) const = 0;
};

// The table compiled into the program (generated from resources/strings.tsv, the same
// source the .rc string table is generated from).
class BuiltinStrings final : public Strings {
public:
    std::string load(int id) const override;
};

}  // namespace zu
