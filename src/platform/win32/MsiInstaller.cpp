#include "platform/win32/MsiInstaller.h"

#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <algorithm>
#include <vector>

namespace zu {

namespace {
// A writable buffer of `chars` characters (at least one, so that a zero length is still
// a real buffer and the installer answers "more data" with the length it needs).
std::vector<char> charBuffer(std::uint32_t chars) { return std::vector<char>(chars ? chars : 1, '\0'); }

std::string text(const std::vector<char>& buffer, DWORD length) {
    return std::string(buffer.data(), std::min<std::size_t>(length, buffer.size()));
}
}  // namespace

int MsiInstaller::queryProductState(const std::string& productCode) {
    return MsiQueryProductStateA(productCode.c_str());
}

void MsiInstaller::setInternalUI(int level) { MsiSetInternalUI(static_cast<INSTALLUILEVEL>(level), nullptr); }

std::uint32_t MsiInstaller::openProduct(const std::string& productCode, InstallerHandle& handle) {
    MSIHANDLE product = 0;
    const UINT result = MsiOpenProductA(productCode.c_str(), &product);
    if (result == ERROR_SUCCESS) handle = static_cast<InstallerHandle>(product);
    return result;
}

std::uint32_t MsiInstaller::getProductProperty(InstallerHandle handle, const std::string& name, std::string& buffer,
                                               std::uint32_t& length) {
    std::vector<char> value = charBuffer(length);
    DWORD chars = length;
    const UINT result = MsiGetProductPropertyA(static_cast<MSIHANDLE>(handle), name.c_str(), value.data(), &chars);
    length = static_cast<std::uint32_t>(chars);
    if (result == ERROR_SUCCESS) buffer = text(value, chars);
    return result;
}

void MsiInstaller::closeHandle(InstallerHandle handle) { MsiCloseHandle(static_cast<MSIHANDLE>(handle)); }

int MsiInstaller::getComponentPath(const std::string& productCode, const std::string& componentCode,
                                   std::string& path, std::uint32_t& length) {
    std::vector<char> value = charBuffer(length);
    DWORD chars = length;
    const INSTALLSTATE state = MsiGetComponentPathA(productCode.c_str(), componentCode.c_str(), value.data(), &chars);
    length = static_cast<std::uint32_t>(chars);
    path = text(value, chars);
    return state;
}

std::uint32_t MsiInstaller::applyPatch(const std::string& patchPath, const std::string& commandLine) {
    return MsiApplyPatchA(patchPath.c_str(), nullptr, INSTALLTYPE_DEFAULT, commandLine.c_str());
}

std::uint32_t MsiInstaller::installProduct(const std::string& packagePath, const std::string& commandLine) {
    return MsiInstallProductA(packagePath.c_str(), commandLine.c_str());
}

}  // namespace zu
