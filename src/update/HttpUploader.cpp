#include "update/HttpUploader.h"

#include <algorithm>
#include <memory>

#include "common/ComError.h"
#include "common/FileSystem.h"
#include "common/StringIds.h"
#include "common/Strings.h"
#include "update/DialogView.h"
#include "update/ProgressSink.h"
#include "update/TransferPorts.h"
#include "update/UuidSource.h"

namespace zu {
namespace {

bool writeAll(UploadConnection& connection, const std::string& piece) {
    return connection.write(piece.data(), piece.size()) == piece.size();
}

bool isSuccessStatus(int status) { return status >= 200 && status <= 299; }

}  // namespace

// A new boundary for the next request (also kept as the current one).
std::string HttpUploader::MakeBoundary() {
    boundary_ = uuids_.newUuid();
    return boundary_;
}

std::string HttpUploader::BuildFilePart(const std::string& fileName) const {
    return "--" + boundary_ + "\r\n" +
           "Content-Disposition: form-data; name=\"file\"; filename=\"" + fileName + "\"\r\n" +
           "Content-Type: application/octet-stream\r\n" +
           "\r\n";
}

std::string HttpUploader::BuildTrailer(const std::string& fieldValue) const {
    return "\r\n--" + boundary_ + "\r\n" +
           "Content-Disposition: form-data; name=\"TargetURL\"\r\n" +
           "\r\n" +
           fieldValue + "\r\n" +
           "--" + boundary_ + "--\r\n";
}

bool HttpUploader::SendFile(const std::string& localFile, const UploadTarget& target, ProgressSink& sink,
                            std::string& errorText) {
    boundary_ = MakeBoundary();
    const std::string header = "Content-Type: multipart/form-data; boundary=" + boundary_ + "\r\n";
    const std::string filePart = BuildFilePart(localFile);
    const std::string trailer = BuildTrailer(kTargetFieldValue);

    std::unique_ptr<MappedFile> mapped;
    try {
        mapped = files_.mapReadOnly(localFile);
    } catch (const ComError&) {
        errorText = "MapViewOfFile Failed";
        return false;
    }
    const std::uint64_t fileSize = mapped->size();

    UploadRequest request{target.host, target.port, target.path, target.secure, header,
                          filePart.size() + trailer.size() + fileSize};
    std::unique_ptr<UploadConnection> connection;
    try {
        connection = client_.open(request);
    } catch (const ComError&) {
    }
    if (!connection) {
        errorText = "HttpOpenRequest Failed";
        return false;
    }

    for (;;) {  // a resend asked for by the server starts again from here
        std::uint64_t sent = 0;
        const std::byte* cursor = mapped->data();
        std::uint64_t remaining = fileSize;
        bool cancelled = false;
        if (!connection->begin()) {
            errorText = "HttpSendRequestEx Failed";
            return false;
        }
        bool ok = writeAll(*connection, filePart);
        while (remaining > 0 && ok && !cancelled) {
            const std::size_t block = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, kBlockSize));
            const std::size_t written = connection->write(cursor, block);
            if (written == 0) {
                ok = false;
                break;
            }
            cursor += written;
            remaining -= written;
            sent += written;
            sink.SetPosition(static_cast<int>(sent / 1024 + 1), true);
            cancelled = sink.IsCancelRequested();
        }
        ok = ok && writeAll(*connection, trailer);
        std::uint32_t endCode = 0;
        if (ok) {
            endCode = connection->end();
            ok = endCode == 0;
        }
        if (cancelled) {
            sink.CancelDialog();
            return false;
        }
        // Only an answer in 2xx means the server took the file.
        if (ok && isSuccessStatus(connection->status())) {
            sink.SetStatusText("");
            return true;
        }
        errorText = "HttpEndRequest Failed";
        boxes_.show(strings_.load(sid::uploadSendFailed), strings_.load(sid::errorCaption), BoxStyle::Ok);
        if (endCode != kForceRetry) return false;
    }
}

}  // namespace zu
