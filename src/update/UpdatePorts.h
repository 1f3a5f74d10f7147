#pragma once
// Ports of the update run (download, upload, dialog, restart...). Filled in by the
// update subsystem; the control passes them through untouched.

namespace zu {

struct UpdatePorts {};

}  // namespace zu
