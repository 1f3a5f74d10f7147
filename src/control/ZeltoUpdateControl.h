#pragma once
// The object a page scripts: its properties, the chosen-setup list and the entry points
// of its five methods. Platform-neutral; the COM module wraps it.
#include <cstdint>
#include <string>

#include "control/ControlState.h"
#include "control/Ports.h"

namespace zu {

class ZeltoUpdateControl {
public:
    // Finds the application-data folder once, through the shell port.
    explicit ZeltoUpdateControl(const Ports& ports);

    const ControlProperties& properties() const { return state_.props; }
    // Stores the properties as given and marks the control modified; nothing is validated.
    void setProperties(const ControlProperties& props);
    template <class T>
    void setProperty(T ControlProperties::*member, T value) {
        state_.props.*member = std::move(value);
        modified_ = true;
    }

    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

    void addSetup(std::int16_t setupId);
    void removeSetup(std::int16_t setupId);

    std::string getXmlSetups();
    std::string getXmlProducts();
    bool update();

    ControlState& state() { return state_; }
    const ControlState& state() const { return state_; }
    const Ports& ports() const { return ports_; }

private:
    Ports ports_;
    ControlState state_;
    bool modified_ = false;
};

}  // namespace zu
