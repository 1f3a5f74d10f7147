#pragma once
// The progress dialog on Win32: dialog template 201 from the module's resources, run
// modally without a parent; it posts itself the start message from WM_INITDIALOG.
#include <windows.h>

#include "update/DialogView.h"

namespace zu {

class Win32DialogRunner final : public ModalDialogRunner {
public:
    // `resources`: the module that holds dialog 201 and icon 203.
    explicit Win32DialogRunner(HINSTANCE resources) : resources_(resources) {}
    int runModal(DialogController& controller) override;

private:
    HINSTANCE resources_;
};

// Owner-less message boxes.
class Win32MessageBoxes final : public MessageBoxes {
public:
    BoxAnswer show(const std::string& text, const std::string& caption, BoxStyle style) override;
};

// Message box flags and answers shared by the dialog's own boxes.
UINT boxFlags(BoxStyle style);
BoxAnswer boxAnswer(int id);

}  // namespace zu
