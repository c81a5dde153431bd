#pragma once

#include "output/result_files.h"
#include "scheme/raster_canvas.h"
#include "scheme/scheme_pictures.h"

namespace stowbel {

// The three pictures of a run drawn with QPainter: the program shows and stores them, the tools
// only store them.
class RasterPictures {
public:
    RasterPictures(ImageSize scheme2D = kDefaultScheme2DSize, ImageSize view3D = kDefaultView3DSize,
                   ImageSize summary = kDefaultSummarySize);

    SchemePictures& Pictures() { return pictures_; }
    const SchemePictures& Pictures() const { return pictures_; }
    RunPictures Images() const { return {scheme2D_->Image(), view3D_->Image(), summary_->Image()}; }
    const RasterCanvas& Scheme2D() const { return *scheme2D_; }
    const RasterCanvas& View3D() const { return *view3D_; }

private:
    RasterCanvas* scheme2D_;
    RasterCanvas* view3D_;
    RasterCanvas* summary_;
    SchemePictures pictures_;
};

}  // namespace stowbel
