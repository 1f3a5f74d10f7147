#include "update/InstallerRunner.h"

#include "common/Installer.h"
#include "common/StringIds.h"
#include "common/Strings.h"
#include "common/Text.h"
#include "update/ProgressSink.h"

namespace zu {
namespace {

struct ResultRow {
    std::uint32_t code;
    InstallOutcome outcome;
    int messageId;
};

constexpr ResultRow kResultTable[] = {
    {0, InstallOutcome::Success, 0},
    {1641, InstallOutcome::SuccessRestart, 0},
    {3010, InstallOutcome::SuccessRestart, 0},
    {1602, InstallOutcome::UserExit, sid::installContactVendor},
    {1601, InstallOutcome::Failure, sid::installUpgradeWindowsInstaller},
    {1631, InstallOutcome::Failure, sid::installUpgradeWindowsInstaller},
    {1637, InstallOutcome::Failure, sid::installUpgradeWindowsInstaller},
    {1603, InstallOutcome::Failure, sid::installContactVendor},
    {1604, InstallOutcome::Failure, sid::installContactVendor},
    {1605, InstallOutcome::Failure, sid::installNotInstalled},
    {1612, InstallOutcome::Failure, sid::installNotInstalled},
    {1614, InstallOutcome::Failure, sid::installNotInstalled},
    {1642, InstallOutcome::Failure, sid::installNotInstalled},
    {1618, InstallOutcome::Failure, sid::installAnotherInProgress},
    {1613, InstallOutcome::Failure, sid::installPackageNotOpened},
    {1619, InstallOutcome::Failure, sid::installPackageNotOpened},
    {1620, InstallOutcome::Failure, sid::installPackageNotOpened},
    {1632, InstallOutcome::Failure, sid::installDiskOrTemp},
    {1635, InstallOutcome::Failure, sid::installPatchNotOpened},
    {1636, InstallOutcome::Failure, sid::installPatchNotOpened},
    {1638, InstallOutcome::Failure, sid::installVersionDiffers},
    {1625, InstallOutcome::Failure, sid::installPolicy},
    {1640, InstallOutcome::Failure, sid::installPolicy},
    {1633, InstallOutcome::Failure, sid::installPlatform},
};

enum class PackageKind { Patch, Package, Unknown };

struct KindRow {
    const char* extension;
    PackageKind kind;
};
constexpr KindRow kKinds[] = {{".msp", PackageKind::Patch}, {".msi", PackageKind::Package}};

// Decided by the file name's extension, whatever its case.
PackageKind packageKind(const std::string& path) {
    const std::size_t nameStart = path.find_last_of("\\/") == std::string::npos ? 0 : path.find_last_of("\\/") + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return PackageKind::Unknown;
    const std::string extension = path.substr(dot);
    for (const KindRow& row : kKinds)
        if (equalsIgnoreAsciiCase(extension, row.extension)) return row.kind;
    return PackageKind::Unknown;
}

}  // namespace

InstallResultClass classifyInstallResult(std::uint32_t code) {
    for (const ResultRow& row : kResultTable)
        if (row.code == code) return {row.outcome, row.messageId};
    return {InstallOutcome::Failure, sid::installOther};
}

std::uint32_t InstallerRunner::Run(const std::string& path, const std::string& commandLine, bool& cancelled,
                                   bool& restart, std::string& message, ProgressSink& sink) {
    sink.SetStatusText("");
    installer_.setInternalUI(3);
    cancelled = false;
    restart = false;
    std::uint32_t code = msiresult::patchOpenFailed;
    const std::string arguments = commandLine.empty() ? kDefaultCommandLine : commandLine;
    switch (packageKind(path)) {
        case PackageKind::Patch: code = installer_.applyPatch(path, arguments); break;
        case PackageKind::Package: code = installer_.installProduct(path, arguments); break;
        case PackageKind::Unknown: break;
    }
    message.clear();
    const InstallResultClass result = classifyInstallResult(code);
    switch (result.outcome) {
        case InstallOutcome::Success: break;
        case InstallOutcome::SuccessRestart:
            restart = true;
            code = msiresult::success;
            break;
        case InstallOutcome::UserExit:
            if (sink.IsCancelRequested()) {
                sink.CancelDialog();
                cancelled = true;
                return msiresult::success;
            }
            message = strings_.load(result.messageId);
            break;
        case InstallOutcome::Failure: message = strings_.load(result.messageId); break;
    }
    return code;
}

}  // namespace zu
