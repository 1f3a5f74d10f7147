#include "platform/win32/Win32ProgressDialog.h"

#include <commctrl.h>

#include "platform/win32/ComSupport.h"

namespace zu {
namespace {

class Win32DialogView final : public DialogView {
public:
    explicit Win32DialogView(DialogController& controller) : controller_(controller) {}

    void attach(HWND hwnd) { hwnd_ = hwnd; }
    DialogController& controller() { return controller_; }

    void showWindow() override { ShowWindow(hwnd_, SW_SHOWNORMAL); }
    std::string caption() override {
        wchar_t text[256] = {};
        GetWindowTextW(hwnd_, text, 255);
        return win::narrow(std::wstring(text));
    }
    void setText(int id, const std::string& text) override { SetDlgItemTextW(hwnd_, id, win::widen(text).c_str()); }
    void showControl(int id, int command) override { ShowWindow(GetDlgItem(hwnd_, id), command); }
    void enableControl(int id, bool enabled) override { EnableWindow(GetDlgItem(hwnd_, id), enabled); }
    void setBarRange(int bar, int low, int high) override { SendDlgItemMessageW(hwnd_, bar, PBM_SETRANGE32, low, high); }
    void setBarPosition(int bar, int position) override { SendDlgItemMessageW(hwnd_, bar, PBM_SETPOS, position, 0); }
    BoxAnswer ask(const std::string& text, const std::string& caption, BoxStyle style) override {
        return boxAnswer(MessageBoxW(hwnd_, win::widen(text).c_str(), win::widen(caption).c_str(), boxFlags(style)));
    }
    void pumpMessages() override {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageW(&msg, nullptr, 0, 0)) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // leave WM_QUIT to the outer loop
                return;
            }
            if (!IsDialogMessageW(hwnd_, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    // EndDialog only marks the dialog: the modal loop ends once control is back in it.
    void endDialog(int result) override { EndDialog(hwnd_, result); }

private:
    DialogController& controller_;
    HWND hwnd_ = nullptr;
};

INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<Win32DialogView*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
            reinterpret_cast<Win32DialogView*>(lParam)->attach(hwnd);
            PostMessageW(hwnd, dlg::startMessage, 0, 0);
            return TRUE;
        case dlg::startMessage:
            if (view) view->controller().started(*view);
            return TRUE;
        case WM_COMMAND:
            // The button, Esc and the close box all arrive as IDCANCEL.
            if (LOWORD(wParam) == IDCANCEL && view) {
                view->controller().leaveRequested(*view);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

UINT boxFlags(BoxStyle style) {
    switch (style) {
        case BoxStyle::Ok: return MB_OK;
        case BoxStyle::OkError: return MB_OK | MB_ICONERROR;
        case BoxStyle::YesNo: return MB_YESNO;
        case BoxStyle::YesNoWarning: return MB_YESNO | MB_ICONWARNING;
    }
    return MB_OK;
}

BoxAnswer boxAnswer(int id) {
    switch (id) {
        case IDYES: return BoxAnswer::Yes;
        case IDNO: return BoxAnswer::No;
        default: return BoxAnswer::Ok;
    }
}

int Win32DialogRunner::runModal(DialogController& controller) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    Win32DialogView view(controller);
    return static_cast<int>(DialogBoxParamW(resources_, MAKEINTRESOURCEW(dlg::templateId), nullptr, dialogProc,
                                            reinterpret_cast<LPARAM>(&view)));
}

BoxAnswer Win32MessageBoxes::show(const std::string& text, const std::string& caption, BoxStyle style) {
    return boxAnswer(MessageBoxW(nullptr, win::widen(text).c_str(), win::widen(caption).c_str(), boxFlags(style)));
}

}  // namespace zu
