#pragma once
// A scripted progress dialog: records what the dialog logic shows and plays a user who
// may press the cancel button at a chosen message pump and answer the question.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "update/DialogView.h"

namespace zu::test {

class ScriptedDialog final : public DialogView, public ModalDialogRunner {
public:
    struct Question {
        std::string text, caption;
        BoxStyle style;
    };

    // At the `pumpNumber`-th message pump (1-based) the user presses the cancel button
    // and answers the question with `answer`.
    void pressCancelAt(int pumpNumber, BoxAnswer answer) { script_[pumpNumber] = answer; }
    // After the run the user closes the dialog (button, Esc or close box). Off: the
    // runner returns once the start handler is done.
    bool closeWhenStopped = true;

    // What the dialog shows now.
    std::map<int, std::string> texts;
    std::vector<std::pair<int, std::string>> textLog;
    std::map<int, int> shown;                      // id -> last show command
    std::map<int, bool> enabled;                   // id -> last state
    std::map<int, std::pair<int, int>> ranges;     // bar -> low, high
    std::map<int, int> positions;                  // bar -> position
    std::vector<Question> questions;               // asked by the dialog (owned boxes)
    int pumps = 0;
    int runs = 0;
    bool windowShown = false;
    std::optional<int> endResult;
    std::string captionText = "Actualização de Ficheiros";

    std::string text(int id) const {
        auto it = texts.find(id);
        return it == texts.end() ? std::string() : it->second;
    }

    // ModalDialogRunner
    int runModal(DialogController& controller) override;

    // DialogView
    void showWindow() override { windowShown = true; }
    std::string caption() override { return captionText; }
    void setText(int id, const std::string& value) override {
        texts[id] = value;
        textLog.emplace_back(id, value);
    }
    void showControl(int id, int command) override { shown[id] = command; }
    void enableControl(int id, bool on) override { enabled[id] = on; }
    void setBarRange(int bar, int low, int high) override { ranges[bar] = {low, high}; }
    void setBarPosition(int bar, int position) override { positions[bar] = position; }
    BoxAnswer ask(const std::string& text, const std::string& caption, BoxStyle style) override;
    void pumpMessages() override;
    void endDialog(int result) override {
        if (!endResult) endResult = result;
    }

private:
    DialogController* controller_ = nullptr;
    std::map<int, BoxAnswer> script_;
    BoxAnswer nextAnswer_ = BoxAnswer::No;
};

}  // namespace zu::test
