#pragma once
// Port: the file system as the core uses it. Paths are Windows-style texts ("\" joins);
// the portable adapter maps them onto POSIX paths.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zu {

struct FileEntry {
    std::string name;             // the entry's own name (no folder)
    std::uint64_t size = 0;       // length in bytes; 0 for a folder
    std::int64_t lastWriteUtc = 0;  // last write, whole seconds since 1970-01-01 UTC
    bool isFolder = false;
};

// A read-only view of a whole file; unmapped and closed on destruction.
class MappedFile {
public:
    virtual ~MappedFile() = default;
    virtual const std::byte* data() const = 0;
    virtual std::uint64_t size() const = 0;
};

// A file being written; closed on destruction.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Throws ComError with the platform's code when the write fails.
    virtual void write(const void* bytes, std::size_t count) = 0;
    virtual void close() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Every entry matching `pattern` (a path, possibly with wildcards), in search order.
    virtual std::vector<FileEntry> find(const std::string& pattern) = 0;
    // The first match of `path`, or nothing.
    virtual std::optional<FileEntry> findFirst(const std::string& path) = 0;
    // Throws ComError when the file cannot be opened or mapped (an empty file included).
    virtual std::unique_ptr<MappedFile> mapReadOnly(const std::string& path) = 0;
    // Creates (truncating) a file for writing. Throws ComError on failure.
    virtual std::unique_ptr<OutputFile> create(const std::string& path) = 0;
    // Replaces `to` with `from`. Throws ComError on failure.
    virtual void rename(const std::string& from, const std::string& to) = 0;
    // Deletes a file; false when it could not be deleted.
    virtual bool remove(const std::string& path) = 0;
};

}  // namespace zu
