#pragma once

#include <string>

namespace stowbel {

// The result path of an order file: the output directory, "r", and the order file's name
// without its directory, one leading lowercase "t" dropped, extension kept. The pictures are
// stored beside it as path + "2d.jpg", "3d.jpg" and ".jpg".
std::string ResultPath(const std::string& outputDirectory, const std::string& orderFile);

// Where the order file's printable loading plan is stored beside its other results: the result
// path with ".pdf" appended, beside r0001.txt.jpg as r0001.txt.pdf.
std::string PlanPath(const std::string& outputDirectory, const std::string& orderFile);

}  // namespace stowbel
