#pragma once
// Walks a catalogued folder (`dir` element) together with the folder on disk: up-to-date
// and optional-missing file entries are removed from the document, outdated and
// mandatory-missing ones switch their setup on.
#include <string>

#include "catalog/XmlDom.h"

namespace zu {

class FileSystem;
class Installer;
class LocalClock;

// What the walk needs of the control and the world.
struct FolderComparison {
    FileSystem& files;
    const LocalClock& clock;
    Installer& installer;
    const std::string& productCode;  // from `catalog`; empty: no component lookups
    const XmlNode& setups;           // the `catalog/setups` element
};

enum FolderResult : int {
    folderOk = 0,
    requiredFileMissing = 1,
    requiredFolderMissing = 2,
};

// Deepest `dir` nesting walked; a deeper tree fails the walk (ComError) instead of
// exhausting the stack.
inline constexpr int maxFolderDepth = 64;

// 0, 1 or 2 (see FolderResult). Throws ComError for malformed entries (no `name`, no
// `lastmodified` on a found file, an unreadable date, a tree nested too deeply) and for
// failing document calls; changes made before a failure stay.
int compareFolder(const FolderComparison& ctx, const XmlNode& folder, std::string folderText);

// The installer's path of a component of the product; empty when not installed (state
// other than 3 or 4), when no path comes back or when the key path is a registry key.
std::string findComponentPath(Installer& installer, const std::string& productCode,
                              const std::string& componentCode);

// Sets enable="1" on setups/setup[@id=id]; false when there is no such setup.
bool enableSetup(const XmlNode& setups, const std::string& setupId);

}  // namespace zu
