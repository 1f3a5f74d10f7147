#pragma once
// File-system adapter over kernel32 (ANSI calls: paths are in the ANSI code page).
#include "common/FileSystem.h"

namespace zu {

class Win32FileSystem final : public FileSystem {
public:
    std::vector<FileEntry> find(const std::string& pattern) override;
    std::optional<FileEntry> findFirst(const std::string& path) override;
    std::unique_ptr<MappedFile> mapReadOnly(const std::string& path) override;
    std::unique_ptr<OutputFile> create(const std::string& path) override;
    void rename(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
};

}  // namespace zu
