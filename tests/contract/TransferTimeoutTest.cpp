// A server that takes the connection and then says nothing: both transfers fail with the
// time-out's own status text instead of blocking the dialog's thread for good.
#include <gtest/gtest.h>

#include <chrono>

#include "support/PhaseFixture.h"
#include "support/SilentServer.h"

namespace zu::test {
namespace {

class TransferTimeout : public PhaseFixture {
protected:
    void SetUp() override {
        if (!sideBoundsSilentServers()) GTEST_SKIP() << "this side's HTTP stack waits for a silent server";
    }
    SilentServer silent;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    double elapsedSeconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
};

TEST_F(TransferTimeout, SilentServerFailsTheDownload) {
    addSetup("a.msi", silent.url("/a.msi"), 1);
    EXPECT_FALSE(DownloadAll(job, sink, services()));
    ASSERT_GE(sink.statusTexts.size(), 2u);
    EXPECT_EQ(sink.statusTexts[sink.statusTexts.size() - 2], "A ligação ao servidor excedeu o tempo de espera.");
    EXPECT_EQ(sink.statusTexts.back(), "Instalação não efectuada.");
    EXPECT_LT(elapsedSeconds(), 15.0);
}

TEST_F(TransferTimeout, SilentServerFailsTheUpload) {
    auto item = std::make_unique<UploadItem>();
    item->localPath = folder.writeFile("f.txt", "abc");
    item->sizeKb = 1;
    item->targetUrl = silent.url("/up");
    uploads.append(std::move(item));
    job.uploadItems = &uploads;
    EXPECT_FALSE(UploadAll(job, sink, services()));
    EXPECT_EQ(sink.status, "Erro no envio do ficheiro.");
    EXPECT_LT(elapsedSeconds(), 15.0);
}

}  // namespace
}  // namespace zu::test
