#pragma once

#include <string>
#include <vector>

#include "calc/placement_observer.h"
#include "scheme/scheme_pictures.h"

namespace stowbel {

// Draws what a calculation run places into the three pictures, in the order the run tells it.
class SchemePainter : public PlacementObserver {
public:
    // Containers after this one get no outline and no 3D box.
    static constexpr int kMaxDrawnContainers = 6;
    // From this cargo line on, block C and round units appear in the 2D scheme only.
    static constexpr int kMaxTypeCountIn3D = 4;

    explicit SchemePainter(SchemePictures& pictures) : pictures_(pictures) {}

    void RunPrepared(const Container& spec) override;
    void TypeColourSet(Colour colour) override;
    void ContainerBegun(int number) override;
    void StackPlaced(const StackEvent& stack) override;
    void RoundPlaced(const RoundEvent& unit) override;
    void LyingRoundPlaced(const LyingRoundEvent& unit) override;
    void ContainerWeighed(const ContainerWeight& load) override;
    void ReportComplete(const std::vector<std::string>& lines) override;

    const SchemeGeometry& Geometry() const { return geometry_; }

private:
    SchemePictures& pictures_;
    Container spec_;
    SchemeGeometry geometry_;
    Colour typeColour_ = 0;
    int containerNumber_ = 1;
};

}  // namespace stowbel
