#pragma once
// ProgressSink on the progress dialog, made by the driver for one named phase
// ("Upload", "Download" or "Setup"), which decides the row of controls it writes to.
#include <string>

#include "update/ProgressSink.h"

namespace zu {

class ProgressDialog;

class DialogProgressSink final : public ProgressSink {
public:
    DialogProgressSink(ProgressDialog& dialog, std::string phaseName);

    void SetTotal(int total, const std::string& unit) override;
    void SetStepText(const std::string& text) override;
    void SetTitle(const std::string& text) override;
    int SetPosition(int position, bool showAmounts) override;
    int Complete() override;
    void ShowAmounts(int current, int total) override;
    void SetStatusText(const std::string& text) override;
    void DisableCancel() override;
    void EnableCancel() override;
    bool IsCancelRequested() override;
    void CancelDialog() override;
    void ShowControl(int controlId, int showCommand) override;

private:
    ProgressDialog& ownerDialog_;
    std::string phaseName_;
    std::string amountTemplate_;
    int itemTotal_ = 0;
    std::string amountUnit_;
};

}  // namespace zu
