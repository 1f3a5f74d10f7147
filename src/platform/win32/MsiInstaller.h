#pragma once
// The eight Windows Installer operations through msi.dll's ANSI entry points.
#include "common/Installer.h"

namespace zu {

class MsiInstaller final : public Installer {
public:
    int queryProductState(const std::string& productCode) override;
    void setInternalUI(int level) override;
    std::uint32_t openProduct(const std::string& productCode, InstallerHandle& handle) override;
    std::uint32_t getProductProperty(InstallerHandle handle, const std::string& name, std::string& buffer,
                                     std::uint32_t& length) override;
    void closeHandle(InstallerHandle handle) override;
    int getComponentPath(const std::string& productCode, const std::string& componentCode, std::string& path,
                         std::uint32_t& length) override;
    std::uint32_t applyPatch(const std::string& patchPath, const std::string& commandLine) override;
    std::uint32_t installProduct(const std::string& packagePath, const std::string& commandLine) override;
};

}  // namespace zu
