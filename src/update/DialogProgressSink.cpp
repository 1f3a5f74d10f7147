#include "update/DialogProgressSink.h"

#include <algorithm>

#include "common/StringIds.h"
#include "common/Strings.h"
#include "common/Text.h"
#include "update/DialogView.h"
#include "update/ProgressDialog.h"

namespace zu {

DialogProgressSink::DialogProgressSink(ProgressDialog& dialog, std::string phaseName)
    : ownerDialog_(dialog), phaseName_(std::move(phaseName)) {
    ownerDialog_.SelectPhase(phaseName_);
    if (phaseName_ == "Upload") amountTemplate_ = ownerDialog_.strings().load(sid::uploadedAmounts);
    if (phaseName_ == "Download") amountTemplate_ = ownerDialog_.strings().load(sid::receivedAmounts);
}

void DialogProgressSink::SetTotal(int total, const std::string& unit) {
    amountUnit_ = unit;
    itemTotal_ = total;
    ownerDialog_.SetRange(0, total);
}

void DialogProgressSink::SetStepText(const std::string& text) { ownerDialog_.SetStepText(text); }

void DialogProgressSink::SetTitle(const std::string& text) { ownerDialog_.SetHeading(text); }

int DialogProgressSink::SetPosition(int position, bool showAmounts) {
    position = std::min(position, itemTotal_);
    ownerDialog_.SetProgress(position);
    if (showAmounts) ShowAmounts(position, itemTotal_);
    ownerDialog_.PumpMessages();
    return 0;
}

int DialogProgressSink::Complete() {
    if (itemTotal_ < 1) SetTotal(100, "");
    ownerDialog_.SetProgress(itemTotal_);
    ownerDialog_.PumpMessages();
    return 0;
}

void DialogProgressSink::ShowAmounts(int current, int /*total: the item's own total is shown*/) {
    std::string line = amountTemplate_;
    replaceAll(line, "<CurrentAmount>", decimal(current) + " " + amountUnit_);
    replaceAll(line, "<TotalAmount>", decimal(itemTotal_) + " " + amountUnit_);
    ownerDialog_.SetStatusText(line);
}

void DialogProgressSink::SetStatusText(const std::string& text) { ownerDialog_.SetStatusText(text); }

void DialogProgressSink::DisableCancel() { ownerDialog_.EnableButton(false); }

void DialogProgressSink::EnableCancel() { ownerDialog_.EnableButton(true); }

bool DialogProgressSink::IsCancelRequested() { return ownerDialog_.IsCancelRequested(); }

void DialogProgressSink::CancelDialog() { ownerDialog_.CancelDialog(); }

void DialogProgressSink::ShowControl(int controlId, int showCommand) {
    ownerDialog_.ShowControl(controlId, showCommand);
}

}  // namespace zu
