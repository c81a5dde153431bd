#include "pictures/raster_pictures.h"

#include <memory>
#include <utility>

#include <QSysInfo>

#include "calc/placement_recording.h"
#include "pictures/jpeg_encoder.h"
#include "scheme/null_canvas.h"
#include "scheme/raster_canvas.h"
#include "scheme/scheme_painter.h"

namespace stowbel {

std::shared_ptr<const DrawnPicture> RasterPictureMaker::Draw(const PlacementRecording& run,
                                                             const PictureSizes& sizes,
                                                             Picture picture) const {
    // The picture on a raster canvas, the other two on canvases that draw nothing.
    auto raster = std::make_unique<RasterCanvas>();
    const RasterCanvas& canvas = *raster;
    const auto slot = [&](Picture which) -> std::unique_ptr<Canvas> {
        if (which == picture) {
            return std::move(raster);
        }
        return std::make_unique<NullCanvas>();
    };
    std::unique_ptr<Canvas> scheme2D = slot(Picture::Scheme2D);
    std::unique_ptr<Canvas> view3D = slot(Picture::View3D);
    std::unique_ptr<Canvas> summary = slot(Picture::Summary);
    SchemePictures pictures(std::move(scheme2D), std::move(view3D), std::move(summary));
    pictures.SetImageSizes(sizes.scheme2D, sizes.view3D, sizes.summary);
    SchemePainter painter(pictures);
    run.Replay(painter);
    return std::make_shared<const DrawnPicture>(DrawnPicture{canvas.Image()});
}

std::string RasterPictureMaker::Encode(const DrawnPicture& picture) const {
    JpegEncoder encoder;
    return EncodePicture(encoder, picture.image);
}

std::string EncodePicture(JpegEncoder& encoder, const QImage& image) {
    // The canvases draw 32-bit pixels: libjpeg reads them as they lie, without a copy.
    if (image.format() == QImage::Format_RGB32) {
        const auto layout = QSysInfo::ByteOrder == QSysInfo::LittleEndian
                                ? JpegEncoder::Layout::Bgrx
                                : JpegEncoder::Layout::Xrgb;
        return encoder.Encode(image.constBits(), image.width(), image.height(),
                              static_cast<int>(image.bytesPerLine()), layout);
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    return encoder.Encode(rgb.constBits(), rgb.width(), rgb.height(),
                          static_cast<int>(rgb.bytesPerLine()));
}

}  // namespace stowbel
