#include "support/SidePorts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/portable/PortableSystem.h"
#include "platform/portable/PosixFileSystem.h"
#include "platform/portable/PugiXmlDom.h"

namespace zu::test {

std::unique_ptr<XmlFactory> makeSideXmlFactory() { return std::make_unique<PugiXmlFactory>(); }
std::unique_ptr<FileSystem> makeSideFileSystem() { return std::make_unique<PosixFileSystem>(); }
std::unique_ptr<LocalClock> makeSideClock() { return std::make_unique<MktimeClock>(); }
std::unique_ptr<Locale> makeSideLocale() { return std::make_unique<Utf8Locale>(); }

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string tmpl = (fs::temp_directory_path() / "zu-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempFolder::writeFile(const std::string& relative, const std::string& content) {
    const fs::path p = PosixFileSystem::toPosix(path_ + "/" + relative);
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
    return path_ + "\\" + relative;
}

std::string TempFolder::makeFolder(const std::string& relative) {
    fs::create_directories(PosixFileSystem::toPosix(path_ + "/" + relative));
    return path_ + "\\" + relative;
}

void TempFolder::setLastWrite(const std::string& path, std::int64_t utcSeconds, int milliseconds) {
    timespec times[2];
    times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(utcSeconds);
    times[0].tv_nsec = times[1].tv_nsec = static_cast<long>(milliseconds) * 1000000L;
    if (::utimensat(AT_FDCWD, PosixFileSystem::toPosix(path).c_str(), times, 0) != 0)
        throw std::runtime_error("utimensat failed for " + path);
}

ScopedTimeZone::ScopedTimeZone(const std::string& tz) {
    if (const char* old = std::getenv("TZ")) {
        previous_ = old;
        hadPrevious_ = true;
    }
    ::setenv("TZ", tz.c_str(), 1);
    ::tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
    if (hadPrevious_)
        ::setenv("TZ", previous_.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

}  // namespace zu::test
