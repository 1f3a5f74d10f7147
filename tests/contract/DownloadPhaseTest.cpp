// The Download phase against a local HTTP server through the side's download adapter.
#include <gtest/gtest.h>

#include "support/PhaseFixture.h"
#include "update/HttpDownloader.h"

namespace zu::test {
namespace {

class DownloadPhase : public PhaseFixture {};

std::string bytes(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + i % 23);
    return s;
}

TEST_F(DownloadPhase, DownloadsEveryFileInOrderIntoItsLocalPath) {
    const std::string big = bytes(10000);
    server.route("/dl", [&](const HttpRequest& r) {
        return HttpResponse::ok(r.target.find("a.msp") != std::string::npos ? big : std::string("tiny"));
    });
    addSetup("a.msp", server.url("/dl?f=a.msp&codProduto=77"), 10);
    addSetup("b.msi", server.url("/dl?f=b.msi&codProduto=77"), 1);

    ASSERT_TRUE(DownloadAll(job, sink, services()));

    EXPECT_EQ(contents(localPath("a.msp")), big);
    EXPECT_EQ(contents(localPath("b.msi")), "tiny");
    EXPECT_FALSE(exists(HttpDownloader::partialPath(localPath("a.msp"))));
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, "/dl?f=a.msp&codProduto=77");
    EXPECT_EQ(sink.calls.front(),
              "SetTitle(A transferir as actualizações que vão ser instaladas no computador. Por favor aguarde.)");
    EXPECT_EQ(sink.calls[1], "ShowControl(201,5)");
    EXPECT_EQ(sink.calls[2], "SetStepText(A receber ficheiro (1 de 2)...)");
    EXPECT_EQ(sink.calls.back(), "SetTitle()");
    EXPECT_EQ(sink.status, "Download concluído.");
    // Reads of at most 4095 bytes: 4095, 8190, 10000 bytes received -> 3, 7, 9 Kb.
    EXPECT_EQ(std::vector<int>(sink.positions.begin(), sink.positions.begin() + 4), (std::vector<int>{0, 3, 7, 9}));
    EXPECT_EQ(std::count(sink.calls.begin(), sink.calls.end(), "Complete()"), 2);
}

TEST_F(DownloadPhase, EmptyListChangesNothingAndEmptyBodyGivesEmptyFile) {
    job.setupItems = &setups;
    EXPECT_TRUE(DownloadAll(job, sink, services()));
    EXPECT_TRUE(sink.calls.empty());

    server.route("/empty", [](const HttpRequest&) { return HttpResponse::ok(""); });
    addSetup("e.msi", server.url("/empty"), 0);
    EXPECT_TRUE(DownloadAll(job, sink, services()));
    EXPECT_TRUE(exists(localPath("e.msi")));
    EXPECT_EQ(contents(localPath("e.msi")), "");
}

struct FailureCase {
    const char* name;
    std::function<HttpResponse()> answer;  // null: nothing listens
    std::string statusStart;               // start of the text shown before "Instalação não efectuada."
};

TEST_F(DownloadPhase, FailedTransfersEndThePhaseWithoutLeavingAFile) {
    const std::string body = bytes(9000);
    const FailureCase cases[] = {
        {"not found", [] { return HttpResponse::notFound(); }, "Erro HTTP 404"},
        {"server error",
         [] {
             HttpResponse r = HttpResponse::ok("oops");
             r.status = 500;
             r.reason = "Internal Server Error";
             return r;
         },
         "Erro HTTP 500"},
        {"dropped mid-body",
         [&] {
             HttpResponse r = HttpResponse::ok(body);
             r.closeAfterBodyBytes = 5000;
             return r;
         },
         ""},
        {"stalled",
         [&] {
             HttpResponse r = HttpResponse::ok(body);
             r.stallMsBeforeBody = 4000;
             return r;
         },
         "A ligação ao servidor excedeu o tempo de espera."},
        {"unreachable", nullptr, ""},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestHttpServer server;
        RecordingSink sink;
        SetupItemList setups;
        job.setupItems = &setups;
        if (c.answer) server.route("/f", [&](const HttpRequest&) { return c.answer(); });
        const std::string base =
            c.answer ? server.url("") : "http://127.0.0.1:" + std::to_string(TestHttpServer::unusedPort());
        for (const char* name : {"one.msi", "two.msi"}) {
            auto item = std::make_unique<SetupItem>();
            item->fileName = name;
            item->localPath = localPath(name);
            item->url = base + "/f/" + name;
            item->sizeKb = 9;
            setups.append(std::move(item));
        }

        EXPECT_FALSE(DownloadAll(job, sink, services()));

        ASSERT_GE(sink.statusTexts.size(), 2u);
        EXPECT_EQ(sink.statusTexts.back(), "Instalação não efectuada.");
        const std::string reason = sink.statusTexts[sink.statusTexts.size() - 2];
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(reason.rfind(c.statusStart, 0), 0u) << reason;
        EXPECT_FALSE(exists(localPath("one.msi")));
        EXPECT_FALSE(exists(HttpDownloader::partialPath(localPath("one.msi"))));
        EXPECT_LE(server.requests().size(), 1u);  // the second file is never asked for
        EXPECT_EQ(sink.title, "A transferir as actualizações que vão ser instaladas no computador. Por favor aguarde.");
    }
}

TEST_F(DownloadPhase, ShortBodyIsAFailedDownload) {
    server.route("/short", [](const HttpRequest&) {
        HttpResponse r = HttpResponse::ok("only this");
        r.declaredLength = 100;
        return r;
    });
    addSetup("s.msi", server.url("/short"), 1);
    EXPECT_FALSE(DownloadAll(job, sink, services()));
    ASSERT_GE(sink.statusTexts.size(), 2u);
    EXPECT_EQ(sink.statusTexts.back(), "Instalação não efectuada.");
    EXPECT_FALSE(exists(localPath("s.msi")));
}

TEST_F(DownloadPhase, CancelBeforeTheFirstBlockEndsTheDialogAndRemovesThePartialFile) {
    server.route("/c", [](const HttpRequest&) { return HttpResponse::ok(std::string(20000, 'x')); });
    addSetup("c.msi", server.url("/c"), 20);
    sink.cancelAfterPositions = 2;  // confirmed while the first block is reported
    EXPECT_FALSE(DownloadAll(job, sink, services()));
    EXPECT_EQ(sink.cancelDialogCalls, 1);
    EXPECT_EQ(sink.positions, (std::vector<int>{0, 3}));  // no read after the request
    EXPECT_EQ(sink.statusTexts.back(), "Instalação não efectuada.");
    EXPECT_FALSE(exists(localPath("c.msi")));
    EXPECT_FALSE(exists(HttpDownloader::partialPath(localPath("c.msi"))));
}

TEST_F(DownloadPhase, ReplacesAnEarlierFileOnlyOnceTheNewOneIsComplete) {
    folder.writeFile("r.msi", "old content");
    server.route("/r", [](const HttpRequest&) { return HttpResponse::notFound(); });
    addSetup("r.msi", server.url("/r"), 1);
    EXPECT_FALSE(DownloadAll(job, sink, services()));
    EXPECT_EQ(contents(localPath("r.msi")), "old content");

    server.route("/r", [](const HttpRequest&) { return HttpResponse::ok("new"); });
    EXPECT_TRUE(DownloadAll(job, sink, services()));
    EXPECT_EQ(contents(localPath("r.msi")), "new");
}

}  // namespace
}  // namespace zu::test
