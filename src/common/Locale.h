#pragma once
// Port: what the core needs to know about the narrow text encoding.
#include <string>
#include <string_view>

namespace zu {

class Locale {
public:
    virtual ~Locale() = default;
    // True when `byte` starts a two-byte character (double-byte ANSI code pages).
    virtual bool isLeadByte(unsigned char byte) const = 0;
    // Lower-cases the text, character by character, in the narrow encoding.
    virtual std::string toLower(std::string_view text) const = 0;
};

}  // namespace zu
