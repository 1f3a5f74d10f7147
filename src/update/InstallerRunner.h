#pragma once
// Runs one downloaded patch or package through the Windows Installer and classifies the
// result code.
#include <cstdint>
#include <string>

namespace zu {

class Installer;
class Strings;
class ProgressSink;

namespace msiresult {
inline constexpr std::uint32_t success = 0;
inline constexpr std::uint32_t userExit = 1602;
inline constexpr std::uint32_t patchOpenFailed = 1636;  // also: no installer call made
}  // namespace msiresult

enum class InstallOutcome { Success, SuccessRestart, UserExit, Failure };

struct InstallResultClass {
    InstallOutcome outcome;
    int messageId;  // 0: no message
};

// The row of the result-code table for `code`.
InstallResultClass classifyInstallResult(std::uint32_t code);

class InstallerRunner {
public:
    // Used when an entry brings no installer arguments.
    static constexpr const char* kDefaultCommandLine = "REINSTALL=ALL REINSTALLMODE=vomus";

    InstallerRunner(Installer& installer, const Strings& strings) : installer_(installer), strings_(strings) {}
    virtual ~InstallerRunner() = default;

    // The installer's result code (0 also for a success that needs a restart and for a
    // cancel the user had confirmed in the dialog). `message` receives the failure's
    // message string with its placeholders untouched.
    std::uint32_t Run(const std::string& path, const std::string& commandLine, bool& cancelled, bool& restart,
                      std::string& message, ProgressSink& sink);

private:
    Installer& installer_;
    const Strings& strings_;
};

}  // namespace zu
