#pragma once

#include "cli/cli.h"
#include "output/pdf_plan_writer.h"
#include "output/raster_pictures.h"

namespace stowbel {

// What stowbel-cli-draw gives the commands that draw; the test programs have the GUI
// application that drawing needs.
inline const Drawing* TestDrawing() {
    static const RasterPictureMaker pictures;
    static const PdfPlanWriter plans;
    static const Drawing drawing{pictures, plans};
    return &drawing;
}

}  // namespace stowbel
