#pragma once
// Ports of the update run (transfers, dialog, boxes, restart, uuids). The control passes
// them through untouched; every pointer must be set before Update runs.
namespace zu {

class DownloadClient;
class UploadClient;
class UuidSource;
class ModalDialogRunner;
class MessageBoxes;
class Restarter;

struct UpdatePorts {
    DownloadClient* download = nullptr;
    UploadClient* upload = nullptr;
    UuidSource* uuids = nullptr;
    ModalDialogRunner* dialog = nullptr;
    MessageBoxes* boxes = nullptr;
    Restarter* restarter = nullptr;
};

}  // namespace zu
