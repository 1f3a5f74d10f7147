#pragma once
// The real adapters of the side a test program runs on (portable natively, Win32 under
// Wine). Unit tests of the core run against these wherever a fake would prove nothing
// (the DOM, the file system, the clock, the locale).
#include <memory>
#include <string>

#include "catalog/XmlDom.h"
#include "common/FileSystem.h"
#include "common/Locale.h"
#include "inspect/LocalClock.h"

namespace zu::test {

std::unique_ptr<XmlFactory> makeSideXmlFactory();
std::unique_ptr<FileSystem> makeSideFileSystem();
std::unique_ptr<LocalClock> makeSideClock();
std::unique_ptr<Locale> makeSideLocale();

// A fresh, empty temporary folder in the side's path syntax ("\" joins work on both),
// removed with its content on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // Creates a file (folders on the way included) with `content`; returns its path.
    std::string writeFile(const std::string& relative, const std::string& content);
    std::string makeFolder(const std::string& relative);
    // Sets the last-write time of a file or folder (seconds since 1970 UTC, + fraction).
    void setLastWrite(const std::string& path, std::int64_t utcSeconds, int milliseconds = 0);

private:
    std::string path_;
};

// Sets the process's local time zone to `tz` (a zone name such as "Europe/Lisbon") for
// the scope. Natively this sets TZ. A Windows process takes the zone Wine gives it (the
// test run starts Wine with TZ=Europe/Lisbon); there active() tells whether the system
// zone is the one asked for, and tests that need it skip otherwise.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const std::string& tz);
    ~ScopedTimeZone();
    bool active() const { return active_; }

private:
    std::string previous_;
    bool hadPrevious_ = false;
    bool active_ = true;
};

}  // namespace zu::test
