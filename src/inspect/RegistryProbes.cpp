#include "inspect/RegistryProbes.h"

#include <memory>

#include "common/Locale.h"
#include "common/Text.h"
#include "inspect/FilePaths.h"
#include "inspect/PathTokens.h"
#include "update/WorkLists.h"

namespace zu {

std::string readRegistryLocation(Registry& registry, const PathTokens& tokens, const Locale& locale,
                                 std::string location) {
    tokens.substitute(location, &locale);
    const RegistryLocation loc = splitRegistryLocation(location, true, true);
    if (!loc.root) return {};
    auto key = registry.open(*loc.root, loc.keyPath);
    if (!key || !key->subkeyCount()) return {};

    for (std::uint32_t i = 0;; ++i) {
        const auto value = key->value(i, valueNameChars, valueDataBytes);
        // The search ends at the first value that is not a plain string, REG_EXPAND_SZ too.
        if (!value || value->type != regSz) return {};
        if (value->name == loc.valueName) {
            std::string folder = value->data;
            trimTrailing(folder, '\\');
            return folder;
        }
    }
}

void collectUploadFiles(Registry& registry, FileSystem& files, const Locale& locale, UploadItemList& list,
                        const std::string& keyText, std::string folder, const std::string& targetUrl) {
    const RegistryLocation loc = splitRegistryLocation(keyText, true, false);
    trimTrailing(folder, '/');
    auto key = registry.open(loc.root.value_or(RegistryRoot::LocalMachine), loc.keyPath);
    if (!key || !key->subkeyCount()) return;

    for (std::uint32_t i = 0;; ++i) {
        const auto value = key->value(i, valueNameChars, valueDataBytes);
        if (!value) return;
        if (value->type != regSz) continue;
        const std::string fileText =
            value->data.find('\\') == std::string::npos ? folder + "\\" + value->data : value->data;
        for (const FileEntry& match : searchAll(files, fileText)) {
            if (match.size == 0) continue;
            auto item = std::make_unique<UploadItem>();
            item->localPath = locale.toLower(fileText);  // the text searched for, not the match
            item->sizeKb = static_cast<std::int32_t>(match.size / 1024 + 1);
            item->targetUrl = targetUrl;
            list.addUnique(std::move(item));
        }
    }
}

}  // namespace zu
