// Download throughput of the update run's downloader (4095-byte reads, a progress report
// and a file write per read, written under a temporary name and renamed) against the
// curl command-line tool fetching the same body from the same local server.
//   zu_bench_download [MEGABYTES] [ROUNDS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/Strings.h"
#include "platform/portable/CurlDownloadClient.h"
#include "platform/portable/PosixFileSystem.h"
#include "support/TestHttpServer.h"
#include "update/HttpDownloader.h"
#include "update/ProgressSink.h"

namespace {

// A sink that only counts the progress reports, as a dialog that draws nothing would.
class CountingSink final : public zu::ProgressSink {
public:
    long reports = 0;
    void SetTotal(int, const std::string&) override {}
    void SetStepText(const std::string&) override {}
    void SetTitle(const std::string&) override {}
    int SetPosition(int, bool) override { return ++reports, 0; }
    int Complete() override { return 0; }
    void ShowAmounts(int, int) override {}
    void SetStatusText(const std::string&) override {}
    void DisableCancel() override {}
    void EnableCancel() override {}
    bool IsCancelRequested() override { return false; }
    void CancelDialog() override {}
    void ShowControl(int, int) override {}
};

double seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
    const int megabytes = argc > 1 ? std::atoi(argv[1]) : 64;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::string body(static_cast<std::size_t>(megabytes) << 20, 'z');

    zu::test::TestHttpServer server;
    server.route("/file", [&](const zu::test::HttpRequest&) { return zu::test::HttpResponse::ok(body); });
    const std::string url = server.url("/file");
    const auto dir = std::filesystem::temp_directory_path() / "zu-bench";
    std::filesystem::create_directories(dir);
    const std::string target = (dir / "setup.msi").string();

    zu::CurlDownloadClient client;
    zu::PosixFileSystem files;
    zu::BuiltinStrings strings;

    double ours = 1e9, peer = 1e9;
    for (int r = 0; r < rounds; ++r) {
        CountingSink sink;
        zu::HttpDownloader downloader(client, files, strings);
        const auto t0 = std::chrono::steady_clock::now();
        if (!downloader.Download(target, url, sink)) {
            std::fprintf(stderr, "download failed\n");
            return 1;
        }
        ours = std::min(ours, seconds(std::chrono::steady_clock::now() - t0));
        if (std::filesystem::file_size(target) != body.size()) {
            std::fprintf(stderr, "wrong size\n");
            return 1;
        }

        const std::string cmd = "curl -s -o '" + target + "' '" + url + "'";
        const auto t1 = std::chrono::steady_clock::now();
        if (std::system(cmd.c_str()) != 0) {
            std::fprintf(stderr, "curl failed\n");
            return 1;
        }
        peer = std::min(peer, seconds(std::chrono::steady_clock::now() - t1));
    }
    std::filesystem::remove_all(dir);

    const double mb = static_cast<double>(megabytes);
    std::printf("download %d MiB, best of %d\n", megabytes, rounds);
    std::printf("  zeltoupdate downloader  %8.3f s  %8.1f MiB/s\n", ours, mb / ours);
    std::printf("  curl (command line)     %8.3f s  %8.1f MiB/s\n", peer, mb / peer);
    std::printf("  ratio zeltoupdate/curl  %8.2f (time; lower is better)\n", ours / peer);
    return 0;
}
