#pragma once
// The read-only registry through advapi32's ANSI calls.
#include "inspect/Registry.h"

namespace zu {

class Win32Registry final : public Registry {
public:
    std::unique_ptr<RegistryKey> open(RegistryRoot root, const std::string& path) override;
};

}  // namespace zu
