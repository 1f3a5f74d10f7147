// The upload's resend: when completing the request asks for it (12032), the whole body is
// written again from the file's first byte.
#include <gtest/gtest.h>

#include <deque>

#include "fakes/RecordingBoxes.h"
#include "fakes/RecordingSink.h"
#include "common/Strings.h"
#include "support/SidePorts.h"
#include "update/HttpUploader.h"
#include "update/TransferPorts.h"

namespace zu::test {
namespace {

struct ScriptedUpload : UploadClient, UploadConnection {
    std::deque<std::uint32_t> endCodes;
    int statusCode = 200;
    std::vector<std::string> bodies;
    UploadRequest request;

    std::unique_ptr<UploadConnection> open(const UploadRequest& r) override {
        request = r;
        struct Forward : UploadConnection {
            ScriptedUpload& s;
            explicit Forward(ScriptedUpload& s) : s(s) {}
            bool begin() override { return s.begin(); }
            std::size_t write(const void* b, std::size_t n) override { return s.write(b, n); }
            std::uint32_t end() override { return s.end(); }
            int status() const override { return s.status(); }
        };
        return std::make_unique<Forward>(*this);
    }
    bool begin() override {
        bodies.emplace_back();
        return true;
    }
    std::size_t write(const void* b, std::size_t n) override {
        bodies.back().append(static_cast<const char*>(b), n);
        return n;
    }
    std::uint32_t end() override {
        if (endCodes.empty()) return 0;
        const std::uint32_t c = endCodes.front();
        endCodes.pop_front();
        return c;
    }
    int status() const override { return statusCode; }
};

TEST(UploadResend, ForceRetryResendsTheWholeBody) {
    TempFolder folder;
    auto files = makeSideFileSystem();
    BuiltinStrings strings;
    CountingUuidSource uuids;
    RecordingBoxes boxes;
    RecordingSink sink;
    ScriptedUpload upload;
    upload.endCodes = {kForceRetry, 0};
    const std::string path = folder.writeFile("a.txt", "abc");

    HttpUploader uploader(upload, uuids, *files, boxes, strings);
    std::string error;
    EXPECT_TRUE(uploader.SendFile(path, UploadTarget{"srv", 0, "up.asp", false}, sink, error));

    ASSERT_EQ(upload.bodies.size(), 2u);
    EXPECT_EQ(upload.bodies[0], upload.bodies[1]);
    EXPECT_EQ(upload.bodies[0].size(), 287 + path.size() + 3);
    EXPECT_EQ(upload.request.bodyLength, 287 + path.size() + 3);
    EXPECT_NE(upload.bodies[0].find("abc\r\n--"), std::string::npos);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Erro a fazer upload.");
    EXPECT_EQ(boxes.shown[0].caption, "Erro");
    EXPECT_EQ(sink.status, "");
}

TEST(UploadResend, AnotherEndFailureOrANonSuccessStatusIsNotRetried) {
    TempFolder folder;
    auto files = makeSideFileSystem();
    BuiltinStrings strings;
    CountingUuidSource uuids;
    const std::string path = folder.writeFile("a.txt", "abc");
    for (auto [endCode, status] : {std::pair<std::uint32_t, int>{12030, 200}, {0, 302}}) {
        RecordingBoxes boxes;
        RecordingSink sink;
        ScriptedUpload upload;
        upload.endCodes = {endCode};
        upload.statusCode = status;
        HttpUploader uploader(upload, uuids, *files, boxes, strings);
        std::string error;
        EXPECT_FALSE(uploader.SendFile(path, UploadTarget{"srv", 0, "up", false}, sink, error));
        EXPECT_EQ(upload.bodies.size(), 1u);
        EXPECT_EQ(boxes.shown.size(), 1u);
    }
}

}  // namespace
}  // namespace zu::test
