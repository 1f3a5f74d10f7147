#pragma once
// The Win32 adapters that one control object works with, built when the control is
// created and owned by it (the control's ports refer into this set).
#include <windows.h>

#include <memory>

#include "control/Ports.h"

namespace zu::win {

class PortSet {
public:
    virtual ~PortSet() = default;
    virtual Ports ports() = 0;
};

// `module` is the module whose resources hold the string table.
std::unique_ptr<PortSet> makeWin32Ports(HINSTANCE module);

}  // namespace zu::win
