#pragma once
// A full set of ports for core tests: fakes where the test scripts the world, the side's
// real adapters where the behaviour of the platform is the point.
#include <memory>

#include "common/Strings.h"
#include "control/Ports.h"
#include "fakes/FakeCatalogHttp.h"
#include "fakes/FakeInstaller.h"
#include "fakes/FakeShell.h"
#include "fakes/InMemoryRegistry.h"
#include "fakes/RecordingBoxes.h"
#include "fakes/ScriptedDialog.h"
#include "support/SidePorts.h"
#include "support/SideTransfers.h"
#include "update/UpdatePorts.h"

namespace zu::test {

struct TestPorts {
    std::unique_ptr<XmlFactory> xml = makeSideXmlFactory();
    FakeCatalogHttp http;
    InMemoryRegistry registry;
    std::unique_ptr<FileSystem> files = makeSideFileSystem();
    std::unique_ptr<LocalClock> clock = makeSideClock();
    FakeInstaller installer;
    FakeShell shell{"C:\\Users\\ana\\AppData\\Roaming"};
    BuiltinStrings strings;
    std::unique_ptr<Locale> locale = makeSideLocale();
    // The update run: the side's HTTP adapters, a scripted dialog, recorded boxes.
    std::unique_ptr<DownloadClient> download = makeSideDownloadClient();
    std::unique_ptr<UploadClient> upload = makeSideUploadClient();
    CountingUuidSource uuids;
    ScriptedDialog dialog;
    RecordingBoxes boxes;
    RecordingRestarter restarter;
    UpdatePorts update{download.get(), upload.get(), &uuids, &dialog, &boxes, &restarter};

    Ports ports() {
        return Ports{*xml, http, registry, *files, *clock, installer, shell, strings, *locale, update};
    }
};

}  // namespace zu::test
