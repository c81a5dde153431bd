#pragma once

#include <string>

#include "order/examples.h"

namespace stowbel {

// A built-in example order as the text of an order file, every line ending in "\n".
inline std::string ExampleText(const std::string& name) {
    std::string text;
    for (const std::string& line : ExampleOrder(name)) {
        text += line + "\n";
    }
    return text;
}

}  // namespace stowbel
