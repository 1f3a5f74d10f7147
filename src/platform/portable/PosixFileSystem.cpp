#include "platform/portable/PosixFileSystem.h"

#include <fcntl.h>
#include <glob.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "common/ComError.h"

namespace zu {

namespace {

HResult errnoCode(int err) { return hr::fromWin32(static_cast<std::uint32_t>(err)); }

std::optional<FileEntry> entryFor(const std::string& posixPath) {
    struct stat st {};
    if (::stat(posixPath.c_str(), &st) != 0) return std::nullopt;
    FileEntry e;
    const auto slash = posixPath.find_last_of('/');
    e.name = slash == std::string::npos ? posixPath : posixPath.substr(slash + 1);
    e.isFolder = S_ISDIR(st.st_mode);
    e.size = e.isFolder ? 0 : static_cast<std::uint64_t>(st.st_size);
    e.lastWriteUtc = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    return e;
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

class PosixMappedFile final : public MappedFile {
public:
    PosixMappedFile(void* base, std::uint64_t size) : base_(base), size_(size) {}
    ~PosixMappedFile() override { ::munmap(base_, size_); }
    const std::byte* data() const override { return static_cast<const std::byte*>(base_); }
    std::uint64_t size() const override { return size_; }

private:
    void* base_;
    std::uint64_t size_;
};

class PosixOutputFile final : public OutputFile {
public:
    explicit PosixOutputFile(int fd) : fd_(fd) {}
    void write(const void* bytes, std::size_t count) override {
        if (fd_.get() < 0) throw ComError(hr::fail, "write to a closed file");
        const char* p = static_cast<const char*>(bytes);
        while (count > 0) {
            const ssize_t n = ::write(fd_.get(), p, count);
            if (n < 0) {
                if (errno == EINTR) continue;
                throw ComError(errnoCode(errno), "write failed");
            }
            p += n;
            count -= static_cast<std::size_t>(n);
        }
    }
    void close() override { fd_.reset(); }

private:
    Fd fd_;
};

bool hasWildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

}  // namespace

std::string PosixFileSystem::toPosix(const std::string& path) {
    std::string p = path;
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

std::vector<FileEntry> PosixFileSystem::find(const std::string& pattern) {
    const std::string p = toPosix(pattern);
    std::vector<FileEntry> out;
    if (!hasWildcard(p)) {
        if (auto e = entryFor(p)) out.push_back(*e);
        return out;
    }
    glob_t g{};
    if (::glob(p.c_str(), GLOB_NOSORT, nullptr, &g) == 0)
        for (std::size_t i = 0; i < g.gl_pathc; ++i)
            if (auto e = entryFor(g.gl_pathv[i])) out.push_back(*e);
    ::globfree(&g);
    return out;
}

std::optional<FileEntry> PosixFileSystem::findFirst(const std::string& path) {
    auto all = find(path);
    if (all.empty()) return std::nullopt;
    return all.front();
}

std::unique_ptr<MappedFile> PosixFileSystem::mapReadOnly(const std::string& path) {
    Fd fd(::open(toPosix(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw ComError(errnoCode(errno), "CreateFile Failed");
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throw ComError(errnoCode(errno), "CreateFile Failed");
    if (st.st_size == 0) throw ComError(hr::fromWin32(1006), "CreateFileMapping Failed");  // ERROR_FILE_INVALID
    void* base = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd.get(), 0);
    if (base == MAP_FAILED) throw ComError(errnoCode(errno), "MapViewOfFile Failed");
    return std::make_unique<PosixMappedFile>(base, static_cast<std::uint64_t>(st.st_size));
}

std::unique_ptr<OutputFile> PosixFileSystem::create(const std::string& path) {
    const int fd = ::open(toPosix(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw ComError(errnoCode(errno), "cannot create " + path);
    return std::make_unique<PosixOutputFile>(fd);
}

void PosixFileSystem::rename(const std::string& from, const std::string& to) {
    if (std::rename(toPosix(from).c_str(), toPosix(to).c_str()) != 0)
        throw ComError(errnoCode(errno), "cannot rename " + from);
}

bool PosixFileSystem::remove(const std::string& path) { return ::unlink(toPosix(path).c_str()) == 0; }

}  // namespace zu
