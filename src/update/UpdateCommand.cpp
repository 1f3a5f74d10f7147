#include "update/UpdateCommand.h"

#include "common/ComError.h"
#include "common/Text.h"
#include "control/ControlState.h"
#include "control/Ports.h"
#include "update/PhaseServices.h"
#include "update/ProgressDialog.h"
#include "update/SafeFileName.h"
#include "update/UpdatePorts.h"
#include "update/WorkLists.h"

namespace zu {
namespace {

template <class T>
T& requirePort(T* port) {
    if (!port) throw ComError(hr::notImpl, "update port missing");
    return *port;
}

std::unique_ptr<SetupItem> makeSetupItem(const ControlState& state, const std::string& folder, std::int32_t id) {
    const XmlNode node = state.setups.selectSingleNode("setup[@id='" + decimal(id) + "']");
    const XmlNode element = node ? node.asElement() : XmlNode();
    const std::string name = requireNode(element).getAttribute("name").value_or("");
    const std::string args = element.getAttribute("args").value_or("");
    const std::string size = element.getAttribute("size").value_or("");
    // The name becomes part of a local path: anything but a plain file name is refused.
    if (!isPlainFileName(name)) throw ComError(hr::invalidArg, "setup name is not a plain file name");

    auto item = std::make_unique<SetupItem>();
    item->fileName = name;
    item->localPath = folder + "\\" + name;
    item->sizeKb = leadingInt(size, 0);
    item->args = args;
    item->url = state.props.downloadURL + name + "&codProduto=" + state.productId;
    return item;
}

}  // namespace

bool runUpdate(ControlState& state, const Ports& ports) {
    const UpdatePorts& update = ports.update;
    const std::string folder = state.tokens.appDataFolder;

    // A run never reaches the setups of an earlier one.
    state.setupItems.clear();
    for (std::int32_t id : state.chosenSetups) state.setupItems.append(makeSetupItem(state, folder, id));

    const PhaseServices services{ports.strings,
                                 ports.files,
                                 ports.installer,
                                 requirePort(update.download),
                                 requirePort(update.upload),
                                 requirePort(update.uuids),
                                 requirePort(update.boxes),
                                 requirePort(update.restarter)};
    ModalDialogRunner& runner = requirePort(update.dialog);
    JobPhases phases(services);
    ProgressDialog dialog(phases, ports.strings);

    UpdateJob job(state.workingProductName);
    if (state.props.allowUploads && !state.uploadItems.empty()) {
        const std::string target = state.props.uploadURL + "?codProduto=" + state.productId;
        for (std::size_t i = 0; i < state.uploadItems.size(); ++i) state.uploadItems.at(i).targetUrl = target;
        job.uploadItems = &state.uploadItems;
    }
    job.setupItems = &state.setupItems;

    dialog.setJob(job);
    runner.runModal(dialog);
    return dialog.runSucceeded();
}

}  // namespace zu
