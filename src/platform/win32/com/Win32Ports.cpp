// Composition of the control's Win32 ports: one set of adapters per control object.
#include "platform/win32/com/Win32Ports.h"

#include "common/Installer.h"
#include "platform/win32/MsXmlDom.h"
#include "platform/win32/MsiInstaller.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProgressDialog.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Restarter.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/WinInetDownloadClient.h"
#include "platform/win32/WinInetUploadClient.h"
#include "platform/win32/XmlHttpCatalog.h"
#include "update/UpdatePorts.h"

namespace zu::win {

namespace {

class Win32PortSet final : public PortSet {
public:
    // `module` holds the string table and dialog 201.
    explicit Win32PortSet(HINSTANCE module) : strings_(module), dialog_(module) {
        update_.download = &download_;
        update_.upload = &upload_;
        update_.uuids = &uuids_;
        update_.dialog = &dialog_;
        update_.boxes = &boxes_;
        update_.restarter = &restarter_;
    }
    Ports ports() override {
        return Ports{xml_, http_, registry_, files_, clock_, installer_, shell_, strings_, locale_, update_};
    }

private:
    MsXmlFactory xml_;
    XmlHttpCatalog http_;
    Win32Registry registry_;
    Win32FileSystem files_;
    CrtClock clock_;
    MsiInstaller installer_;
    ShellFolders shell_;
    ResourceStrings strings_;
    AnsiLocale locale_;
    WinInetDownloadClient download_;
    WinInetUploadClient upload_;
    RpcUuidSource uuids_;
    Win32DialogRunner dialog_;
    Win32MessageBoxes boxes_;
    Win32Restarter restarter_;
    UpdatePorts update_;
};

}  // namespace

std::unique_ptr<PortSet> makeWin32Ports(HINSTANCE module) { return std::make_unique<Win32PortSet>(module); }

}  // namespace zu::win
