#pragma once
// How the phases of an update run report: texts, one progress bar, the cancel request.
// The dialog implements it once per phase; the phases never touch the dialog itself.
#include <string>

namespace zu {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Total of the current item and the unit shown after amounts; the bar runs 0..total.
    virtual void SetTotal(int total, const std::string& unit) = 0;
    virtual void SetStepText(const std::string& text) = 0;
    virtual void SetTitle(const std::string& text) = 0;
    // Moves the bar (limited to the total), optionally shows the amounts, then pumps
    // window messages.
    virtual int SetPosition(int position, bool showAmounts) = 0;
    // Fills the bar, then pumps window messages.
    virtual int Complete() = 0;
    virtual void ShowAmounts(int current, int total) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void DisableCancel() = 0;
    virtual void EnableCancel() = 0;
    virtual bool IsCancelRequested() = 0;
    // Marks the dialog for ending with the cancel result; the caller goes on normally.
    virtual void CancelDialog() = 0;
    // Show commands of the window system: 0 hide, 5 show.
    virtual void ShowControl(int controlId, int showCommand) = 0;
};

inline constexpr int kShowHide = 0;
inline constexpr int kShowNormal = 5;

}  // namespace zu
