#include "inspect/PathTokens.h"

#include "common/Text.h"

namespace zu {

namespace {
struct RootToken {
    const char* text;
    RegistryRoot root;
};
// Compared in this order.
constexpr RootToken kRootTokens[] = {
    {"$HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
    {"$HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine},
};
}  // namespace

void PathTokens::substitute(std::string& text, const Locale* locale) const {
    replaceAll(text, "$PRODUCT_REGPATH", productRegistryPath, locale);
    replaceAll(text, "$CSIDL_APPDATA", appDataFolder, locale);
}

RegistryLocation splitRegistryLocation(const std::string& text, bool takeRoot, bool takeValueName) {
    RegistryLocation loc;
    loc.keyPath = text;
    if (takeRoot) {
        const auto slash = text.find('\\');
        if (slash != std::string::npos) {
            const std::string first = text.substr(0, slash);
            for (const RootToken& t : kRootTokens) {
                if (first == t.text) {
                    loc.root = t.root;
                    loc.keyPath = text.substr(slash + 1);
                    break;
                }
            }
        }
    }
    if (takeValueName) {
        const auto last = loc.keyPath.rfind('\\');
        if (last != std::string::npos && last > 0) {
            loc.valueName = loc.keyPath.substr(last + 1);
            loc.keyPath.resize(last);
        }
    }
    return loc;
}

}  // namespace zu
