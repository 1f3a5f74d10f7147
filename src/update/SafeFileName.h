#pragma once
// A setup's file name must name a file inside the download folder, never a path.
#include <string_view>

namespace zu {

inline bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of("\\/:") == std::string_view::npos;
}

}  // namespace zu
