#pragma once
// Owner-less message boxes and the restart request, recorded; answers come from a queue
// (default: OK, or No for a question).
#include <deque>
#include <string>
#include <vector>

#include "update/DialogView.h"
#include "update/Restarter.h"
#include "update/UuidSource.h"

namespace zu::test {

class RecordingBoxes final : public MessageBoxes {
public:
    struct Box {
        std::string text, caption;
        BoxStyle style;
    };
    std::vector<Box> shown;
    std::deque<BoxAnswer> answers;

    BoxAnswer show(const std::string& text, const std::string& caption, BoxStyle style) override {
        shown.push_back({text, caption, style});
        if (!answers.empty()) {
            const BoxAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return style == BoxStyle::YesNo || style == BoxStyle::YesNoWarning ? BoxAnswer::No : BoxAnswer::Ok;
    }
};

class RecordingRestarter final : public Restarter {
public:
    int restarts = 0;
    void restart() override { ++restarts; }
};

// UUIDs in a known order: "00000000-0000-0000-0000-00000000000N" for N = 1, 2...
class CountingUuidSource final : public UuidSource {
public:
    int issued = 0;
    std::string newUuid() override {
        std::string n = std::to_string(++issued);
        return "00000000-0000-0000-0000-" + std::string(12 - n.size(), '0') + n;
    }
};

}  // namespace zu::test
