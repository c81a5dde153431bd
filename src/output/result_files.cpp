#include "output/result_files.h"

#include <QImage>

#include "output/jpeg_encoder.h"

namespace stowbel {

std::string ResultPath(const std::string& outputDirectory, const std::string& orderFile) {
    std::string name = orderFile.substr(orderFile.rfind('/') + 1);
    if (!name.empty() && name.front() == 't') {
        name.erase(0, 1);
    }
    std::string path = outputDirectory;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path + "r" + name;
}

std::string EncodePicture(JpegEncoder& encoder, const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    return encoder.Encode(rgb.constBits(), rgb.width(), rgb.height(),
                          static_cast<int>(rgb.bytesPerLine()));
}

}  // namespace stowbel
