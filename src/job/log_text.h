#pragma once

#include <string>
#include <string_view>

namespace stowbel {

// A name or message made safe for one line of a log: control characters (line breaks, tabs,
// escape sequences, the Unicode line and paragraph separators) are written as escapes ("\n",
// "\x1b", "\u2028"), so that no file name can start a line of its own or colour the terminal.
std::string EscapeForLog(std::string_view text);

}  // namespace stowbel
