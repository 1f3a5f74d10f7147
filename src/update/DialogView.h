#pragma once
// Ports of the progress dialog: the view the dialog logic drives (controls of template
// 201), the modal runner that shows it, and owner-less message boxes.
#include <string>

namespace zu {

// Control ids of dialog 201.
namespace dlg {
inline constexpr int templateId = 201;
inline constexpr int transferBar = 201;
inline constexpr int installBar = 202;
inline constexpr int transferStep = 203;
inline constexpr int installStep = 204;
inline constexpr int transferPercent = 206;
inline constexpr int installPercent = 207;
inline constexpr int transferStatus = 209;
inline constexpr int installStatus = 211;
inline constexpr int heading = 212;
inline constexpr int button = 2;  // the cancel id: "Cancelar", later "Fechar"
inline constexpr int resultOk = 1;
inline constexpr int resultCancel = 2;
inline constexpr unsigned startMessage = 0x400 + 100;  // posted to itself once initialised
}  // namespace dlg

enum class BoxStyle { Ok, OkError, YesNo, YesNoWarning };
enum class BoxAnswer { Ok, Yes, No };

class DialogView {
public:
    virtual ~DialogView() = default;
    virtual void showWindow() = 0;
    virtual std::string caption() = 0;
    virtual void setText(int controlId, const std::string& text) = 0;
    virtual void showControl(int controlId, int showCommand) = 0;
    virtual void enableControl(int controlId, bool enabled) = 0;
    virtual void setBarRange(int barId, int low, int high) = 0;
    virtual void setBarPosition(int barId, int position) = 0;
    // A message box owned by the dialog.
    virtual BoxAnswer ask(const std::string& text, const std::string& caption, BoxStyle style) = 0;
    // Serves every window message waiting for the thread, then returns.
    virtual void pumpMessages() = 0;
    // Ends the modal loop with `result` once control is back in it.
    virtual void endDialog(int result) = 0;
};

// What the modal runner calls back into (the dialog's logic).
class DialogController {
public:
    virtual ~DialogController() = default;
    // The start message arrived: the dialog exists and its modal loop runs.
    virtual void started(DialogView& view) = 0;
    // Button 2, Esc or the close box.
    virtual void leaveRequested(DialogView& view) = 0;
};

class ModalDialogRunner {
public:
    virtual ~ModalDialogRunner() = default;
    // Shows dialog 201 without a parent and returns its end result once it is closed.
    virtual int runModal(DialogController& controller) = 0;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A message box without owner window.
    virtual BoxAnswer show(const std::string& text, const std::string& caption, BoxStyle style) = 0;
};

}  // namespace zu
