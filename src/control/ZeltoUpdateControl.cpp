#include "control/ZeltoUpdateControl.h"

#include <algorithm>

#include "catalog/CatalogMethods.h"
#include "control/Shell.h"
#include "update/UpdateCommand.h"

namespace zu {

ZeltoUpdateControl::ZeltoUpdateControl(const Ports& ports) : ports_(ports) {
    state_.tokens.appDataFolder = ports_.shell.appDataFolder();
}

void ZeltoUpdateControl::setProperties(const ControlProperties& props) {
    state_.props = props;
    modified_ = true;
}

void ZeltoUpdateControl::addSetup(std::int16_t setupId) {
    state_.chosenSetups.push_back(static_cast<std::int32_t>(setupId));
}

void ZeltoUpdateControl::removeSetup(std::int16_t setupId) {
    std::erase(state_.chosenSetups, static_cast<std::int32_t>(setupId));
}

std::string ZeltoUpdateControl::getXmlSetups() { return zu::getXmlSetups(state_, ports_); }

std::string ZeltoUpdateControl::getXmlProducts() { return zu::getXmlProducts(state_, ports_); }

bool ZeltoUpdateControl::update() { return runUpdate(state_, ports_); }

}  // namespace zu
