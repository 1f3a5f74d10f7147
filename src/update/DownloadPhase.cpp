// The Download phase: every setup file of the run, in list order, into its local path.
#include "common/StringIds.h"
#include "common/Strings.h"
#include "update/DialogView.h"
#include "update/HttpDownloader.h"
#include "update/PhaseServices.h"
#include "update/ProgressSink.h"
#include "update/WorkLists.h"

namespace zu {
namespace {

bool DownloadFile(const SetupItem& entry, ProgressSink& sink, const PhaseServices& services) {
    sink.SetTotal(entry.sizeKb, "Kb");
    sink.SetPosition(0, true);
    HttpDownloader downloader(services.download, services.files, services.strings);
    const bool downloaded = downloader.Download(entry.localPath, entry.url, sink);
    if (downloaded) sink.Complete();
    return downloaded;
}

}  // namespace

bool DownloadAll(UpdateJob& job, ProgressSink& sink, const PhaseServices& services) {
    SetupItemList& items = *job.setupItems;
    const std::size_t n = items.size();
    if (n == 0) return true;
    sink.SetTitle(services.strings.load(sid::downloadTitle));
    sink.ShowControl(dlg::transferBar, kShowNormal);
    for (std::size_t i = 0; i < n; ++i) {
        SetupItem& entry = items.at(i);
        sink.SetStepText(fillNumbers(services.strings.load(sid::downloadStep),
                                     {static_cast<long long>(i + 1), static_cast<long long>(n)}));
        sink.SetTotal(entry.sizeKb, "Kb");
        const bool downloaded = DownloadFile(entry, sink, services);
        sink.SetStepText("");
        if (!downloaded) {
            sink.SetStatusText(services.strings.load(sid::installNotDone));
            return false;
        }
    }
    sink.SetStatusText(services.strings.load(sid::downloadDone));
    sink.SetTitle("");
    return true;
}

}  // namespace zu
