#pragma once

#include <QImage>
#include <memory>
#include <string>

#include "pictures/picture_maker.h"

namespace stowbel {

class JpegEncoder;

// A picture drawn with QPainter.
struct DrawnPicture {
    QImage image;
};

// Draws the pictures of a run with QPainter and encodes them as baseline JPEG files. Needs a
// GUI application object for the fonts. Each call draws or encodes on its own, so several
// threads can use one maker at once.
class RasterPictureMaker : public PictureMaker {
public:
    std::shared_ptr<const DrawnPicture> Draw(const PlacementRecording& run,
                                             const PictureSizes& sizes,
                                             Picture picture) const override;
    std::string Encode(const DrawnPicture& picture) const override;
};

// One picture as the bytes of a JPEG file.
std::string EncodePicture(JpegEncoder& encoder, const QImage& image);

// The image of a drawn picture, or a null image when there is none.
inline QImage ImageOf(const std::shared_ptr<const DrawnPicture>& picture) {
    return picture ? picture->image : QImage();
}

}  // namespace stowbel
