#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/ComSupport.h"

namespace zu {

namespace {

constexpr std::size_t kMaxPath = 259;  // longer paths are never found (MAX_PATH - 1)

// FILETIME (100 ns since 1601) -> whole seconds since 1970, fractions dropped.
std::int64_t toUnixSeconds(const FILETIME& ft) {
    const std::int64_t ticks = (static_cast<std::int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    constexpr std::int64_t kEpochDelta = 116444736000000000LL;
    const std::int64_t t = ticks - kEpochDelta;
    return t >= 0 ? t / 10000000 : -((-t + 9999999) / 10000000);
}

FileEntry toEntry(const WIN32_FIND_DATAA& d) {
    FileEntry e;
    e.name = d.cFileName;
    e.isFolder = (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.size = e.isFolder ? 0 : (static_cast<std::uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
    e.lastWriteUtc = toUnixSeconds(d.ftLastWriteTime);
    return e;
}

class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() {
        if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
    }
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

class Win32MappedFile final : public MappedFile {
public:
    Win32MappedFile(win::Handle file, win::Handle mapping, const void* view, std::uint64_t size)
        : file_(std::move(file)), mapping_(std::move(mapping)), view_(view), size_(size) {}
    ~Win32MappedFile() override { UnmapViewOfFile(view_); }
    const std::byte* data() const override { return static_cast<const std::byte*>(view_); }
    std::uint64_t size() const override { return size_; }

private:
    win::Handle file_;
    win::Handle mapping_;
    const void* view_;
    std::uint64_t size_;
};

class Win32OutputFile final : public OutputFile {
public:
    explicit Win32OutputFile(win::Handle file) : file_(std::move(file)) {}
    void write(const void* bytes, std::size_t count) override {
        if (!file_.valid()) throw ComError(hr::fromWin32(ERROR_INVALID_HANDLE), "write to a closed file");
        DWORD written = 0;
        if (!WriteFile(file_.get(), bytes, static_cast<DWORD>(count), &written, nullptr) || written != count)
            win::throwLastError("WriteFile failed");
    }
    void close() override { file_.reset(); }

private:
    win::Handle file_;
};

}  // namespace

std::vector<FileEntry> Win32FileSystem::find(const std::string& pattern) {
    std::vector<FileEntry> out;
    if (pattern.size() > kMaxPath) return out;
    WIN32_FIND_DATAA data;
    FindHandle h(FindFirstFileA(pattern.c_str(), &data));
    if (!h.valid()) return out;
    do {
        out.push_back(toEntry(data));
    } while (FindNextFileA(h.get(), &data));
    return out;
}

std::optional<FileEntry> Win32FileSystem::findFirst(const std::string& path) {
    if (path.size() > kMaxPath) return std::nullopt;
    WIN32_FIND_DATAA data;
    FindHandle h(FindFirstFileA(path.c_str(), &data));
    if (!h.valid()) return std::nullopt;
    return toEntry(data);
}

std::unique_ptr<MappedFile> Win32FileSystem::mapReadOnly(const std::string& path) {
    win::Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) win::throwLastError("CreateFile Failed");
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info)) win::throwLastError("CreateFile Failed");
    // The size the view covers is the low 32 bits of the length.
    const std::uint64_t size = info.nFileSizeLow;
    win::Handle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, info.nFileSizeLow, nullptr));
    if (!mapping.get()) win::throwLastError("CreateFileMapping Failed");
    const void* view = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0);
    if (!view) win::throwLastError("MapViewOfFile Failed");
    return std::make_unique<Win32MappedFile>(std::move(file), std::move(mapping), view, size);
}

std::unique_ptr<OutputFile> Win32FileSystem::create(const std::string& path) {
    win::Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) win::throwLastError("cannot create the file");
    return std::make_unique<Win32OutputFile>(std::move(file));
}

void Win32FileSystem::rename(const std::string& from, const std::string& to) {
    if (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) win::throwLastError("cannot rename the file");
}

bool Win32FileSystem::remove(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

}  // namespace zu
