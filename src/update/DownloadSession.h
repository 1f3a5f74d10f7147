#pragma once
// The per-file session of a download: forwards progress to the phase's sink and keeps
// the last status text it showed.
#include <string>

#include "update/ProgressSink.h"

namespace zu {

class DownloadSession {
public:
    explicit DownloadSession(ProgressSink& sink) : progressSink_(sink) {}

    void ReportProgress(int kb) { progressSink_.SetPosition(kb, true); }
    void ReportStatus(const std::string& text) {
        statusText_ = text;
        progressSink_.SetStatusText(text);
    }
    const std::string& statusText() const { return statusText_; }

private:
    std::string statusText_;
    ProgressSink& progressSink_;
};

}  // namespace zu
