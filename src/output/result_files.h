#pragma once

#include <string>

class QImage;

namespace stowbel {

class JpegEncoder;

// The result path of an order file: the output directory, "r", and the order file's name
// without its directory, one leading lowercase "t" dropped, extension kept. The pictures are
// stored beside it as path + "2d.jpg", "3d.jpg" and ".jpg".
std::string ResultPath(const std::string& outputDirectory, const std::string& orderFile);

// One picture as the bytes of a JPEG file.
std::string EncodePicture(JpegEncoder& encoder, const QImage& image);

}  // namespace stowbel
