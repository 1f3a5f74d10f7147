#pragma once
// What the three phases of a run use of the world, and the driver's view of them.
#include <string>
#include <initializer_list>

namespace zu {

class Strings;
class FileSystem;
class Installer;
class DownloadClient;
class UploadClient;
class UuidSource;
class MessageBoxes;
class Restarter;
class UpdateJob;
class ProgressSink;

struct PhaseServices {
    const Strings& strings;
    FileSystem& files;
    Installer& installer;
    DownloadClient& download;
    UploadClient& upload;
    UuidSource& uuids;
    MessageBoxes& boxes;
    Restarter& restarter;
};

bool UploadAll(UpdateJob& job, ProgressSink& sink, const PhaseServices& services);
bool DownloadAll(UpdateJob& job, ProgressSink& sink, const PhaseServices& services);
bool InstallAll(UpdateJob& job, ProgressSink& sink, const PhaseServices& services);

// The phase operations as the dialog's driver calls them.
class UpdatePhases {
public:
    virtual ~UpdatePhases() = default;
    virtual bool UploadAll(UpdateJob& job, ProgressSink& sink) = 0;
    virtual bool DownloadAll(UpdateJob& job, ProgressSink& sink) = 0;
    virtual bool InstallAll(UpdateJob& job, ProgressSink& sink) = 0;
};

class JobPhases final : public UpdatePhases {
public:
    explicit JobPhases(const PhaseServices& services) : services_(services) {}
    bool UploadAll(UpdateJob& job, ProgressSink& sink) override { return zu::UploadAll(job, sink, services_); }
    bool DownloadAll(UpdateJob& job, ProgressSink& sink) override { return zu::DownloadAll(job, sink, services_); }
    bool InstallAll(UpdateJob& job, ProgressSink& sink) override { return zu::InstallAll(job, sink, services_); }

private:
    PhaseServices services_;
};

// Replaces each "%d" of `pattern`, left to right, with the next number.
std::string fillNumbers(std::string pattern, std::initializer_list<long long> numbers);

}  // namespace zu
