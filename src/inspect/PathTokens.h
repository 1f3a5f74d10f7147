#pragma once
// The $-tokens of catalogue texts: the two text tokens and the two registry roots.
#include <optional>
#include <string>

#include "inspect/Registry.h"

namespace zu {

class Locale;

struct RegistryLocation {
    std::optional<RegistryRoot> root;  // none when the text names no root token
    std::string keyPath;
    std::string valueName;
};

struct PathTokens {
    std::string productRegistryPath;  // "$PRODUCT_REGPATH"
    std::string appDataFolder;        // "$CSIDL_APPDATA"

    // Replaces every "$PRODUCT_REGPATH", then every "$CSIDL_APPDATA", in place.
    void substitute(std::string& text, const Locale* locale = nullptr) const;
};

// Splits "root\key path\value name". The root token must be the whole first segment.
RegistryLocation splitRegistryLocation(const std::string& text, bool takeRoot, bool takeValueName);

}  // namespace zu
