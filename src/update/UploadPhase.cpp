// The Upload phase: every file of the upload list, each in its own POST request. A failed
// file is reported and the phase goes on; every tried item leaves the list.
#include "common/StringIds.h"
#include "common/Strings.h"
#include "update/DialogView.h"
#include "update/HttpUploader.h"
#include "update/PhaseServices.h"
#include "update/ProgressSink.h"
#include "update/WorkLists.h"

namespace zu {
namespace {

bool UploadFile(const UploadItem& entry, ProgressSink& sink, const PhaseServices& services) {
    sink.SetTotal(entry.sizeKb, "Kb");
    sink.SetPosition(0, true);
    const auto target = parseUploadTarget(entry.targetUrl);
    if (!target) return false;
    HttpUploader uploader(services.upload, services.uuids, services.files, services.boxes, services.strings);
    std::string errorText;  // diagnostic only
    const bool sent = uploader.SendFile(entry.localPath, *target, sink, errorText);
    if (sent) sink.Complete();
    return sent;
}

}  // namespace

bool UploadAll(UpdateJob& job, ProgressSink& sink, const PhaseServices& services) {
    UploadItemList& items = *job.uploadItems;
    const std::size_t n = items.size();
    bool result = true;
    if (n == 0) return true;
    sink.SetTitle(services.strings.load(sid::uploadTitle));
    sink.ShowControl(dlg::transferBar, kShowNormal);
    for (std::size_t i = 0; i < n; ++i) {
        const UploadItem& entry = items.at(0);
        sink.SetStepText(fillNumbers(services.strings.load(sid::uploadStep),
                                     {static_cast<long long>(i + 1), static_cast<long long>(n)}));
        sink.SetTotal(entry.sizeKb, "Kb");
        const bool sent = UploadFile(entry, sink, services);
        sink.SetStepText("");
        if (!sent) {
            sink.SetStatusText(services.strings.load(sid::uploadFailedStatus));
            services.boxes.show(services.strings.load(sid::uploadFailedBox), services.strings.load(sid::errorCaption),
                                BoxStyle::Ok);
            result = false;
        }
        items.dropFront(1);  // tried: no later run offers it again
    }
    if (result) sink.SetStatusText(services.strings.load(sid::uploadDone));
    sink.SetTitle("");
    return result;
}

}  // namespace zu
