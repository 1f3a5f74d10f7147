// The Win32 progress dialog (template 201) and owner-less boxes, driven by a watcher
// thread that finds the windows by caption, reads their texts and presses their buttons.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <thread>

#include "common/StringIds.h"
#include "common/Strings.h"
#include "platform/win32/ComSupport.h"
#include "platform/win32/Win32ProgressDialog.h"
#include "update/PhaseServices.h"
#include "update/ProgressDialog.h"
#include "update/ProgressSink.h"
#include "update/WorkLists.h"

namespace zu::test {
namespace {

const std::wstring kCaption = L"Actualiza\u00e7\u00e3o de Ficheiros";

// The builtin (UTF-8) table handed out in the ANSI code page, as LoadStringA would.
struct AnsiStrings : Strings {
    BuiltinStrings builtin;
    std::string load(int id) const override { return ansi(builtin.load(id)); }
    static std::string ansi(const std::string& utf8) {
        const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(n), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
        return win::narrow(wide);
    }
};

using Phase = std::function<bool(ProgressSink&)>;
struct ScriptedPhases : UpdatePhases {
    Phase download, install;
    bool UploadAll(UpdateJob&, ProgressSink&) override { return true; }
    bool DownloadAll(UpdateJob&, ProgressSink& s) override { return download ? download(s) : true; }
    bool InstallAll(UpdateJob&, ProgressSink& s) override { return install ? install(s) : true; }
};

template <class Pred>
bool waitFor(Pred pred, int ms = 10000) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
        if (pred()) return true;
        Sleep(20);
    }
    return false;
}

// A top-level dialog-class window with `caption`, other than `except`.
HWND findWindow(const std::wstring& caption, HWND except = nullptr) {
    HWND found = nullptr;
    waitFor([&] {
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, L"#32770", caption.c_str())) != nullptr)
            if (w != except) {
                found = w;
                return true;
            }
        return false;
    });
    return found;
}

std::wstring itemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 511);
    return text;
}

// Keeps the longest static text seen (stdcall on x86: a plain function, not a lambda).
BOOL CALLBACK keepLongestStatic(HWND child, LPARAM p) {
    wchar_t cls[32] = {}, text[512] = {};
    GetClassNameW(child, cls, 31);
    GetWindowTextW(child, text, 511);
    auto& out = *reinterpret_cast<std::wstring*>(p);
    if (lstrcmpiW(cls, L"Static") == 0 && wcslen(text) > out.size()) out = text;
    return TRUE;
}

// The longest static text of a message box (its message).
std::wstring boxMessage(HWND box) {
    std::wstring best;
    EnumChildWindows(box, keepLongestStatic, reinterpret_cast<LPARAM>(&best));
    return best;
}

void press(HWND window, int id) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

struct Win32Dialog : ::testing::Test {
    AnsiStrings strings;
    ScriptedPhases phases;
    SetupItemList setups;
    UpdateJob job{"P"};
    Win32DialogRunner runner{GetModuleHandleW(nullptr)};

    int run(ProgressDialog& dialog) {
        setups.append(std::make_unique<SetupItem>());
        job.setupItems = &setups;
        dialog.setJob(job);
        return runner.runModal(dialog);
    }
};

TEST_F(Win32Dialog, ShowsThePhaseTextsAndClosesWithFechar) {
    phases.download = [&](ProgressSink& sink) {
        sink.SetTitle(strings.load(sid::downloadTitle));
        sink.SetStepText(AnsiStrings::ansi("A receber ficheiro (1 de 1)..."));
        sink.SetTotal(2048, "Kb");
        sink.SetPosition(120, true);
        return true;
    };
    phases.install = [&](ProgressSink& sink) {
        sink.SetStatusText(strings.load(sid::installDone));
        return true;
    };
    std::map<int, std::wstring> seen;
    std::thread watcher([&] {
        HWND dialog = findWindow(kCaption);
        if (!dialog) return;
        waitFor([&] { return itemText(dialog, 2) == L"Fechar"; });
        for (int id : {212, 203, 209, 206, 211, 2}) seen[id] = itemText(dialog, id);
        press(dialog, IDCANCEL);
    });
    ProgressDialog dialog(phases, strings);
    const int result = run(dialog);
    watcher.join();

    EXPECT_EQ(result, 1);
    EXPECT_TRUE(dialog.runSucceeded());
    EXPECT_EQ(seen[212], L"A transferir as actualiza\u00e7\u00f5es que v\u00e3o ser instaladas no computador. Por favor aguarde.");
    EXPECT_EQ(seen[203], L"A receber ficheiro (1 de 1)...");
    EXPECT_EQ(seen[209], L"Recebidos 120 Kb de 2048 Kb.");
    EXPECT_EQ(seen[206], L"5%");
    EXPECT_EQ(seen[211], L"Instala\u00e7\u00e3o conclu\u00edda.");
    EXPECT_EQ(seen[2], L"Fechar");
}

TEST_F(Win32Dialog, CancelAnsweredYesEndsTheDialogWithTheCancelResult) {
    std::atomic<bool> sawRequest{false};
    phases.download = [&](ProgressSink& sink) {
        sink.SetTotal(100, "Kb");
        for (int i = 0; i < 1000 && !sink.IsCancelRequested(); ++i) {
            sink.SetPosition(i % 100, true);
            Sleep(10);
        }
        sawRequest = sink.IsCancelRequested();
        sink.CancelDialog();
        return false;
    };
    std::wstring button, question;
    std::thread watcher([&] {
        HWND dialog = findWindow(kCaption);
        if (!dialog) return;
        waitFor([&] { return itemText(dialog, 2) == L"Cancelar"; });
        button = itemText(dialog, 2);
        press(dialog, IDCANCEL);
        HWND box = findWindow(kCaption, dialog);
        if (!box) return;
        question = boxMessage(box);
        press(box, IDYES);
    });
    ProgressDialog dialog(phases, strings);
    const int result = run(dialog);
    watcher.join();

    EXPECT_EQ(result, 2);
    EXPECT_TRUE(sawRequest);
    EXPECT_FALSE(dialog.runSucceeded());
    EXPECT_EQ(button, L"Cancelar");
    EXPECT_EQ(question, L"Se sair agora a actualiza\u00e7\u00e3o n\u00e3o ficar\u00e1 completa.\nDeseja sair mesmo assim?");
}

TEST(Win32Boxes, OwnerlessErrorBoxShowsItsTextAndCaption) {
    std::wstring text;
    HWND owner = reinterpret_cast<HWND>(1);
    std::thread watcher([&] {
        HWND box = findWindow(L"Erro");
        if (!box) return;
        text = boxMessage(box);
        owner = GetWindow(box, GW_OWNER);
        press(box, IDOK);
    });
    Win32MessageBoxes boxes;
    const BoxAnswer answer = boxes.show(AnsiStrings::ansi("Erro no envio do ficheiro!"), "Erro", BoxStyle::Ok);
    watcher.join();
    EXPECT_EQ(answer, BoxAnswer::Ok);
    EXPECT_EQ(text, L"Erro no envio do ficheiro!");
    EXPECT_EQ(owner, nullptr);
}

}  // namespace
}  // namespace zu::test
