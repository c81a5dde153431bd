#include "scheme/recording_canvas.h"

#include <algorithm>

namespace stowbel {

void RecordingCanvas::Record(FigureKind kind, std::vector<int> coords, std::string text) {
    figures_.push_back(
        {kind, std::move(coords), PenColour(), PenWidth(), BrushColour(), std::move(text)});
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Record(FigureKind::Rectangle, {x1, y1, x2, y2});
}

void RecordingCanvas::FillRect(int x1, int y1, int x2, int y2) {
    Record(FigureKind::FillRect, {x1, y1, x2, y2});
}

void RecordingCanvas::Polygon(const std::array<PixelPoint, 4>& points) {
    std::vector<int> coords;
    for (const PixelPoint& p : points) {
        coords.push_back(p.x);
        coords.push_back(p.y);
    }
    Record(FigureKind::Polygon, std::move(coords));
}

void RecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Record(FigureKind::Ellipse, {x1, y1, x2, y2});
}

void RecordingCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Record(FigureKind::Arc, {x1, y1, x2, y2, x3, y3, x4, y4});
}

void RecordingCanvas::TextOut(int x, int y, std::string_view text) {
    Record(FigureKind::Text, {x, y}, std::string(text));
}

void RecordingCanvas::DrawLine(PixelPoint from, PixelPoint to) {
    Record(FigureKind::Line, {from.x, from.y, to.x, to.y});
}

std::size_t RecordingCanvas::CountOf(FigureKind kind) const {
    return static_cast<std::size_t>(std::count_if(
        figures_.begin(), figures_.end(), [kind](const Figure& f) { return f.kind == kind; }));
}

}  // namespace stowbel
