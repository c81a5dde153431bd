#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/run_result.h"
#include "order/model.h"
#include "order/number_format.h"

namespace stowbel {

// One cargo line of the order as a plan names it.
struct PlanCargoLine {
    int line = 0;    // 0-based index of the line in the order text
    CargoType type;  // as the order gives it, before any exchange of length and height
    std::optional<double> unitMass;  // kg of one unit, when the order gives it
};

// One row of a container's loading list: one floor position (or, for lying drums, one row of
// drums end to end), in the order the loaders put them in.
struct LoadingListRow {
    int number = 0;  // from 1 within the container
    PlacedStack stack;
    std::size_t resultIndex = 0;  // of the stack in RunResult::stacks
    // Millimetres from the front wall and from the first side wall to the stack's near edges.
    long long x = 0;
    long long y = 0;
    long long bottom = 0;  // lying drums: height of the row's lowest point above the floor
    long long base = 0;    // height above the floor where the stack's lowest unit stands
    std::string sizes;     // "1200×800×2100": length, width, height as the order line gives them
    // "вдоль", "поперёк", "торцем, вдоль", "торцем, поперёк", "стоя", or "лёжа, низ 600" with
    // the height of the row's lowest point above the floor
    std::string lay;
    std::optional<double> mass;  // kg of all units of the row
    // A row that stands for a run of identical stacks (see GroupIdenticalRows): the number of
    // the last of them and the farthest near edges; 0 for a row of one stack.
    int lastNumber = 0;
    long long xLast = 0;
    long long yLast = 0;
};

// The stacks of one container (numbered from 1) in loading order. A plan by the rows: from the
// front wall toward the door, at the same distance from the floor up, then across from the first
// side wall. A plan that stands stacks on other cargo: every stack after everything it stands on
// and everything between it and the front wall (see LoaderOrder).
std::vector<LoadingListRow> MakeLoadingList(const RunResult& result, int container,
                                            const Container& spec,
                                            const std::vector<PlanCargoLine>& cargo,
                                            const NumberFormat& format);

// A list for reading when it is long: each run of consecutive rows of the same cargo line, laid
// the same way with as many units, becomes one row "15-40" that keeps the first row's place and
// notes the last's. The views still number every stack.
std::vector<LoadingListRow> GroupIdenticalRows(const std::vector<LoadingListRow>& rows);

// The cargo line of the order text at a line index, or nullptr.
const PlanCargoLine* FindCargoLine(const std::vector<PlanCargoLine>& cargo, int line);

// What one unit of a stack may carry on top, as the lists write it: "не штабелировать" for 0,
// else the limit in kg as a number; empty when its line gives no limit.
std::string LoadLimitText(const std::optional<double>& limit, const NumberFormat& format);

// "1200×800×2100": length, width and height as the order line gives them.
std::string CargoSizes(const PlanCargoLine& cargo, const NumberFormat& format);

// A cargo line of which the run left units unplaced.
struct NotLoadedLine {
    int type = 0;  // the cargo line's number in the report ("Заказ n"), from 1
    const PlanCargoLine* cargo = nullptr;
    int ordered = 0;
    int placed = 0;
    int Left() const { return ordered - placed; }
};
// The cargo lines, in order, with units that found no place.
std::vector<NotLoadedLine> NotLoadedLines(const RunResult& result,
                                          const std::vector<PlanCargoLine>& cargo);

// The mass of one container as the run weighed it: known when every unit in it has a mass.
std::optional<double> ContainerMass(const RunResult& result, int container);

}  // namespace stowbel
