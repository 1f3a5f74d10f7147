// Stands in for the user during end-to-end runs: answers the control's windows and logs
// what they showed. Usage: zu_e2e_watcher LOGFILE SECONDS [SCREENSHOT.bmp]
//   "Erro" boxes: the text is logged ("ERRO<TAB>text") and OK is pressed.
//   The progress dialog: once its button reads "Fechar", its texts are logged
//   ("DIALOG<TAB>text|text..."), its image is saved when SCREENSHOT is given, and the
//   button is pressed.
//   Any other visible dialog or message box (restart or cancel question): logged
//   ("BOX<TAB>caption<TAB>text") and answered No.
// It stops after SECONDS or when LOGFILE.stop exists. The log is UTF-8, one line per event.
#include <windows.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

std::wstring textOf(HWND w) {
    wchar_t buffer[4096] = {};
    GetWindowTextW(w, buffer, 4096);
    return buffer;
}

std::wstring classOf(HWND w) {
    wchar_t buffer[256] = {};
    GetClassNameW(w, buffer, 256);
    return buffer;
}

std::string utf8(const std::wstring& s) {
    if (s.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    for (char& c : out)
        if (c == '\n' || c == '\r') c = ' ';
    return out;
}

// Window enumeration callbacks are stdcall on x86: plain functions, not lambdas.
BOOL CALLBACK collectWindow(HWND w, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
    return TRUE;
}

BOOL CALLBACK collectDialog(HWND w, LPARAM p) {
    if (classOf(w) == L"#32770") reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
    return TRUE;
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> out;
    EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&out));
    return out;
}

std::vector<HWND> dialogs() {
    std::vector<HWND> out;
    EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&out));
    return out;
}

std::wstring staticTexts(HWND dialog) {
    std::wstring all;
    for (HWND c : children(dialog)) {
        if (_wcsicmp(classOf(c).c_str(), L"Static") != 0) continue;
        const LONG_PTR kind = GetWindowLongPtrW(c, GWL_STYLE) & SS_TYPEMASK;
        if (kind == SS_ICON || kind == SS_BITMAP) continue;  // their "text" is a resource id
        const std::wstring t = textOf(c);
        if (t.empty()) continue;
        if (!all.empty()) all += L"|";
        all += t;
    }
    return all;
}

// Saves the window's image as a 24-bit bitmap file.
bool saveImage(HWND window, const std::wstring& path) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    // Copied from the screen where the window shows: this needs a real display (Xvfb);
    // under the null display driver the image stays blank.
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Sleep(300);
    BitBlt(dc, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD rowBytes = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;
    bool ok = false;
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
        ok = fwrite(&file, sizeof file, 1, f) == 1 && fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, f) == 1 &&
             fwrite(bits, imageBytes, 1, f) == 1;
        fclose(f);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return ok;
}

void press(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring logPath = argv[1];
    const std::wstring stopPath = logPath + L".stop";
    const DWORD seconds = static_cast<DWORD>(_wtoi(argv[2]));
    const std::wstring screenshot = argc > 3 ? argv[3] : L"";
    FILE* log = _wfopen(logPath.c_str(), L"ab");
    if (!log) return 3;
    const std::wstring progressCaption = L"Actualiza\u00e7\u00e3o de Ficheiros";
    std::set<HWND> answered;  // logged (and, but for the progress dialog, answered once)
    std::map<HWND, DWORD> lastPress;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000u) {
        if (GetFileAttributesW(stopPath.c_str()) != INVALID_FILE_ATTRIBUTES) break;
        for (auto it = lastPress.begin(); it != lastPress.end();) {
            if (IsWindow(it->first)) {
                ++it;
                continue;
            }
            fprintf(log, "CLOSED\n");
            fflush(log);
            it = lastPress.erase(it);
        }
        for (HWND d : dialogs()) {
            const std::wstring caption = textOf(d);
            if (caption == progressCaption) {
                for (HWND c : children(d)) {
                    if (textOf(c) != L"Fechar" || !IsWindowEnabled(c)) continue;
                    if (answered.insert(d).second) {
                        fprintf(log, "DIALOG\t%s\n", utf8(staticTexts(d)).c_str());
                        if (!screenshot.empty())
                            fprintf(log, "IMAGE\t%s\n", saveImage(d, screenshot) ? "saved" : "failed");
                    }
                    // Pressed again every second until the dialog has gone: a press that
                    // arrives while the run is still finishing may be ignored.
                    if (GetTickCount() - lastPress[d] >= 1000u) {
                        press(d, GetDlgCtrlID(c));
                        lastPress[d] = GetTickCount();
                    }
                    break;
                }
            } else if (answered.count(d)) {
                continue;
            } else if (caption == L"Erro") {
                fprintf(log, "ERRO\t%s\n", utf8(staticTexts(d)).c_str());
                press(d, IDOK);
                answered.insert(d);
            } else if (IsWindowVisible(d)) {
                fprintf(log, "BOX\t%s\t%s\n", utf8(caption).c_str(), utf8(staticTexts(d)).c_str());
                press(d, IDNO);
                answered.insert(d);
            }
            fflush(log);
        }
        Sleep(100);
    }
    fclose(log);
    return 0;
}
