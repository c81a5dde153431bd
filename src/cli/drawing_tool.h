#pragma once

#include <ostream>

namespace stowbel {

// Replaces this process (same pid, same arguments) with stowbel-cli-draw from the program's own
// folder, which runs commands that draw. Returns only when it could not be started: after
// saying why on err, with kExitNoDrawingTool.
int HandOverToDrawingTool(char** argv, std::ostream& err);

}  // namespace stowbel
