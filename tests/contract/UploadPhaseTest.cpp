// The Upload phase against a local HTTP server through the side's upload adapter: the
// request and body byte for byte, failures, cancel.
#include <gtest/gtest.h>

#include "support/PhaseFixture.h"
#include "update/HttpUploader.h"

namespace zu::test {
namespace {

class UploadPhase : public PhaseFixture {
protected:
    UploadItem& addUpload(const std::string& path, int sizeKb, const std::string& target) {
        auto item = std::make_unique<UploadItem>();
        item->localPath = path;
        item->sizeKb = sizeKb;
        item->targetUrl = target;
        UploadItem& ref = *item;
        uploads.append(std::move(item));
        job.uploadItems = &uploads;
        return ref;
    }
    static std::string wireBody(const std::string& boundary, const std::string& name, const std::string& data) {
        return "--" + boundary + "\r\n" + "Content-Disposition: form-data; name=\"file\"; filename=\"" + name + "\"\r\n" +
               "Content-Type: application/octet-stream\r\n\r\n" + data + "\r\n" + "--" + boundary + "\r\n" +
               "Content-Disposition: form-data; name=\"TargetURL\"\r\n\r\nteste.txt\r\n" + "--" + boundary + "--\r\n";
    }
};

std::string pattern(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 % 256);
    return s;
}

TEST_F(UploadPhase, SendsTheFileAsMultipartPostByteForByte) {
    server.route("/up.asp", [](const HttpRequest&) { return HttpResponse::ok("ok"); });
    const std::string data = pattern(10000);
    const std::string path = folder.writeFile("dados.bin", data);
    addUpload(path, 10, server.url("/up.asp?codProduto=77"));

    ASSERT_TRUE(UploadAll(job, sink, services()));

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const HttpRequest& r = requests[0];
    const std::string boundary = "00000000-0000-0000-0000-000000000001";
    EXPECT_EQ(r.method, "POST");
    EXPECT_EQ(r.version, "HTTP/1.0");
    EXPECT_EQ(r.target, "/up.asp?codProduto=77");
    EXPECT_EQ(r.header("Content-Type"), "multipart/form-data; boundary=" + boundary);
    EXPECT_EQ(r.header("User-Agent"), "FileUpload");
    EXPECT_EQ(r.header("Content-Length"), std::to_string(287 + path.size() + data.size()));
    EXPECT_EQ(r.body, wireBody(boundary, path, data));
    EXPECT_EQ(sink.positions, (std::vector<int>{0, 5, 9, 10}));
    EXPECT_EQ(sink.calls.front(), "SetTitle(A enviar ficheiros. Por favor aguarde.)");
    EXPECT_EQ(sink.calls[2], "SetStepText(A enviar ficheiro (1 de 1)...)");
    EXPECT_EQ(sink.status, "Upload concluído.");
    EXPECT_EQ(sink.title, "");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(uploads.empty());  // a tried item leaves the list
}

TEST_F(UploadPhase, PiecesHaveTheDocumentedLengths) {
    HttpUploader uploader(*upload, uuids, *files, boxes, strings);
    uploader.MakeBoundary();
    EXPECT_EQ(uploader.BuildFilePart("c:\\data\\a.txt").size(), 140u + 13u);
    EXPECT_EQ(uploader.BuildTrailer("teste.txt").size(), 147u);
}

TEST_F(UploadPhase, AFailedFileIsReportedAndTheNextIsStillSent) {
    server.route("/up", [](const HttpRequest&) { return HttpResponse::ok(""); });
    addUpload(localPath("missing.txt"), 1, server.url("/up"));
    addUpload(folder.writeFile("b.txt", "abc"), 1, server.url("/up"));

    EXPECT_FALSE(UploadAll(job, sink, services()));

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Erro no envio do ficheiro!");
    EXPECT_EQ(boxes.shown[0].caption, "Erro");
    EXPECT_EQ(boxes.shown[0].style, BoxStyle::Ok);
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(sink.statusTexts, (std::vector<std::string>{"Erro no envio do ficheiro.", ""}));
    EXPECT_EQ(sink.title, "");
    EXPECT_TRUE(uploads.empty());
}

TEST_F(UploadPhase, AnswersOutsideSuccessAndUnreachableServersFail) {
    server.route("/bad", [](const HttpRequest&) {
        HttpResponse r = HttpResponse::ok("no");
        r.status = 500;
        r.reason = "Internal Server Error";
        return r;
    });
    const std::string file = folder.writeFile("f.txt", "abc");
    for (const std::string& url : {server.url("/bad"), "http://127.0.0.1:" + std::to_string(TestHttpServer::unusedPort()) + "/x"}) {
        SCOPED_TRACE(url);
        boxes.shown.clear();
        addUpload(file, 1, url);
        EXPECT_FALSE(UploadAll(job, sink, services()));
        ASSERT_FALSE(boxes.shown.empty());
        EXPECT_EQ(boxes.shown.back().text, "Erro no envio do ficheiro!");
        EXPECT_EQ(sink.status, "Erro no envio do ficheiro.");
    }
}

TEST_F(UploadPhase, UnusableAddressesFailWithoutARequest) {
    const std::string file = folder.writeFile("f.txt", "abc");
    for (const std::string& url : {std::string("ftp://127.0.0.1/x"), server.url(""), std::string("127.0.0.1/up"),
                                   std::string("http://127.0.0.1:99999/x")}) {
        SCOPED_TRACE(url);
        addUpload(file, 1, url);
        EXPECT_FALSE(UploadAll(job, sink, services()));
    }
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(boxes.shown.size(), 4u);
}

TEST_F(UploadPhase, CancelEndsTheDialogAndTheRemainingFilesStopAfterOneBlock) {
    server.route("/up", [](const HttpRequest&) { return HttpResponse::ok(""); });
    addUpload(folder.writeFile("a.bin", pattern(10000)), 10, server.url("/up"));
    addUpload(folder.writeFile("b.bin", pattern(10000)), 10, server.url("/up"));
    sink.cancelAfterPositions = 2;  // confirmed while the first block is reported

    EXPECT_FALSE(UploadAll(job, sink, services()));

    EXPECT_EQ(sink.cancelDialogCalls, 2);
    EXPECT_EQ(sink.positions, (std::vector<int>{0, 5, 0, 5}));
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(sink.status, "Erro no envio do ficheiro.");
}

}  // namespace
}  // namespace zu::test
