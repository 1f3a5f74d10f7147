#pragma once
// Restarts Windows (ExitWindowsEx), taking the shutdown privilege first.
#include "update/Restarter.h"

namespace zu {

class Win32Restarter final : public Restarter {
public:
    void restart() override;
};

}  // namespace zu
