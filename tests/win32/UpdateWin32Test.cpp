// Update through the real Win32 pieces: dialog 201, WinINet, the module's string table;
// a watcher thread waits for "Fechar", reads the status lines and closes the dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <thread>

#include "control/ControlState.h"
#include "platform/win32/Win32ProgressDialog.h"
#include "platform/win32/Win32System.h"
#include "support/TestHttpServer.h"
#include "support/TestPorts.h"
#include "support/ThreadApartment.h"
#include "update/UpdateCommand.h"

namespace zu::test {
namespace {

std::wstring itemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 511);
    return text;
}

TEST(UpdateWin32, DownloadsAndInstallsInsideTheModalDialog) {
    ThreadApartment apartment;
    TestPorts world;
    TempFolder folder;
    TestHttpServer server;
    server.route("/dl", [](const HttpRequest&) { return HttpResponse::ok(std::string(30000, 'p')); });

    ResourceStrings strings(GetModuleHandleW(nullptr));
    Win32DialogRunner runner(GetModuleHandleW(nullptr));
    world.update.dialog = &runner;
    const Ports ports{*world.xml,      world.http,  world.registry, *world.files,  *world.clock,
                      world.installer, world.shell, strings,        *world.locale, world.update};

    ControlState state;
    state.tokens.appDataFolder = folder.path();
    state.productId = "77";
    state.workingProductName = "ProdutoX";
    state.props.downloadURL = server.url("/dl?f=");
    state.catalogDocument = world.xml->createDocument();
    ASSERT_TRUE(state.catalogDocument.loadXML("<catalog><setups><setup id='1' name='a.msi' size='30Kb'/></setups></catalog>"));
    state.setups = state.catalogDocument.selectSingleNode("catalog/setups");
    state.chosenSetups = {1};

    std::map<int, std::wstring> seen;
    std::thread watcher([&] {
        HWND dialog = nullptr;
        for (int i = 0; i < 500 && !dialog; ++i, Sleep(20))
            dialog = FindWindowW(L"#32770", L"Actualiza\u00e7\u00e3o de Ficheiros");
        if (!dialog) return;
        for (int i = 0; i < 500 && itemText(dialog, 2) != L"Fechar"; ++i) Sleep(20);
        for (int id : {203, 206, 209, 211, 207, 2}) seen[id] = itemText(dialog, id);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    const bool result = runUpdate(state, ports);
    watcher.join();

    EXPECT_TRUE(result);
    EXPECT_EQ(seen[209], L"Download conclu\u00eddo.");
    EXPECT_EQ(seen[206], L"100%");
    EXPECT_EQ(seen[211], L"Instala\u00e7\u00e3o conclu\u00edda.");
    EXPECT_EQ(seen[207], L"100%");
    EXPECT_EQ(seen[203], L"");
    EXPECT_EQ(seen[2], L"Fechar");
    EXPECT_EQ(world.installer.calls.size(), 2u);
    EXPECT_FALSE(world.files->findFirst(folder.path() + "\\a.msi").has_value());  // deleted once installed
}

}  // namespace
}  // namespace zu::test
