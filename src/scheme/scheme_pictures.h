#pragma once

#include <memory>
#include <utility>

#include "scheme/canvas.h"
#include "scheme/projection.h"

namespace stowbel {

struct ImageSize {
    int width = 0;
    int height = 0;
};

// The summary picture is never shown: it always has this size unless a tool is told otherwise.
inline constexpr ImageSize kDefaultSummarySize{1112, 760};
// Sizes of the shown pictures when nobody shows them (the command-line tool, watch mode).
inline constexpr ImageSize kDefaultScheme2DSize{1000, 761};
inline constexpr ImageSize kDefaultView3DSize = kDefaultSummarySize;

// In HMAN mode the summary picture shows the containers without their units; the 2D scheme then
// shows the load at a glance in its place.
inline bool SummaryShowsUnits(const Container& container) {
    return !container.HowManyContainers;
}

// Where the first container's outline begins in the 2D scheme, in pixels.
inline constexpr int kSchemeLeft = 100;
inline constexpr int kSchemeTop = 50;

// The three pictures of a run: the 2D loading scheme, the main 3D view and the summary picture
// (2D scheme on top, a second 3D view below, the report lines at the bottom), with the one 3D
// projection that serves them. The image sizes are what the pictures are shown at; every run
// sizes the bitmaps from them.
class SchemePictures {
public:
    SchemePictures(std::unique_ptr<Canvas> scheme2D, std::unique_ptr<Canvas> view3D,
                   std::unique_ptr<Canvas> summary)
        : scheme2D_(std::move(scheme2D)),
          view3D_(std::move(view3D)),
          summary_(std::move(summary)) {}

    void SetImageSizes(ImageSize scheme2D, ImageSize view3D, ImageSize summary) {
        scheme2DSize_ = scheme2D;
        view3DSize_ = view3D;
        summarySize_ = summary;
    }

    Canvas& Scheme2D() { return *scheme2D_; }
    Canvas& View3D() { return *view3D_; }
    Canvas& Summary() { return *summary_; }
    const Canvas& Scheme2D() const { return *scheme2D_; }
    const Canvas& View3D() const { return *view3D_; }
    const Canvas& Summary() const { return *summary_; }

    ImageSize Scheme2DSize() const { return scheme2DSize_; }
    ImageSize View3DSize() const { return view3DSize_; }
    ImageSize SummarySize() const { return summarySize_; }

    ProjectionState& Projection() { return projection_; }
    const ProjectionState& Projection() const { return projection_; }

private:
    std::unique_ptr<Canvas> scheme2D_;
    std::unique_ptr<Canvas> view3D_;
    std::unique_ptr<Canvas> summary_;
    ImageSize scheme2DSize_ = kDefaultScheme2DSize;
    ImageSize view3DSize_ = kDefaultView3DSize;
    ImageSize summarySize_ = kDefaultSummarySize;
    ProjectionState projection_;
};

// Where the current container lies in the pictures of a run.
struct SchemeGeometry {
    double SchemeScale = 0;      // pixels per mm of the 2D scheme
    int SchemeX0 = kSchemeLeft;  // left edge of every container in the 2D scheme
    int SchemeY0 = kSchemeTop;   // upper edge of the current container in the 2D scheme
    int SummaryShift = 0;        // the 3D part of the summary picture lies this far down
    int Origin3DX = 0;           // top-left corner of the current container's 3D cell
    int Origin3DY = 0;
};

}  // namespace stowbel
