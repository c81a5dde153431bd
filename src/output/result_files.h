#pragma once

#include <string>
#include <vector>

#include <QImage>

namespace stowbel {

// The result path of an order file: the output directory, "r", and the order file's name
// without its directory, one leading lowercase "t" dropped, extension kept.
std::string ResultPath(const std::string& outputDirectory, const std::string& orderFile);

struct RunPictures {
    const QImage& scheme2D;
    const QImage& view3D;
    const QImage& summary;
};

// The files of one calculation: the report at the result path, the 2D and 3D schemes at
// path + "2d.jpg" and "3d.jpg" and, unless hman, the summary picture at path + ".jpg". Written
// in that order, each replacing its old file whole; the first failure ends the command with a
// FileError and the files already written stay. Returns the paths written.
std::vector<std::string> StoreResults(const std::string& outputDirectory,
                                      const std::string& orderFile,
                                      const std::vector<std::string>& report,
                                      const RunPictures& pictures, bool hman);

// One picture as a JPEG file.
std::string EncodePicture(class JpegEncoder& encoder, const QImage& image);

}  // namespace stowbel
