// The Setup phase with the scripted installer: kinds of file, the result-code table and
// its messages, deleting installed files, the restart question.
#include <gtest/gtest.h>

#include "support/PhaseFixture.h"
#include "update/InstallerRunner.h"

namespace zu::test {
namespace {

class InstallPhase : public PhaseFixture {
protected:
    SetupItem& addDownloaded(const std::string& name, const std::string& args = {}) {
        folder.writeFile(name, "package");
        return addSetup(name, "", 1, args);
    }
};

TEST_F(InstallPhase, ChoosesTheInstallerCallByExtension) {
    struct Case {
        const char* name;
        const char* args;
        std::string call;  // empty: no installer call
    };
    const Case cases[] = {
        {"fix.msp", "", "applyPatch(%, REINSTALL=ALL REINSTALLMODE=vomus)"},
        {"base.msi", "", "installProduct(%, REINSTALL=ALL REINSTALLMODE=vomus)"},
        {"setup.MSI", "ADDLOCAL=ALL", "installProduct(%, ADDLOCAL=ALL)"},
        {"a.msi.msp", "", "applyPatch(%, REINSTALL=ALL REINSTALLMODE=vomus)"},
        {"setup.exe", "", ""},
        {"a.msp.exe", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeInstaller installer;
        RecordingBoxes boxes;
        RecordingSink sink;
        SetupItemList setups;
        auto item = std::make_unique<SetupItem>();
        item->fileName = c.name;
        item->localPath = localPath(c.name);
        item->args = c.args;
        setups.append(std::move(item));
        UpdateJob job("ProdutoX");
        job.setupItems = &setups;
        PhaseServices s{strings, *files, installer, *download, *upload, uuids, boxes, restarter};

        const bool ok = InstallAll(job, sink, s);

        std::string call = c.call;
        if (const auto at = call.find('%'); at != std::string::npos) call.replace(at, 1, localPath(c.name));
        std::vector<std::string> expected{"setInternalUI(3)"};
        if (!call.empty()) expected.push_back(call);
        EXPECT_EQ(installer.calls, expected);
        EXPECT_EQ(ok, !call.empty());
        if (call.empty()) {
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].text,
                      "Não foi possível fazer a actualização do ProdutoX através do ficheiro " + std::string(c.name) +
                          ". O pacote de actualização não pôde ser aberto ou executado. Para mais informações "
                          "contacte a Velmora.\n\nCódigo de erro: 1636.");
        }
    }
}

TEST_F(InstallPhase, ResultCodesMapToTheirMessages) {
    const std::pair<std::uint32_t, int> table[] = {
        {1601, 212}, {1631, 212}, {1637, 212}, {1602, 213}, {1603, 213}, {1604, 213}, {1605, 214}, {1612, 214},
        {1614, 214}, {1642, 214}, {1618, 215}, {1613, 216}, {1619, 216}, {1620, 216}, {1632, 217}, {1635, 218},
        {1636, 218}, {1638, 219}, {1625, 223}, {1640, 223}, {1633, 224}, {1, 220},   {1606, 220},
    };
    for (auto [code, id] : table) EXPECT_EQ(classifyInstallResult(code).messageId, id) << code;
    for (std::uint32_t code : {0u, 1641u, 3010u}) EXPECT_EQ(classifyInstallResult(code).messageId, 0) << code;
}

TEST_F(InstallPhase, FailureShowsTheMessageWithPlaceholdersAndStops) {
    addDownloaded("upd7.msi");
    addDownloaded("upd8.msi");
    installer.installResults[localPath("upd7.msi")] = 1632;

    EXPECT_FALSE(InstallAll(job, sink, services()));

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              "Não foi possível fazer a actualização do ProdutoX através do ficheiro upd7.msi. Verifique se tem "
              "espaço no disco ou permissões de acesso à pasta temporária.\n\nCódigo de erro: 1632.");
    EXPECT_EQ(boxes.shown[0].caption, "Erro");
    EXPECT_EQ(boxes.shown[0].style, BoxStyle::OkError);
    EXPECT_EQ(sink.status, "Instalação não efectuada.");
    EXPECT_EQ(sink.step, "");
    EXPECT_EQ(sink.positions.back(), 0);
    EXPECT_TRUE(exists(localPath("upd7.msi")));
    EXPECT_TRUE(exists(localPath("upd8.msi")));
    EXPECT_EQ(installer.calls.size(), 2u);  // setInternalUI, the first install only
}

TEST_F(InstallPhase, SuccessDeletesFilesAndAsksOnceForARestart) {
    addDownloaded("a.msp");
    addDownloaded("b.msi");
    installer.installResults[localPath("a.msp")] = 3010;
    boxes.answers = {BoxAnswer::Yes};

    EXPECT_TRUE(InstallAll(job, sink, services()));

    EXPECT_FALSE(exists(localPath("a.msp")));
    EXPECT_FALSE(exists(localPath("b.msi")));
    EXPECT_EQ(sink.status, "Instalação concluída.");
    EXPECT_EQ(sink.title, "");
    EXPECT_EQ(sink.calls[0], "SetTitle(A instalar as actualizações no computador. Por favor aguarde.)");
    EXPECT_EQ(sink.calls[1], "SetStepText(A executar actualização (1 de 2)...)");
    EXPECT_EQ(std::count(sink.calls.begin(), sink.calls.end(), "Complete()"), 2);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              "Necessita de reiniciar o seu computador para terminar a instalação e ver as alterações. Deseja "
              "reiniciar agora?");
    EXPECT_EQ(boxes.shown[0].caption, "Terminar");
    EXPECT_EQ(boxes.shown[0].style, BoxStyle::YesNo);
    EXPECT_EQ(restarter.restarts, 1);
}

TEST_F(InstallPhase, ALaterFailureDropsTheRestartQuestion) {
    addDownloaded("a.msp");
    addDownloaded("b.msi");
    installer.installResults[localPath("a.msp")] = 1641;
    installer.installResults[localPath("b.msi")] = 1603;

    EXPECT_FALSE(InstallAll(job, sink, services()));

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("Para mais informações contacte a Velmora.\n\nCódigo de erro: 1603."),
              std::string::npos);
    EXPECT_EQ(restarter.restarts, 0);
    EXPECT_FALSE(exists(localPath("a.msp")));
    EXPECT_TRUE(exists(localPath("b.msi")));
}

TEST_F(InstallPhase, InstallerCancelEndsTheDialogOnlyWhenTheUserAskedToLeave) {
    addDownloaded("a.msi");
    installer.installResults[localPath("a.msi")] = 1602;
    sink.cancelRequested = true;
    EXPECT_FALSE(InstallAll(job, sink, services()));
    EXPECT_EQ(sink.cancelDialogCalls, 1);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(sink.status, "Instalação não efectuada.");

    sink.cancelRequested = false;
    EXPECT_FALSE(InstallAll(job, sink, services()));
    EXPECT_EQ(sink.cancelDialogCalls, 1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("Código de erro: 1602."), std::string::npos);
}

TEST_F(InstallPhase, EmptyListSucceedsWithoutTouchingAnything) {
    job.setupItems = &setups;
    EXPECT_TRUE(InstallAll(job, sink, services()));
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_TRUE(installer.calls.empty());
}

}  // namespace
}  // namespace zu::test
