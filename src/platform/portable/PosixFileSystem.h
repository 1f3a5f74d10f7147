#pragma once
// File-system adapter over POSIX calls. Windows-style paths ("\" separators) are mapped
// onto "/"; "*" and "?" in the last component are matched with glob.
#include "common/FileSystem.h"

namespace zu {

class PosixFileSystem final : public FileSystem {
public:
    std::vector<FileEntry> find(const std::string& pattern) override;
    std::optional<FileEntry> findFirst(const std::string& path) override;
    std::unique_ptr<MappedFile> mapReadOnly(const std::string& path) override;
    std::unique_ptr<OutputFile> create(const std::string& path) override;
    void rename(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;

    static std::string toPosix(const std::string& path);
};

}  // namespace zu
