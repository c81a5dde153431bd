#pragma once

#include <string>
#include <vector>

#include "calc/placement_observer.h"
#include "scheme/container_load_drawing.h"
#include "scheme/scheme_pictures.h"

namespace stowbel {

// Draws what a calculation run places into the three pictures. A plan by the rows is drawn in
// the order the run tells it. A plan of another method is drawn container by container when the
// run leaves each, by place (see DrawContainerLoad): everything a drawn container holds, at its
// height.
class SchemePainter : public PlacementObserver {
public:
    // Containers after this one get no outline and no 3D box.
    static constexpr int kMaxDrawnContainers = 6;
    // Rows: from this cargo line on, block C and round units appear in the 2D scheme only.
    static constexpr int kMaxTypeCountIn3D = 4;

    explicit SchemePainter(SchemePictures& pictures) : pictures_(pictures) {}

    void RunPrepared(const Container& container) override;
    void MethodChosen(PlanMethod method) override;
    void TypeColourSet(Colour colour) override;
    void ContainerBegun(int number) override;
    void StackPlaced(const StackEvent& stack) override;
    void RoundPlaced(const RoundEvent& unit) override;
    void LyingRoundPlaced(const LyingRoundEvent& unit) override;
    void ContainerWeighed(const ContainerWeight& load) override;
    void ReportComplete(const std::vector<std::string>& lines) override;

    const SchemeGeometry& Geometry() const { return geometry_; }

private:
    bool ByPlace() const { return method_ != PlanMethod::Rows; }
    // Draws what the current container holds, when it is drawn by place.
    void DrawHeldLoad();

    SchemePictures& pictures_;
    Container container_;
    SchemeGeometry geometry_;
    Colour typeColour_ = 0;
    int containerNumber_ = 1;
    PlanMethod method_ = PlanMethod::Rows;
    std::vector<HeldPlacement> held_;  // the current container's placements, drawn by place
};

}  // namespace stowbel
