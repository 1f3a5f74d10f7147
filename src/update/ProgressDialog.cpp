#include "update/ProgressDialog.h"

#include <cmath>

#include "common/StringIds.h"
#include "common/Strings.h"
#include "common/Text.h"
#include "update/DialogProgressSink.h"
#include "update/PhaseServices.h"
#include "update/WorkLists.h"

namespace zu {
namespace {

struct PhaseRow {
    const char* name;
    int bar, stepText, statusText, percentText;
};
constexpr PhaseRow kRows[] = {
    {"Upload", dlg::transferBar, dlg::transferStep, dlg::transferStatus, dlg::transferPercent},
    {"Download", dlg::transferBar, dlg::transferStep, dlg::transferStatus, dlg::transferPercent},
    {"Setup", dlg::installBar, dlg::installStep, dlg::installStatus, dlg::installPercent},
};

constexpr int kClearedTexts[] = {dlg::heading,        dlg::transferStep,    dlg::installStep,  dlg::transferStatus,
                                 dlg::installStatus, dlg::transferPercent, dlg::installPercent};

}  // namespace

ProgressDialog::State ProgressDialog::state() const {
    if (ended_) return State::Ended;
    return runFinished_ ? State::Finished : State::Running;
}

void ProgressDialog::SelectPhase(const std::string& name) {
    for (const PhaseRow& row : kRows) {
        if (name != row.name) continue;
        activeBar_ = row.bar;
        stepTextId_ = row.stepText;
        statusTextId_ = row.statusText;
        percentTextId_ = row.percentText;
    }
}

void ProgressDialog::SetRange(int low, int high) {
    barRange_ = high - low;
    view().setBarRange(activeBar_, low, high);
}

void ProgressDialog::SetProgress(int position) {
    view().setBarPosition(activeBar_, position);
    // A range of 0 (only a zero total set so far) shows 0% instead of dividing by it.
    long long percent = 0;
    if (barRange_ != 0) percent = static_cast<long long>(std::trunc(position * 100.0 / barRange_));
    view().setText(percentTextId_, decimal(percent) + "%");
}

void ProgressDialog::CancelDialog() {
    ended_ = true;
    view().endDialog(dlg::resultCancel);
}

void ProgressDialog::MarkFinished(bool result) {
    view().setText(dlg::button, strings_.load(sid::buttonClose));
    runFinished_ = true;
    runSucceeded_ = result;
}

void ProgressDialog::leaveRequested(DialogView& view) {
    view_ = &view;
    if (ended_) return;  // already ending: the first end result stands
    const std::string caption = view.caption();
    if (runFinished_) {
        ended_ = true;
        view.endDialog(dlg::resultOk);
        return;
    }
    if (view.ask(strings_.load(sid::leaveQuestion), caption, BoxStyle::YesNoWarning) == BoxAnswer::Yes)
        cancelRequested_ = true;
}

void ProgressDialog::RunPhases(DialogView& view) {
    view_ = &view;
    runFinished_ = false;
    view.showWindow();
    for (int id : kClearedTexts) view.setText(id, "");
    view.setText(dlg::button, strings_.load(sid::buttonCancel));
    view.enableControl(dlg::button, true);
    if (job_->setupItems == nullptr || job_->setupItems->empty()) view.showControl(dlg::installBar, 0);
    try {
        RunAllPhases();
    } catch (...) {
        // A phase that raises instead of reporting must not leave the dialog Running
        // with nobody to act on a cancel request.
        MarkFinished(false);
    }
}

void ProgressDialog::RunAllPhases() {
    const bool hasSetups = job_->setupItems != nullptr && !job_->setupItems->empty();
    if (job_->uploadItems != nullptr && !job_->uploadItems->empty()) {
        DialogProgressSink sink(*this, "Upload");
        if (!phases_.UploadAll(*job_, sink) && !hasSetups) {
            MarkFinished(false);
            return;
        }
    }
    {
        DialogProgressSink sink(*this, "Download");
        if (!phases_.DownloadAll(*job_, sink)) {
            MarkFinished(false);
            return;
        }
    }
    DialogProgressSink sink(*this, "Setup");
    const bool installed = phases_.InstallAll(*job_, sink);
    MarkFinished(installed);
}

}  // namespace zu
