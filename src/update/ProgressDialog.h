#pragma once
// The logic of the modal progress dialog: it drives the phases of one run once it is up,
// keeps the current row of controls, asks before leaving and records the run's result.
#include <string>

#include "update/DialogView.h"

namespace zu {

class UpdateJob;
class UpdatePhases;
class Strings;

class ProgressDialog final : public DialogController {
public:
    enum class State { Running, Finished, Ended };

    ProgressDialog(UpdatePhases& phases, const Strings& strings) : phases_(phases), strings_(strings) {}

    void setJob(UpdateJob& job) { job_ = &job; }
    bool runSucceeded() const { return runSucceeded_; }
    State state() const;

    // DialogController
    void started(DialogView& view) override { RunPhases(view); }
    void leaveRequested(DialogView& view) override;

    // What the sink uses; all act on the row of the current phase.
    void SelectPhase(const std::string& name);
    void SetRange(int low, int high);
    void SetProgress(int position);
    void SetStepText(const std::string& text) { view().setText(stepTextId_, text); }
    void SetHeading(const std::string& text) { view().setText(dlg::heading, text); }
    void SetStatusText(const std::string& text) { view().setText(statusTextId_, text); }
    void ShowControl(int id, int command) { view().showControl(id, command); }
    void EnableButton(bool enabled) { view().enableControl(dlg::button, enabled); }
    void PumpMessages() { view().pumpMessages(); }
    bool IsCancelRequested() const { return cancelRequested_; }
    void CancelDialog();
    void MarkFinished(bool result);
    int statusTextId() const { return statusTextId_; }
    const Strings& strings() const { return strings_; }

private:
    void RunPhases(DialogView& view);
    void RunAllPhases();
    DialogView& view() const { return *view_; }

    UpdatePhases& phases_;
    const Strings& strings_;
    DialogView* view_ = nullptr;  // set while the dialog exists
    bool runSucceeded_ = true;
    int barRange_ = 0;
    int activeBar_ = dlg::transferBar;
    int stepTextId_ = dlg::transferStep;
    int statusTextId_ = dlg::transferStatus;
    int percentTextId_ = dlg::transferPercent;
    UpdateJob* job_ = nullptr;
    bool cancelRequested_ = false;
    bool runFinished_ = false;
    bool ended_ = false;
};

}  // namespace zu
