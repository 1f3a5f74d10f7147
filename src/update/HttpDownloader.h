#pragma once
// Downloads one file: a raw GET of its URL, written in blocks to a temporary name beside
// the local path and renamed into place once the whole body has arrived.
#include <memory>
#include <string>

#include "update/DownloadSession.h"

namespace zu {

class DownloadClient;
class FileSystem;
class Strings;
class ComError;

class HttpDownloader {
public:
    static constexpr std::size_t kBufferSize = 4096;
    static constexpr std::size_t kReadSize = kBufferSize - 1;  // room for the closing zero

    HttpDownloader(DownloadClient& client, FileSystem& files, const Strings& strings)
        : client_(client), files_(files), strings_(strings) {}

    bool OpenSession(ProgressSink& sink);
    bool Download(const std::string& localPath, const std::string& url, ProgressSink& sink);

    // The name a download is written under until it is complete.
    static std::string partialPath(const std::string& localPath) { return localPath + ".part"; }

private:
    std::string failureText(const ComError& error) const;
    bool fail(const std::string& partPath, const std::string& text);

    DownloadClient& client_;
    FileSystem& files_;
    const Strings& strings_;
    std::unique_ptr<DownloadSession> session_;
};

}  // namespace zu
