#include "inspect/FilePaths.h"

namespace zu {

std::vector<FileEntry> searchAll(FileSystem& files, const std::string& path) {
    if (path.size() > maxSearchPathBytes) return {};
    return files.find(path);
}

std::optional<FileEntry> searchFirst(FileSystem& files, const std::string& path) {
    if (path.size() > maxSearchPathBytes) return std::nullopt;
    return files.findFirst(path);
}

}  // namespace zu
