// The progress dialog's logic against a scripted view: rows, percentages, the phase
// driver's results and button states, the leave question.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "common/Strings.h"
#include "fakes/ScriptedDialog.h"
#include "update/DialogProgressSink.h"
#include "update/PhaseServices.h"
#include "update/ProgressDialog.h"
#include "update/WorkLists.h"

namespace zu::test {
namespace {

using Phase = std::function<bool(ProgressSink&)>;

struct ScriptedPhases : UpdatePhases {
    Phase upload, download, install;
    std::vector<std::string> ran;
    bool UploadAll(UpdateJob&, ProgressSink& sink) override { return run("Upload", upload, sink); }
    bool DownloadAll(UpdateJob&, ProgressSink& sink) override { return run("Download", download, sink); }
    bool InstallAll(UpdateJob&, ProgressSink& sink) override { return run("Setup", install, sink); }
    bool run(const char* name, const Phase& phase, ProgressSink& sink) {
        ran.push_back(name);
        return phase ? phase(sink) : true;
    }
};

struct DialogFixture : ::testing::Test {
    BuiltinStrings strings;
    ScriptedPhases phases;
    ScriptedDialog view;
    SetupItemList setups;
    UploadItemList uploads;
    UpdateJob job{"ProdutoX"};
    ProgressDialog dialog{phases, strings};

    void addSetup() { setups.append(std::make_unique<SetupItem>()); }
    void addUpload() { uploads.append(std::make_unique<UploadItem>()); }
    int run() {
        job.setupItems = &setups;
        if (!uploads.empty()) job.uploadItems = &uploads;
        dialog.setJob(job);
        return view.runModal(dialog);
    }
};

TEST_F(DialogFixture, DownloadSinkShowsAmountsAndPercentageOnTheTransferRow) {
    addSetup();
    phases.download = [&](ProgressSink& sink) {
        sink.SetTotal(2048, "Kb");
        sink.SetPosition(120, true);
        EXPECT_EQ(view.text(209), "Recebidos 120 Kb de 2048 Kb.");
        EXPECT_EQ(view.text(206), "5%");
        EXPECT_EQ(view.ranges[201], std::make_pair(0, 2048));
        EXPECT_EQ(view.positions[201], 120);
        sink.SetPosition(5000, true);  // limited to the total
        EXPECT_EQ(view.text(209), "Recebidos 2048 Kb de 2048 Kb.");
        EXPECT_EQ(view.text(206), "100%");
        sink.SetStepText("passo");
        EXPECT_EQ(view.text(203), "passo");
        sink.SetTitle("titulo");
        EXPECT_EQ(view.text(212), "titulo");
        return true;
    };
    phases.install = [&](ProgressSink& sink) {
        // No total yet: the percentage divides by the range the download row set last.
        sink.SetPosition(1024, false);
        EXPECT_EQ(view.text(207), "0%");  // position limited to the sink's own total 0
        sink.ShowAmounts(3, 9);           // empty template: clears the status line
        EXPECT_EQ(view.text(211), "");
        sink.SetStatusText("estado");
        EXPECT_EQ(view.text(211), "estado");
        sink.Complete();
        EXPECT_EQ(view.ranges[202], std::make_pair(0, 100));
        EXPECT_EQ(view.positions[202], 100);
        EXPECT_EQ(view.text(207), "100%");
        return true;
    };
    run();
    EXPECT_EQ(view.pumps, 4);  // two SetPosition, one SetPosition, one Complete
}

TEST_F(DialogFixture, ZeroRangeDoesNotFaultAndUploadUsesItsOwnTemplate) {
    addUpload();
    phases.upload = [&](ProgressSink& sink) {
        sink.SetTotal(0, "Kb");
        sink.SetPosition(0, true);
        EXPECT_EQ(view.text(206), "0%");
        EXPECT_EQ(view.text(209), "Enviados 0 Kb de 0 Kb.");
        sink.DisableCancel();
        EXPECT_FALSE(view.enabled[2]);
        sink.EnableCancel();
        EXPECT_TRUE(view.enabled[2]);
        sink.ShowControl(201, 0);
        EXPECT_EQ(view.shown[201], 0);
        return true;
    };
    run();
}

TEST_F(DialogFixture, StartClearsTextsAndSetsTheCancelButton) {
    addSetup();
    phases.download = [&](ProgressSink&) {
        EXPECT_TRUE(view.windowShown);
        for (int id : {212, 203, 204, 209, 211, 206, 207}) EXPECT_EQ(view.text(id), "") << id;
        EXPECT_EQ(view.text(2), "Cancelar");
        EXPECT_TRUE(view.enabled[2]);
        EXPECT_EQ(dialog.state(), ProgressDialog::State::Running);
        return true;
    };
    run();
    EXPECT_EQ(view.shown.count(202), 0u);  // the setup bar stays when there are setups
}

struct DriverCase {
    const char* name;
    bool uploads, setups;
    bool uploadOk, downloadOk, installOk;
    std::vector<std::string> ran;
    bool result;
};

TEST_F(DialogFixture, DriverRunsThePhasesInOrderAndRecordsTheResult) {
    const DriverCase cases[] = {
        {"all succeed", true, true, true, true, true, {"Upload", "Download", "Setup"}, true},
        {"no uploads", false, true, true, true, true, {"Download", "Setup"}, true},
        {"upload fails with setups", true, true, false, true, true, {"Upload", "Download", "Setup"}, true},
        {"upload fails without setups", true, false, false, true, true, {"Upload"}, false},
        {"upload ok without setups", true, false, true, true, true, {"Upload", "Download", "Setup"}, true},
        {"download fails", false, true, true, false, true, {"Download"}, false},
        {"install fails", true, true, true, true, false, {"Upload", "Download", "Setup"}, false},
        {"nothing at all", false, false, true, true, true, {"Download", "Setup"}, true},
    };
    for (const DriverCase& c : cases) {
        SCOPED_TRACE(c.name);
        BuiltinStrings strings;
        ScriptedPhases phases;
        ScriptedDialog view;
        SetupItemList setups;
        UploadItemList uploads;
        if (c.setups) setups.append(std::make_unique<SetupItem>());
        if (c.uploads) uploads.append(std::make_unique<UploadItem>());
        phases.upload = [&](ProgressSink&) { return c.uploadOk; };
        phases.download = [&](ProgressSink&) { return c.downloadOk; };
        phases.install = [&](ProgressSink&) { return c.installOk; };
        UpdateJob job("P");
        job.setupItems = &setups;
        if (c.uploads) job.uploadItems = &uploads;
        ProgressDialog dialog(phases, strings);
        dialog.setJob(job);

        EXPECT_EQ(view.runModal(dialog), 1);  // closed by the user with "Fechar"
        EXPECT_EQ(phases.ran, c.ran);
        EXPECT_EQ(dialog.runSucceeded(), c.result);
        EXPECT_EQ(view.text(2), "Fechar");
        EXPECT_TRUE(view.questions.empty());  // leaving a finished dialog asks nothing
        EXPECT_EQ(view.shown.count(202) ? view.shown[202] : 5, c.setups ? 5 : 0);
        EXPECT_EQ(dialog.state(), ProgressDialog::State::Ended);
    }
}

TEST_F(DialogFixture, AnsweringNoChangesNothingAndYesIsSeenByThePhase) {
    addSetup();
    view.pressCancelAt(1, BoxAnswer::No);
    view.pressCancelAt(2, BoxAnswer::Yes);
    std::vector<bool> seen;
    phases.download = [&](ProgressSink& sink) {
        sink.SetTotal(10, "Kb");
        for (int i = 1; i <= 3; ++i) {
            sink.SetPosition(i, true);
            seen.push_back(sink.IsCancelRequested());
        }
        sink.CancelDialog();
        return false;
    };
    EXPECT_EQ(run(), 2);
    EXPECT_EQ(seen, (std::vector<bool>{false, true, true}));
    ASSERT_EQ(view.questions.size(), 2u);
    EXPECT_EQ(view.questions[0].text, "Se sair agora a actualização não ficará completa.\nDeseja sair mesmo assim?");
    EXPECT_EQ(view.questions[0].caption, "Actualização de Ficheiros");
    EXPECT_EQ(view.questions[0].style, BoxStyle::YesNoWarning);
    EXPECT_EQ(phases.ran, (std::vector<std::string>{"Download"}));
    EXPECT_FALSE(dialog.runSucceeded());
    EXPECT_EQ(view.text(2), "Fechar");  // the driver finishes its step before the dialog goes
}

TEST_F(DialogFixture, APhaseThatRaisesEndsTheRunAsFailed) {
    addSetup();
    phases.download = [](ProgressSink&) -> bool { throw std::runtime_error("boom"); };
    EXPECT_EQ(run(), 1);
    EXPECT_FALSE(dialog.runSucceeded());
    EXPECT_EQ(view.text(2), "Fechar");
    EXPECT_EQ(phases.ran, (std::vector<std::string>{"Download"}));
}

}  // namespace
}  // namespace zu::test
