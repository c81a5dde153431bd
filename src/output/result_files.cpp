#include "output/result_files.h"

#include <stdexcept>

#include "output/atomic_file.h"
#include "output/file_error.h"
#include "output/jpeg_encoder.h"
#include "output/report_file.h"

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

std::vector<std::string> StoreResults(const std::string& outputDirectory,
                                      const std::string& orderFile,
                                      const std::vector<std::string>& report,
                                      const RunPictures& pictures, bool hman) {
    const std::string base = ResultPath(outputDirectory, orderFile);
    std::vector<std::string> written;
    SaveReport(base, report);
    written.push_back(base);

    JpegEncoder encoder;
    const auto store = [&](const QImage& image, const std::string& path) {
        std::string bytes;
        try {
            bytes = EncodePicture(encoder, image);
        } catch (const std::runtime_error& e) {
            throw FileError(path, e.what());
        }
        WriteFileAtomically(path, bytes);
        written.push_back(path);
    };
    store(pictures.scheme2D, base + "2d.jpg");
    store(pictures.view3D, base + "3d.jpg");
    if (!hman) {
        store(pictures.summary, base + ".jpg");
    }
    return written;
}

}  // namespace stowbel
