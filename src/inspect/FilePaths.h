#pragma once
// Limits of the Windows file search that the probes and the folder comparison share.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/FileSystem.h"

namespace zu {

// The longest path the ANSI file search accepts (MAX_PATH without the terminating zero).
inline constexpr std::size_t maxSearchPathBytes = 259;

// Every match of `path`; none when the path is longer than the search accepts.
std::vector<FileEntry> searchAll(FileSystem& files, const std::string& path);
// The first match of `path`; none when the path is longer than the search accepts.
std::optional<FileEntry> searchFirst(FileSystem& files, const std::string& path);

}  // namespace zu
