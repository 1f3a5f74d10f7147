// Composition of the control's Win32 ports. Adapters that the platform folder does not
// provide yet are stood in for here by minimal versions (kept in this one file so that
// they go away in one place when the real adapters arrive).
#include "platform/win32/com/Win32Ports.h"

#include <shlobj.h>

#include <cctype>

#include "catalog/CatalogHttp.h"
#include "catalog/XmlDom.h"
#include "common/ComError.h"
#include "common/FileSystem.h"
#include "common/Installer.h"
#include "common/Locale.h"
#include "common/Strings.h"
#include "control/Shell.h"
#include "inspect/LocalClock.h"
#include "inspect/Registry.h"
#include "update/UpdatePorts.h"

namespace zu::win {

namespace {

[[noreturn]] void unavailable(const char* what) { throw ComError(hr::notImpl, what); }

class MissingXmlFactory final : public XmlFactory {
public:
    XmlDocument createDocument() override { unavailable("XML DOM"); }
};

class MissingCatalogHttp final : public CatalogHttp {
public:
    std::string get(const std::string&) override { unavailable("catalogue GET"); }
};

class MissingRegistry final : public Registry {
public:
    std::unique_ptr<RegistryKey> open(RegistryRoot, const std::string&) override { return nullptr; }
};

class MissingFileSystem final : public FileSystem {
public:
    std::vector<FileEntry> find(const std::string&) override { return {}; }
    std::optional<FileEntry> findFirst(const std::string&) override { return std::nullopt; }
    std::unique_ptr<MappedFile> mapReadOnly(const std::string&) override { unavailable("map file"); }
    std::unique_ptr<OutputFile> create(const std::string&) override { unavailable("create file"); }
    void rename(const std::string&, const std::string&) override { unavailable("rename file"); }
    bool remove(const std::string&) override { return false; }
};

class MissingClock final : public LocalClock {
public:
    std::optional<std::int64_t> toInstant(const CivilTime&) const override { return std::nullopt; }
};

class MissingInstaller final : public Installer {
public:
    int queryProductState(const std::string&) override { return -1; }
    void setInternalUI(int) override {}
    std::uint32_t openProduct(const std::string&, InstallerHandle&) override { return 1605; }
    std::uint32_t getProductProperty(InstallerHandle, const std::string&, std::string&,
                                     std::uint32_t&) override { return 1605; }
    void closeHandle(InstallerHandle) override {}
    int getComponentPath(const std::string&, const std::string&, std::string&, std::uint32_t&) override {
        return -1;
    }
    std::uint32_t applyPatch(const std::string&, const std::string&) override { return 1603; }
    std::uint32_t installProduct(const std::string&, const std::string&) override { return 1603; }
};

// The application-data folder through the shell's special folders.
class ShellFolders final : public Shell {
public:
    std::string appDataFolder() override {
        char path[MAX_PATH] = {};
        if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, path))) return {};
        return path;
    }
};

// Texts from the module's string table, in the thread's ANSI code page.
class ModuleStrings final : public Strings {
public:
    explicit ModuleStrings(HINSTANCE module) : module_(module) {}
    std::string load(int id) const override {
        char buffer[1024] = {};
        const int n = LoadStringA(module_, static_cast<UINT>(id), buffer, sizeof buffer);
        return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : fallback_.load(id);
    }

private:
    HINSTANCE module_;
    BuiltinStrings fallback_;  // a host program without the module's resources
};

class AnsiLocale final : public Locale {
public:
    bool isLeadByte(unsigned char byte) const override { return IsDBCSLeadByte(byte) != FALSE; }
    std::string toLower(std::string_view text) const override {
        std::string out(text);
        if (!out.empty()) CharLowerBuffA(out.data(), static_cast<DWORD>(out.size()));
        return out;
    }
};

class Win32PortSet final : public PortSet {
public:
    explicit Win32PortSet(HINSTANCE module) : strings_(module) {}
    Ports ports() override {
        return Ports{xml_, http_, registry_, files_, clock_, installer_, shell_, strings_, locale_, update_};
    }

private:
    MissingXmlFactory xml_;
    MissingCatalogHttp http_;
    MissingRegistry registry_;
    MissingFileSystem files_;
    MissingClock clock_;
    MissingInstaller installer_;
    ShellFolders shell_;
    ModuleStrings strings_;
    AnsiLocale locale_;
    UpdatePorts update_;
};

}  // namespace

std::unique_ptr<PortSet> makeWin32Ports(HINSTANCE module) { return std::make_unique<Win32PortSet>(module); }

}  // namespace zu::win
