#pragma once
// Sends one local file as a multipart/form-data HTTP/1.0 POST, straight from a read-only
// mapping of the file, in blocks of 4096 bytes.
#include <string>

#include "update/UploadTarget.h"

namespace zu {

class ProgressSink;
class UploadClient;
class UuidSource;
class FileSystem;
class MessageBoxes;
class Strings;

class HttpUploader {
public:
    static constexpr std::size_t kBlockSize = 4096;
    static constexpr const char* kTargetFieldValue = "teste.txt";

    HttpUploader(UploadClient& client, UuidSource& uuids, FileSystem& files, MessageBoxes& boxes,
                 const Strings& strings)
        : client_(client), uuids_(uuids), files_(files), boxes_(boxes), strings_(strings) {}

    std::string MakeBoundary();
    // The pieces before and after the file's bytes, for the current boundary.
    std::string BuildFilePart(const std::string& fileName) const;
    std::string BuildTrailer(const std::string& fieldValue) const;
    // `errorText` receives a short diagnostic that nobody shows.
    bool SendFile(const std::string& localFile, const UploadTarget& target, ProgressSink& sink,
                  std::string& errorText);

    const std::string& boundary() const { return boundary_; }

private:
    std::string boundary_;
    UploadClient& client_;
    UuidSource& uuids_;
    FileSystem& files_;
    MessageBoxes& boxes_;
    const Strings& strings_;
};

}  // namespace zu
