#include "output/raster_pictures.h"

#include <memory>

namespace stowbel {

namespace {

std::unique_ptr<Canvas> NewCanvas(RasterCanvas*& keep) {
    auto canvas = std::make_unique<RasterCanvas>();
    keep = canvas.get();
    return canvas;
}

}  // namespace

RasterPictures::RasterPictures(ImageSize scheme2D, ImageSize view3D, ImageSize summary)
    : pictures_(NewCanvas(scheme2D_), NewCanvas(view3D_), NewCanvas(summary_)) {
    pictures_.SetImageSizes(scheme2D, view3D, summary);
}

}  // namespace stowbel
