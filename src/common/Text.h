#pragma once
// Byte-string helpers shared by the core. Texts are in the platform's narrow encoding
// (the ANSI code page on Windows, UTF-8 elsewhere); nothing here decodes them.
#include <cstdint>
#include <string>
#include <string_view>

namespace zu {

class Locale;

// Replaces every occurrence of `token`, scanning left to right without overlap and
// resuming after each inserted value. `locale` (may be null) keeps matches off the
// trail byte of a double-byte character.
void replaceAll(std::string& text, std::string_view token, std::string_view value,
                const Locale* locale = nullptr);

std::string decimal(std::int64_t value);

// Reads a leading integer the way "%d" does: blanks, optional sign, digits.
// Returns `fallback` when no digit follows.
std::int32_t leadingInt(std::string_view text, std::int32_t fallback = 0);

bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b);

// Removes every trailing occurrence of `c`.
void trimTrailing(std::string& text, char c);

}  // namespace zu
