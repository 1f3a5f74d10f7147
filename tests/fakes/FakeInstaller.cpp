#include "fakes/FakeInstaller.h"

namespace zu::test {

int FakeInstaller::queryProductState(const std::string& productCode) {
    calls.push_back("queryProductState(" + productCode + ")");
    auto it = productStates.find(productCode);
    return it == productStates.end() ? -1 : it->second;
}

void FakeInstaller::setInternalUI(int level) { calls.push_back("setInternalUI(" + std::to_string(level) + ")"); }

std::uint32_t FakeInstaller::openProduct(const std::string& productCode, InstallerHandle& handle) {
    calls.push_back("openProduct(" + productCode + ")");
    if (!productNames.count(productCode)) return 1605;  // ERROR_UNKNOWN_PRODUCT
    openHandles_.push_back(productCode);
    handle = static_cast<InstallerHandle>(openHandles_.size());
    return 0;
}

std::uint32_t FakeInstaller::getProductProperty(InstallerHandle handle, const std::string& name,
                                                std::string& buffer, std::uint32_t& length) {
    calls.push_back("getProductProperty(" + name + ", " + std::to_string(length) + ")");
    if (handle == 0 || handle > openHandles_.size() || name != "ProductName") return 6;  // ERROR_INVALID_HANDLE
    const std::string& value = productNames[openHandles_[handle - 1]];
    const std::uint32_t capacity = length;
    length = static_cast<std::uint32_t>(value.size());
    if (value.size() + 1 > capacity) return msi::errorMoreData;
    buffer = value;
    return 0;
}

void FakeInstaller::closeHandle(InstallerHandle handle) { calls.push_back("closeHandle(" + std::to_string(handle) + ")"); }

int FakeInstaller::getComponentPath(const std::string& productCode, const std::string& componentCode,
                                    std::string& path, std::uint32_t& length) {
    calls.push_back("getComponentPath(" + productCode + ", " + componentCode + ")");
    auto it = componentPaths.find(productCode + "|" + componentCode);
    if (it == componentPaths.end()) return -1;  // INSTALLSTATE_UNKNOWN
    path = it->second.second;
    length = static_cast<std::uint32_t>(path.size());
    return it->second.first;
}

std::uint32_t FakeInstaller::applyPatch(const std::string& patchPath, const std::string& commandLine) {
    calls.push_back("applyPatch(" + patchPath + ", " + commandLine + ")");
    auto it = installResults.find(patchPath);
    return it == installResults.end() ? 0 : it->second;
}

std::uint32_t FakeInstaller::installProduct(const std::string& packagePath, const std::string& commandLine) {
    calls.push_back("installProduct(" + packagePath + ", " + commandLine + ")");
    auto it = installResults.find(packagePath);
    return it == installResults.end() ? 0 : it->second;
}

}  // namespace zu::test
