#pragma once
// A scripted Windows Installer: answers from tables set by the test, records every call.
#include <map>
#include <string>
#include <vector>

#include "common/Installer.h"

namespace zu::test {

class FakeInstaller final : public Installer {
public:
    std::map<std::string, int> productStates;              // code -> state (absent: -1)
    std::map<std::string, std::string> productNames;       // code -> "ProductName" (absent: open fails)
    std::map<std::string, std::pair<int, std::string>> componentPaths;  // "product|component" -> state, path
    std::map<std::string, std::uint32_t> installResults;   // path -> code (absent: 0)

    std::vector<std::string> calls;  // "op(arg, arg...)" in call order

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

private:
    std::vector<std::string> openHandles_;  // index + 1 is the handle
};

}  // namespace zu::test
