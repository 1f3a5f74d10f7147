#include "inspect/CompareFolder.h"

#include "common/ComError.h"
#include "common/Installer.h"
#include "common/Text.h"
#include "inspect/CatalogTime.h"
#include "inspect/FilePaths.h"

namespace zu {

namespace {
constexpr std::uint32_t kComponentPathChars = 1024;

// An attribute's text, or `fallback` when the element has no such attribute.
std::string attributeOr(const XmlNode& element, const char* name, const char* fallback) {
    const XmlNode attr = element.attribute(name);
    return attr.empty() ? std::string(fallback) : attr.text();
}

// The installer's form of a registry key path: "0" + root digit + ":\".
bool isRegistryKeyPath(const std::string& path) {
    return path.size() >= 4 && path[0] == '0' && path.compare(2, 2, ":\\") == 0;
}

void switchOnSetupOf(const FolderComparison& ctx, const XmlNode& entry) {
    const XmlNode setup = entry.attribute("setup");
    if (!setup.empty()) enableSetup(ctx.setups, setup.text());
}

// A file entry: compares times when the file exists, or applies `required`/`mandatory`.
// Returns true when the walk must end with requiredFileMissing.
bool compareFile(const FolderComparison& ctx, const XmlNode& folder, const XmlNode& entry,
                 const std::string& entryPath) {
    const XmlNode component = entry.attribute("componentGUID");
    const std::string componentPath =
        component.empty() ? std::string() : findComponentPath(ctx.installer, ctx.productCode, component.text());

    std::optional<FileEntry> file;
    if (!componentPath.empty()) file = searchFirst(ctx.files, componentPath);
    if (!file) file = searchFirst(ctx.files, entryPath);

    if (file) {
        const std::int64_t fileInstant = file->lastWriteUtc;
        const std::int64_t releaseInstant = catalogInstant(ctx.clock, entry.attribute("lastmodified").text());
        if (releaseInstant > fileInstant)
            switchOnSetupOf(ctx, entry);
        else
            folder.removeChild(entry);
        return false;
    }
    if (attributeOr(entry, "required", "0") != "0") return true;
    if (attributeOr(entry, "mandatory", "0") == "0")
        folder.removeChild(entry);
    else
        switchOnSetupOf(ctx, entry);
    return false;
}

int walk(const FolderComparison& ctx, const XmlNode& folder, std::string folderText, int depth) {
    if (depth > maxFolderDepth) throw ComError(hr::fail, "folder tree nested too deeply");
    trimTrailing(folderText, '\\');
    if (folderText.empty() || !searchFirst(ctx.files, folderText))
        return attributeOr(folder, "required", "0") == "0" ? folderOk : requiredFolderMissing;

    // A snapshot: removing entries below does not change what is visited.
    for (const XmlNode& child : folder.selectNodes("*")) {
        const std::string elementName = child.nodeName();
        const std::string childPath = folderText + "\\" + child.attribute("name").text();
        if (elementName == "dir") {
            const int result = walk(ctx, child, childPath, depth + 1);
            if (result != folderOk) return result;
        } else if (compareFile(ctx, folder, child, childPath)) {
            return requiredFileMissing;
        }
    }
    return folderOk;
}
}  // namespace

int compareFolder(const FolderComparison& ctx, const XmlNode& folder, std::string folderText) {
    return walk(ctx, folder, std::move(folderText), 1);
}

std::string findComponentPath(Installer& installer, const std::string& productCode,
                              const std::string& componentCode) {
    if (productCode.empty() || componentCode.empty()) return {};
    std::string path;
    std::uint32_t length = kComponentPathChars;
    const int state = installer.getComponentPath(productCode, componentCode, path, length);
    if ((state != msi::stateLocal && state != msi::stateSource) || length == 0) return {};
    if (path.size() > length) path.resize(length);
    if (isRegistryKeyPath(path)) return {};
    return path;
}

bool enableSetup(const XmlNode& setups, const std::string& setupId) {
    if (setups.empty()) throw ComError(hr::pointer, "no setups section");
    // A quote would end the pattern's literal early: refuse the id here rather than hand
    // the DOM a broken pattern (some implementations crash on it instead of failing).
    if (setupId.find('\'') != std::string::npos)
        throw ComError(hr::invalidArg, "setup id breaks the selection pattern: " + setupId);
    const XmlNode setup = setups.selectSingleNode("setup[@id='" + setupId + "']").asElement();
    if (setup.empty()) return false;
    const XmlNode enable = setup.attribute("enable");
    if (!enable.empty())
        enable.setText("1");
    else
        setup.setAttribute("enable", "1");
    return true;
}

}  // namespace zu
