#include "support/SidePorts.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32System.h"
#if __has_include("platform/win32/MsXmlDom.h")
#include "platform/win32/MsXmlDom.h"
#define ZU_HAVE_MSXML 1
#endif

namespace zu::test {

std::unique_ptr<XmlFactory> makeSideXmlFactory() {
#ifdef ZU_HAVE_MSXML
    return std::make_unique<win::MsXmlFactory>();
#else
    throw std::runtime_error("no XML adapter on this side yet");
#endif
}
std::unique_ptr<FileSystem> makeSideFileSystem() { return std::make_unique<Win32FileSystem>(); }
std::unique_ptr<LocalClock> makeSideClock() { return std::make_unique<CrtClock>(); }
std::unique_ptr<Locale> makeSideLocale() { return std::make_unique<AnsiLocale>(); }

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string root(base);
    if (!root.empty() && root.back() == '\\') root.pop_back();
    for (;;) {
        path_ = root + "\\zu-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
        if (CreateDirectoryA(path_.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot make " + path_);
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempFolder::writeFile(const std::string& relative, const std::string& content) {
    const std::string full = path_ + "\\" + relative;
    fs::create_directories(fs::path(full).parent_path());
    std::ofstream(full, std::ios::binary) << content;
    return full;
}

std::string TempFolder::makeFolder(const std::string& relative) {
    const std::string full = path_ + "\\" + relative;
    fs::create_directories(full);
    return full;
}

void TempFolder::setLastWrite(const std::string& path, std::int64_t utcSeconds, int milliseconds) {
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
    const std::int64_t ticks = (utcSeconds * 1000 + milliseconds) * 10000 + 116444736000000000LL;
    FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    const BOOL ok = SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
    if (!ok) throw std::runtime_error("SetFileTime failed for " + path);
}

ScopedTimeZone::ScopedTimeZone(const std::string& tz) {
    // The C runtime would parse a TZ variable itself (and misread zone names): drop it so
    // local time follows the system zone.
    _putenv_s("TZ", "");
    _tzset();
    TIME_ZONE_INFORMATION info{};
    GetTimeZoneInformation(&info);
    // Lisbon: UTC+0 in winter, one hour of daylight saving from March to October.
    active_ = tz == "Europe/Lisbon" && info.Bias == 0 && info.DaylightBias == -60 && info.DaylightDate.wMonth == 3 &&
              info.StandardDate.wMonth == 10;
}

ScopedTimeZone::~ScopedTimeZone() = default;

}  // namespace zu::test

namespace {
// What every Windows test runs in, as the control does in its host: a single-threaded
// COM apartment on the test thread, and local time taken from the system zone. (Wine
// hands the Unix TZ variable to Windows programs, and the C runtime would misread a zone
// name such as "Europe/Lisbon", so the variable is dropped first.)
class WindowsTestProcess : public ::testing::Environment {
public:
    void SetUp() override {
        _putenv_s("TZ", "");
        _tzset();
        comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    void TearDown() override {
        if (comReady_) CoUninitialize();
    }

private:
    bool comReady_ = false;
};
const auto* const kWindowsTestProcess = ::testing::AddGlobalTestEnvironment(new WindowsTestProcess);
}  // namespace
