#pragma once
// A ProgressSink that records every call as text ("SetPosition(5,1)") and keeps the
// texts it was given, with a scripted cancel request.
#include <string>
#include <vector>

#include "update/ProgressSink.h"

namespace zu::test {

class RecordingSink final : public ProgressSink {
public:
    std::vector<std::string> calls;
    std::vector<std::string> statusTexts;
    std::vector<int> positions;
    std::string title, step, status;
    bool cancelRequested = false;
    int cancelAfterPositions = -1;  // >= 0: the user confirms leaving after that many SetPosition calls
    int cancelDialogCalls = 0;

    void SetTotal(int total, const std::string& unit) override { log("SetTotal(" + std::to_string(total) + "," + unit + ")"); }
    void SetStepText(const std::string& text) override {
        step = text;
        log("SetStepText(" + text + ")");
    }
    void SetTitle(const std::string& text) override {
        title = text;
        log("SetTitle(" + text + ")");
    }
    int SetPosition(int position, bool showAmounts) override {
        positions.push_back(position);
        log("SetPosition(" + std::to_string(position) + "," + (showAmounts ? "1" : "0") + ")");
        if (cancelAfterPositions >= 0 && static_cast<int>(positions.size()) >= cancelAfterPositions) cancelRequested = true;
        return 0;
    }
    int Complete() override {
        log("Complete()");
        return 0;
    }
    void ShowAmounts(int current, int total) override { log("ShowAmounts"); }
    void SetStatusText(const std::string& text) override {
        status = text;
        statusTexts.push_back(text);
        log("SetStatusText(" + text + ")");
    }
    void DisableCancel() override { log("DisableCancel()"); }
    void EnableCancel() override { log("EnableCancel()"); }
    bool IsCancelRequested() override { return cancelRequested; }
    void CancelDialog() override {
        ++cancelDialogCalls;
        log("CancelDialog()");
    }
    void ShowControl(int id, int command) override {
        log("ShowControl(" + std::to_string(id) + "," + std::to_string(command) + ")");
    }

private:
    void log(std::string call) { calls.push_back(std::move(call)); }
};

}  // namespace zu::test
