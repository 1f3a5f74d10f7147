#include "update/HttpDownloader.h"

#include <cstdint>
#include <vector>

#include "common/ComError.h"
#include "common/FileSystem.h"
#include "common/StringIds.h"
#include "common/Strings.h"
#include "common/Text.h"
#include "update/PhaseServices.h"
#include "update/TransferPorts.h"

namespace zu {

bool HttpDownloader::OpenSession(ProgressSink& sink) {
    session_ = std::make_unique<DownloadSession>(sink);
    return session_ != nullptr;
}

std::string HttpDownloader::failureText(const ComError& error) const {
    if (error.code() == kTransferTimedOut) return strings_.load(sid::transferTimedOut);
    return error.what();
}

bool HttpDownloader::fail(const std::string& partPath, const std::string& text) {
    session_->ReportStatus(text);
    if (!partPath.empty()) files_.remove(partPath);
    return false;
}

bool HttpDownloader::Download(const std::string& localPath, const std::string& url, ProgressSink& sink) {
    if (!session_ && !OpenSession(sink)) return false;

    std::unique_ptr<DownloadResponse> response;
    try {
        response = client_.open(url);
    } catch (const ComError& e) {
        return fail({}, failureText(e));
    }
    // An error page is not the setup file: nothing is written for it.
    if (response && (response->status() < 200 || response->status() > 299))
        return fail({}, fillNumbers(strings_.load(sid::downloadHttpStatus), {response->status()}));

    const std::string partPath = partialPath(localPath);
    std::unique_ptr<OutputFile> file;
    try {
        file = files_.create(partPath);
    } catch (const ComError& e) {
        return fail({}, failureText(e));
    }

    try {
        if (response) {
            std::vector<char> buffer(kBufferSize);
            std::int64_t received = 0;
            for (;;) {
                if (sink.IsCancelRequested()) {
                    file.reset();
                    files_.remove(partPath);
                    sink.CancelDialog();
                    return false;
                }
                const std::size_t n = response->read(buffer.data(), kReadSize);
                if (n == 0) break;
                buffer[n] = 0;
                received += static_cast<std::int64_t>(n);
                session_->ReportProgress(static_cast<int>(received / 1024));
                file->write(buffer.data(), n);
            }
            const std::int64_t declared = response->declaredLength();
            if (declared >= 0 && received != declared) {
                file.reset();
                return fail(partPath, fillNumbers(strings_.load(sid::downloadShortBody), {received, declared}));
            }
        }
        file->close();
        file.reset();
        files_.rename(partPath, localPath);
    } catch (const ComError& e) {
        file.reset();
        return fail(partPath, failureText(e));
    }
    session_->ReportStatus("");
    return true;
}

}  // namespace zu
