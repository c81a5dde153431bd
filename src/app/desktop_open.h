#pragma once

#include <QString>

namespace stowbel {

// Opens a document with the application the desktop has for its type; false when the desktop
// has none or refuses.
bool OpenWithDesktop(const QString& path);

}  // namespace stowbel
