// The Setup phase: installs every downloaded file in list order, stops at the first
// failure with a message chosen from the installer's result, and offers a restart.
#include "common/FileSystem.h"
#include "common/StringIds.h"
#include "common/Strings.h"
#include "common/Text.h"
#include "update/DialogView.h"
#include "update/InstallerRunner.h"
#include "update/PhaseServices.h"
#include "update/ProgressSink.h"
#include "update/Restarter.h"
#include "update/WorkLists.h"

namespace zu {
namespace {

bool InstallSetup(const UpdateJob& job, const SetupItem& entry, bool& restart, ProgressSink& sink,
                  const PhaseServices& services) {
    InstallerRunner runner(services.installer, services.strings);
    std::string message;
    bool cancelled = false;
    const std::uint32_t code = runner.Run(entry.localPath, entry.args, cancelled, restart, message, sink);
    if (code == 0) {
        if (cancelled) return false;
        sink.Complete();
        return true;
    }
    const std::string codeLine = fillNumbers(services.strings.load(sid::errorCodeLine), {code});
    replaceAll(message, "<produto>", job.productName);
    replaceAll(message, "<setup>", entry.fileName);
    services.boxes.show(message + "\n\n" + codeLine, services.strings.load(sid::errorCaption), BoxStyle::OkError);
    return false;
}

}  // namespace

bool InstallAll(UpdateJob& job, ProgressSink& sink, const PhaseServices& services) {
    SetupItemList& items = *job.setupItems;
    const std::size_t n = items.size();
    bool restartNeeded = false;
    if (n == 0) return true;
    sink.SetTitle(services.strings.load(sid::installTitle));
    for (std::size_t i = 0; i < n; ++i) {
        const SetupItem& entry = items.at(i);
        sink.SetStepText(fillNumbers(services.strings.load(sid::installStep),
                                     {static_cast<long long>(i + 1), static_cast<long long>(n)}));
        bool entryRestart = false;
        if (!InstallSetup(job, entry, entryRestart, sink, services)) {
            sink.SetStepText("");
            sink.SetStatusText(services.strings.load(sid::installNotDone));
            sink.SetPosition(0, false);
            return false;
        }
        if (!restartNeeded) restartNeeded = entryRestart;
        sink.SetStepText("");
        // A file that cannot be deleted does not stop the run.
        if (services.files.findFirst(entry.localPath)) services.files.remove(entry.localPath);
    }
    sink.SetStatusText(services.strings.load(sid::installDone));
    sink.SetTitle("");
    if (restartNeeded &&
        services.boxes.show(services.strings.load(sid::restartQuestion), services.strings.load(sid::restartCaption),
                            BoxStyle::YesNo) == BoxAnswer::Yes)
        services.restarter.restart();
    return true;
}

}  // namespace zu
