#include "scheme/scheme_painter.h"

#include "order/rounding.h"
#include "scheme/primitives3d.h"
#include "scheme/scheme_2d.h"
#include "scheme/scheme_3d.h"

namespace stowbel {

namespace {

// Stack numbers sit a little up and left of the point they label.
constexpr int kLabelShiftX = 3;
constexpr int kLabelShiftY = 4;

}  // namespace

void SchemePainter::RunPrepared(const Container& container) {
    container_ = container;
    containerNumber_ = 1;
    method_ = PlanMethod::Rows;
    held_.clear();
    geometry_ = SchemeGeometry{};
    PrepareSchemes(pictures_, container_, geometry_);
}

void SchemePainter::MethodChosen(PlanMethod method) {
    method_ = method;
}

void SchemePainter::DrawHeldLoad() {
    if (held_.empty()) {
        return;
    }
    DrawContainerLoad(pictures_, container_, geometry_, held_,
                      {containerNumber_ <= kMaxDrawnContainers, SummaryShowsUnits(container_)});
    held_.clear();
}

void SchemePainter::TypeColourSet(Colour colour) {
    typeColour_ = colour;
    pictures_.Scheme2D().SetPenColour(colour);
}

void SchemePainter::ContainerBegun(int number) {
    DrawHeldLoad();
    containerNumber_ = number;
    geometry_.SchemeY0 +=
        RoundToInt(container_.Width * static_cast<long double>(geometry_.SchemeScale)) + 20;
    StepContainerCell(pictures_, geometry_, number);
    if (number <= kMaxDrawnContainers) {
        DrawContainerOutline2D(pictures_, container_, geometry_, SummaryShowsUnits(container_));
        DrawContainerBoxes3D(pictures_, container_, geometry_, SummaryShowsUnits(container_));
    }
    pictures_.Scheme2D().SetPenColour(typeColour_);
}

void SchemePainter::StackPlaced(const StackEvent& stack) {
    if (ByPlace()) {
        held_.push_back({stack, typeColour_});
        return;
    }
    const bool in3D = stack.block != StackBlock::C || stack.typeCount <= kMaxTypeCountIn3D;
    const bool summary = SummaryShowsUnits(container_);
    const auto layer3D = [&](int layer) {
        if (in3D) {
            DrawUnitBox3D(pictures_, container_, geometry_, stack.x1, stack.y1, stack.x2, stack.y2,
                          {layer, stack.unitHeight, stack.base}, typeColour_, summary);
        }
    };

    layer3D(1);
    DrawCrossedRect(pictures_, SchemeX(geometry_, stack.x1), SchemeY(geometry_, stack.y1),
                    SchemeX(geometry_, stack.x2), SchemeY(geometry_, stack.y2), summary);
    if (stack.labelled) {
        const int x = SchemeX(geometry_, stack.labelX) - kLabelShiftX;
        const int y = SchemeY(geometry_, stack.labelY) - kLabelShiftY;
        DrawStackLabel(pictures_.Scheme2D(), x, y, stack.count);
        if (summary) {
            DrawStackLabel(pictures_.Summary(), x, y, stack.count);
        }
    }
    for (int layer = 2; layer <= stack.count; ++layer) {
        layer3D(layer);
    }
}

void SchemePainter::RoundPlaced(const RoundEvent& unit) {
    if (ByPlace()) {
        held_.push_back({unit, typeColour_});
        return;
    }
    const bool in3D = unit.typeCount <= kMaxTypeCountIn3D;
    const bool summary = SummaryShowsUnits(container_);
    const long double r = unit.diameter / 2.0L;
    const int x1 = SchemeX(geometry_, unit.x - r);
    const int y1 = SchemeY(geometry_, unit.y - r);
    const int x2 = SchemeX(geometry_, unit.x + r);
    const int y2 = SchemeY(geometry_, unit.y + r);
    const auto layer3D = [&](int layer) {
        DrawUnitCylinder3D(pictures_, container_, geometry_, unit.x, unit.y,
                           {layer, unit.unitHeight, 0}, unit.diameter, typeColour_, summary);
    };

    DrawRoundOutline(pictures_.Scheme2D(), x1, y1, x2, y2);
    if (in3D) {
        layer3D(1);
    }
    if (unit.count >= 2) {
        DrawStackLabel(pictures_.Scheme2D(), SchemeX(geometry_, unit.x), SchemeY(geometry_, unit.y),
                       unit.count);
        for (int layer = 2; layer <= unit.count && in3D; ++layer) {
            layer3D(layer);
        }
    }
    if (summary) {
        DrawRoundOutline(pictures_.Summary(), x1, y1, x2, y2);
    }
}

void SchemePainter::LyingRoundPlaced(const LyingRoundEvent& unit) {
    if (ByPlace()) {
        held_.push_back({unit, typeColour_});
        return;
    }
    // Lying units appear in the main 3D view only: axis across the container, caps upright.
    if (unit.typeCount > kMaxTypeCountIn3D) {
        return;
    }
    const double radius = unit.diameter / 2;
    for (int i = 0; i < unit.count; ++i) {
        // The lying frame (u, v, w) shows the scene point (u, -w, v): the caps at scene y0 and
        // y0 + length become w = -y0 and w = -y0 - length; the far cap, drawn last, is seen.
        const long double y0 = unit.y + static_cast<long double>(i) * unit.axisLength;
        DrawLyingCylinder3D(pictures_.View3D(),
                            {pictures_.Projection(), geometry_.Origin3DX, geometry_.Origin3DY},
                            {static_cast<double>(unit.x), static_cast<double>(unit.z),
                             static_cast<double>(-y0), radius, unit.axisLength, typeColour_});
    }
}

void SchemePainter::ContainerWeighed(const ContainerWeight& load) {
    DrawHeldLoad();  // the mark goes over the units
    // Only a container that has its outline gets a mark, and only when its centre is known.
    if (!load.cogX || !load.cogY || containerNumber_ > kMaxDrawnContainers) {
        return;
    }
    DrawCentreOfGravityMark(pictures_.Scheme2D(), SchemeX(geometry_, *load.cogX),
                            SchemeY(geometry_, *load.cogY));
}

void SchemePainter::ReportComplete(const std::vector<std::string>& lines) {
    DrawHeldLoad();
    DrawReportLines(pictures_, lines);
}

}  // namespace stowbel
