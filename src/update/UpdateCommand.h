#pragma once
// The control's Update method: builds the run from the chosen setups and shows it.

namespace zu {

struct ControlState;
struct Ports;

// Throws ComError when a chosen setup cannot be resolved; otherwise returns the run's
// success flag once the progress dialog has closed.
bool runUpdate(ControlState& state, const Ports& ports);

}  // namespace zu
