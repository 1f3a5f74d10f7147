#pragma once
// The two catalogue methods of the control.
#include <string>

namespace zu {

struct ControlState;
struct Ports;

// Never throws: failures become the error catalogue.
std::string getXmlSetups(ControlState& state, const Ports& ports);
// Throws ComError for platform failures; "" for an empty URL or a malformed catalogue.
std::string getXmlProducts(ControlState& state, const Ports& ports);

}  // namespace zu
