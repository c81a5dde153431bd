#pragma once

#include <string>
#include <vector>

#include "order/container_sizes.h"

namespace stowbel {

// The list of common containers and truck bodies, a text file beside the program that a desk
// edits: one preset a line, "name; inner length; width; height" in whole millimetres.
inline constexpr const char* kContainerPresetsFile = "Stowbel_Containers.txt";

struct ContainerPreset {
    std::string name;
    ContainerSizes sizes;
};

// The presets that read well, and a Russian message naming the file and the line for every line
// that did not (or for a file that is missing or unreadable).
struct ContainerPresetList {
    std::vector<ContainerPreset> presets;
    std::vector<std::string> problems;
};

// Blank lines and comments ("//" to the end of the line) are skipped.
ContainerPresetList ParseContainerPresets(const std::vector<std::string>& lines,
                                          const std::string& fileName);

// Reads the file as order files are read (UTF-8, else Windows-1251).
ContainerPresetList ReadContainerPresets(const std::string& path);

}  // namespace stowbel
