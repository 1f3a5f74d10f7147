// Update end to end in the core: chosen setups into work entries, the upload addresses,
// the modal run with the scripted dialog over real transfers, and the returned result.
#include <gtest/gtest.h>

#include "control/ControlState.h"
#include "support/TestHttpServer.h"
#include "support/TestPorts.h"
#include "support/ThreadApartment.h"
#include "update/UpdateCommand.h"

namespace zu::test {
namespace {

struct UpdateCommand : ::testing::Test {
    ThreadApartment apartment;
    TestPorts world;
    TempFolder folder;
    TestHttpServer server;
    ControlState state;

    void SetUp() override {
        state.tokens.appDataFolder = folder.path();
        state.productId = "77";
        state.workingProductName = "ProdutoX";
        state.props.downloadURL = server.url("/dl?f=");
        server.route("/dl", [](const HttpRequest& r) { return HttpResponse::ok("package of " + r.target); });
    }
    void loadSetups(const std::string& setupsXml) {
        state.catalogDocument = world.xml->createDocument();
        ASSERT_TRUE(state.catalogDocument.loadXML("<catalog><setups>" + setupsXml + "</setups></catalog>"));
        state.setups = state.catalogDocument.selectSingleNode("catalog/setups");
    }
    bool update() { return runUpdate(state, world.ports()); }
    HResult failureOf() {
        try {
            update();
        } catch (const ComError& e) {
            return e.code();
        }
        return hr::ok;
    }
};

TEST_F(UpdateCommand, ChosenSetupsAreDownloadedAndInstalledInOrder) {
    loadSetups("<setup id='2' name='b.msi' size='1200Kb' args='X=1'/><setup id='4' name='a.msp' size=' 300 Kb'/>");
    state.chosenSetups = {4, 2};

    EXPECT_TRUE(update());

    ASSERT_EQ(state.setupItems.size(), 2u);
    const SetupItem& a = state.setupItems.at(0);
    EXPECT_EQ(a.fileName, "a.msp");
    EXPECT_EQ(a.localPath, folder.path() + "\\a.msp");
    EXPECT_EQ(a.sizeKb, 300);
    EXPECT_EQ(a.url, server.url("/dl?f=a.msp&codProduto=77"));
    EXPECT_EQ(state.setupItems.at(1).sizeKb, 1200);
    EXPECT_EQ(state.setupItems.at(1).args, "X=1");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/dl?f=a.msp&codProduto=77");
    EXPECT_EQ(requests[1].target, "/dl?f=b.msi&codProduto=77");
    EXPECT_EQ(world.installer.calls,
              (std::vector<std::string>{"setInternalUI(3)",
                                        "applyPatch(" + a.localPath + ", REINSTALL=ALL REINSTALLMODE=vomus)",
                                        "setInternalUI(3)", "installProduct(" + folder.path() + "\\b.msi, X=1)"}));
    EXPECT_EQ(world.dialog.text(209), "Download concluído.");
    EXPECT_EQ(world.dialog.text(211), "Instalação concluída.");
    EXPECT_EQ(world.dialog.text(2), "Fechar");
    EXPECT_EQ(world.dialog.endResult, 1);

    // A second run starts from a fresh setup list.
    state.chosenSetups = {2};
    EXPECT_TRUE(update());
    EXPECT_EQ(state.setupItems.size(), 1u);
}

TEST_F(UpdateCommand, FailedDownloadMakesUpdateReturnFalse) {
    server.route("/dl", [](const HttpRequest&) { return HttpResponse::notFound(); });
    loadSetups("<setup id='1' name='a.msi' size='10Kb'/>");
    state.chosenSetups = {1};
    EXPECT_FALSE(update());
    EXPECT_EQ(world.dialog.text(209), "Instalação não efectuada.");
    EXPECT_EQ(world.dialog.text(2), "Fechar");
    EXPECT_TRUE(world.installer.calls.empty());
}

TEST_F(UpdateCommand, ConfirmedCancelDuringDownloadEndsTheDialogAndReturnsFalse) {
    server.route("/dl", [](const HttpRequest&) { return HttpResponse::ok(std::string(50000, 'z')); });
    loadSetups("<setup id='1' name='a.msi' size='49Kb'/>");
    state.chosenSetups = {1};
    world.dialog.pressCancelAt(3, BoxAnswer::Yes);
    EXPECT_FALSE(update());
    EXPECT_EQ(world.dialog.endResult, 2);
    EXPECT_EQ(world.dialog.questions.size(), 1u);
    EXPECT_TRUE(world.installer.calls.empty());
}

TEST_F(UpdateCommand, UnresolvedSetupsFailBeforeAnyDialog) {
    struct Case {
        const char* name;
        const char* setups;  // null: no setups handle
        std::vector<std::int32_t> chosen;
        HResult code;
    };
    const Case cases[] = {
        {"no GetXMLSetups yet", nullptr, {1}, hr::pointer},
        {"id not in the catalogue", "<setup id='007' name='a.msi'/>", {7}, hr::pointer},
        {"backslash", "<setup id='1' name='..\\evil.msi'/>", {1}, hr::invalidArg},
        {"slash", "<setup id='1' name='x/evil.msi'/>", {1}, hr::invalidArg},
        {"drive", "<setup id='1' name='C:evil.msi'/>", {1}, hr::invalidArg},
        {"empty", "<setup id='1' name=''/>", {1}, hr::invalidArg},
        {"no name", "<setup id='1'/>", {1}, hr::invalidArg},
        {"dot dot", "<setup id='1' name='..'/>", {1}, hr::invalidArg},
        {"dot", "<setup id='2' name='ok.msi'/><setup id='1' name='.'/>", {2, 1}, hr::invalidArg},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state.setups = XmlNode();
        if (c.setups) loadSetups(c.setups);
        state.chosenSetups = c.chosen;
        EXPECT_EQ(failureOf(), c.code);
        EXPECT_EQ(world.dialog.runs, 0);
    }
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(UpdateCommand, UploadsGoToTheUploadAddressOnlyWhenAllowed) {
    server.route("/up", [](const HttpRequest&) { return HttpResponse::ok(""); });
    const std::string file = folder.writeFile("dados.txt", "abc");
    auto addUpload = [&] {
        auto item = std::make_unique<UploadItem>();
        item->localPath = file;
        item->sizeKb = 1;
        item->targetUrl = "old";
        state.uploadItems.append(std::move(item));
    };
    addUpload();
    addUpload();
    state.props.uploadURL = server.url("/up");

    state.props.allowUploads = false;
    EXPECT_TRUE(update());  // nothing chosen: an empty run succeeds
    EXPECT_EQ(state.uploadItems.size(), 2u);
    EXPECT_EQ(state.uploadItems.at(0).targetUrl, "old");
    EXPECT_TRUE(server.requests().empty());

    state.props.allowUploads = true;
    EXPECT_TRUE(update());
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/up?codProduto=77");
    EXPECT_TRUE(state.uploadItems.empty());  // tried items leave the list
    EXPECT_EQ(world.dialog.text(209), "Upload concluído.");
    EXPECT_EQ(world.dialog.shown[202], 0);  // no setups: the setup bar is hidden
}

}  // namespace
}  // namespace zu::test
