#pragma once

#include <string>
#include <vector>

namespace stowbel {

// Inner sizes of a container or truck body in whole millimetres.
struct ContainerSizes {
    long long length = 0;
    long long width = 0;
    long long height = 0;
    bool operator==(const ContainerSizes&) const = default;
};

// An order whose container line carries new sizes, and where that line is now.
struct ContainerLineEdit {
    std::vector<std::string> lines;
    int lineIndex = 0;      // 0-based index of the container line in lines
    bool inserted = false;  // the order had no container line; one was added
};

// Writes the sizes into the order's container line (its first significant line) as its width,
// length and height, and keeps everything else of that line as it is: the separators, the
// clearance, the gap, the mode, trailing text and comment. Fields the line lacks after the height
// are taken from the how-much-fits example. An order without a container line gets one, below
// the container header comment when it has one, else with that header at the top.
ContainerLineEdit WithContainerSizes(const std::vector<std::string>& lines,
                                     const ContainerSizes& sizes);

}  // namespace stowbel
