#pragma once
// What the phase tests share: a local HTTP server, a temporary download folder, the
// side's file system and transfer adapters, and recorded boxes.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "common/Strings.h"
#include "fakes/FakeInstaller.h"
#include "fakes/RecordingBoxes.h"
#include "fakes/RecordingSink.h"
#include "support/SidePorts.h"
#include "support/SideTransfers.h"
#include "support/TestHttpServer.h"
#include "update/PhaseServices.h"
#include "update/WorkLists.h"

namespace zu::test {

class PhaseFixture : public ::testing::Test {
protected:
    TestHttpServer server;
    TempFolder folder;
    BuiltinStrings strings;
    std::unique_ptr<FileSystem> files = makeSideFileSystem();
    FakeInstaller installer;
    std::unique_ptr<DownloadClient> download = makeSideDownloadClient(std::chrono::milliseconds(1500));
    std::unique_ptr<UploadClient> upload = makeSideUploadClient(std::chrono::milliseconds(1500));
    CountingUuidSource uuids;
    RecordingBoxes boxes;
    RecordingRestarter restarter;
    RecordingSink sink;
    SetupItemList setups;
    UploadItemList uploads;
    UpdateJob job{"ProdutoX"};

    PhaseServices services() {
        return PhaseServices{strings, *files, installer, *download, *upload, uuids, boxes, restarter};
    }

    std::string localPath(const std::string& name) const { return folder.path() + "\\" + name; }
    bool exists(const std::string& path) const { return files->findFirst(path).has_value(); }
    std::string contents(const std::string& path) const {
        const auto entry = files->findFirst(path);
        if (!entry || entry->size == 0) return {};
        auto mapped = files->mapReadOnly(path);
        return std::string(reinterpret_cast<const char*>(mapped->data()), mapped->size());
    }

    SetupItem& addSetup(const std::string& name, const std::string& url, int sizeKb, const std::string& args = {}) {
        auto item = std::make_unique<SetupItem>();
        item->fileName = name;
        item->localPath = localPath(name);
        item->url = url;
        item->sizeKb = sizeKb;
        item->args = args;
        SetupItem& ref = *item;
        setups.append(std::move(item));
        job.setupItems = &setups;
        return ref;
    }
};

}  // namespace zu::test
