#pragma once
#include "control/Shell.h"

namespace zu::test {

class FakeShell final : public Shell {
public:
    explicit FakeShell(std::string folder = {}) : folder(std::move(folder)) {}
    std::string appDataFolder() override {
        ++calls;
        return folder;
    }
    std::string folder;
    int calls = 0;
};

}  // namespace zu::test
