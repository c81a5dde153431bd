#include "scheme/scheme_2d.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "scheme/scheme_3d.h"

namespace stowbel {

namespace {

constexpr Colour kBlack = 0;
constexpr Colour kWhite = 0xFFFFFF;
constexpr int kMinBitmapSide = 100;
constexpr int kSchemeMargin = 200;
constexpr int kReportLineHeight = 20;

void SizeBitmap(Canvas& canvas, ImageSize image) {
    canvas.Resize(std::max(image.width, kMinBitmapSide), std::max(image.height, kMinBitmapSide));
}

void Clear(Canvas& canvas, ImageSize image) {
    canvas.SetBrushColour(kWhite);
    canvas.FillRect(0, 0, image.width, image.height);
}

// Room for the container's length beside the margins, and for five containers one below the
// other. A picture too small for the margins still gets a positive scale from one pixel of room.
double SchemeScaleFor(ImageSize image, const Container& container) {
    const long double roomX = std::max(image.width - kSchemeMargin, 1);
    const long double roomY = std::max(image.height - kSchemeMargin, 1);
    const long double byLength = roomX / static_cast<long double>(container.Length);
    const long double byWidth = roomY / (5 * static_cast<long double>(container.Width));
    const long double scale = std::min(byLength, byWidth);
    return std::isfinite(scale) && scale > 0 ? static_cast<double>(scale) : 1.0;
}

void OutlineInto(Canvas& canvas, const Container& container, const SchemeGeometry& geometry) {
    canvas.SetPenColour(kBlack);
    canvas.SetPenWidth(2);
    canvas.Rectangle(geometry.SchemeX0, geometry.SchemeY0, SchemeX(geometry, container.Length),
                     SchemeY(geometry, container.Width));
    canvas.SetPenWidth(1);
}

void CrossedRectInto(Canvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.Rectangle(x1, y1, x2, y2);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
    canvas.MoveTo(x1, y2);
    canvas.LineTo(x2, y1);
}

}  // namespace

void PrepareSchemes(SchemePictures& pictures, const Container& container,
                    SchemeGeometry& geometry) {
    SizeBitmap(pictures.Scheme2D(), pictures.Scheme2DSize());
    SizeBitmap(pictures.View3D(), pictures.View3DSize());
    SizeBitmap(pictures.Summary(), pictures.SummarySize());

    FitSchemeProjection(pictures, container);

    geometry.SchemeScale = SchemeScaleFor(pictures.Scheme2DSize(), container);
    const long double width = static_cast<long double>(container.Width) * geometry.SchemeScale;
    // One container width below the 2D part, two when a second width is reserved.
    geometry.SummaryShift = RoundToInt(width + 50 + (container.ContinueFirstTwoOnly ? width : 0));

    Clear(pictures.Scheme2D(), pictures.Scheme2DSize());
    Clear(pictures.View3D(), pictures.View3DSize());
    Clear(pictures.Summary(), pictures.SummarySize());

    geometry.SchemeX0 = kSchemeLeft;
    geometry.SchemeY0 = kSchemeTop;

    DrawFirstContainer3D(pictures, container, geometry);
    DrawContainerOutline2D(pictures, container, geometry, true);
}

void DrawContainerOutline2D(SchemePictures& pictures, const Container& container,
                            const SchemeGeometry& geometry, bool includeSummary) {
    OutlineInto(pictures.Scheme2D(), container, geometry);
    if (includeSummary) {
        pictures.Summary().SetBrushColour(kWhite);
        OutlineInto(pictures.Summary(), container, geometry);
    }
}

void DrawCrossedRect(SchemePictures& pictures, int x1, int y1, int x2, int y2,
                     bool includeSummary) {
    CrossedRectInto(pictures.Scheme2D(), x1, y1, x2, y2);
    if (includeSummary) {
        CrossedRectInto(pictures.Summary(), x1, y1, x2, y2);
    }
}

void DrawStackLabel(Canvas& canvas, int x, int y, int count) {
    canvas.TextOut(x, y, std::to_string(count));
}

void DrawRoundOutline(Canvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.Ellipse(x1, y1, x2, y2);
}

void DrawCentreOfGravityMark(Canvas& canvas, int x, int y) {
    // Upright, so that it never reads as the diagonals of a unit.
    constexpr int kArm = 10;
    constexpr Colour kMarkColour = 0x0000FF;  // red
    const Colour pen = canvas.PenColour();
    const int width = canvas.PenWidth();
    canvas.SetPenColour(kMarkColour);
    canvas.SetPenWidth(2);
    canvas.MoveTo(x - kArm, y);
    canvas.LineTo(x + kArm + 1, y);
    canvas.MoveTo(x, y - kArm);
    canvas.LineTo(x, y + kArm + 1);
    canvas.SetPenColour(pen);
    canvas.SetPenWidth(width);
}

void DrawReportLines(SchemePictures& pictures, const std::vector<std::string>& lines) {
    Canvas& summary = pictures.Summary();
    summary.SetBrushColour(kWhite);
    const int height = pictures.SummarySize().height;
    const auto n = static_cast<int>(lines.size());
    for (int k = 0; k < n; ++k) {
        summary.TextOut(10, height - kReportLineHeight * (n - k),
                        lines[static_cast<std::size_t>(k)]);
    }
}

}  // namespace stowbel
