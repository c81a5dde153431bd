#pragma once

#include "cli/cli.h"
#include "pictures/raster_pictures.h"
#include "plan/pdf_plan_writer.h"

namespace stowbel {

// What stowbel-cli-draw gives the commands that draw; the test programs have the GUI
// application that drawing needs.
inline Drawing TestDrawing() {
    static const RasterPictureMaker pictures;
    static const PdfPlanWriter plans;
    return {pictures, plans};
}

}  // namespace stowbel
