#include "fakes/ScriptedDialog.h"

namespace zu::test {

int ScriptedDialog::runModal(DialogController& controller) {
    controller_ = &controller;
    ++runs;
    endResult.reset();
    controller.started(*this);
    if (!endResult && closeWhenStopped) controller.leaveRequested(*this);
    controller_ = nullptr;
    return endResult.value_or(-1);
}

BoxAnswer ScriptedDialog::ask(const std::string& text, const std::string& caption, BoxStyle style) {
    questions.push_back({text, caption, style});
    return nextAnswer_;
}

void ScriptedDialog::pumpMessages() {
    ++pumps;
    auto it = script_.find(pumps);
    if (it == script_.end() || controller_ == nullptr) return;
    nextAnswer_ = it->second;
    controller_->leaveRequested(*this);
}

}  // namespace zu::test
