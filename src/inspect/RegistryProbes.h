#pragma once
// The two registry probes driven by catalogue locations: the folder a `dir` names
// through a registry value, and the files a `files` key names for upload.
#include <string>

namespace zu {

class Registry;
class FileSystem;
class Locale;
class UploadItemList;
struct PathTokens;

// Buffer limits of the value enumeration.
inline constexpr unsigned valueNameChars = 256;  // 255 characters and the zero
inline constexpr unsigned valueDataBytes = 256;  // terminating zero included

// The string value named by `location` ("$HKEY_...\key\value", tokens allowed) with its
// trailing "\" removed; empty when the location names no root, the key cannot be read,
// or a value that is not REG_SZ (or does not fit) comes before the wanted one.
std::string readRegistryLocation(Registry& registry, const PathTokens& tokens, const Locale& locale,
                                 std::string location);

// Adds an upload item for every non-empty file named by a REG_SZ value of `keyText`
// (no root token: HKEY_LOCAL_MACHINE). A value without "\" names a file in `folder`.
void collectUploadFiles(Registry& registry, FileSystem& files, const Locale& locale, UploadItemList& list,
                        const std::string& keyText, std::string folder, const std::string& targetUrl);

}  // namespace zu
