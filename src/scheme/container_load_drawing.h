#pragma once

#include <variant>
#include <vector>

#include "calc/placement_observer.h"
#include "scheme/scheme_pictures.h"

namespace stowbel {

// One placement the run told, with the colour it was told in.
struct HeldPlacement {
    std::variant<StackEvent, RoundEvent, LyingRoundEvent> what;
    Colour colour = 0;
};

struct ContainerLoadOptions {
    bool in3D = true;     // the container has its cell and its box in the 3D pictures
    bool summary = true;  // the summary picture shows units
};

// Draws everything one container holds at once, by place rather than in the order it was told:
// in 3D each unit at its height, farther solids first so that nearer ones cover them; in the
// top view the stacks from the floor up, so that what stands higher covers what it stands on,
// each stack with its number of units. Units come out in the rows' style: in the 2D scheme in
// their colour on white, in the summary black on their colour. Leaves the 2D scheme's pen in
// the colour it found.
void DrawContainerLoad(SchemePictures& pictures, const Container& spec,
                       const SchemeGeometry& geometry, const std::vector<HeldPlacement>& load,
                       const ContainerLoadOptions& options);

}  // namespace stowbel
