#include "cli/json_result.h"

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

namespace stowbel {

namespace {

// Members are kept in the order of their keys (a std::map), whatever order they are set in.
using Json = nlohmann::json;

// A number as the shortest text that reads back as the same double; JSON has no NaN or
// infinity. A whole number is written as an integer ("1000", not "1000.0").
Json Number(double value) {
    if (!std::isfinite(value)) {
        return nullptr;
    }
    constexpr double kExactIntegers = 9007199254740992.0;  // 2^53
    if (std::trunc(value) == value && std::fabs(value) < kExactIntegers) {
        return static_cast<std::int64_t>(value);
    }
    return value;
}

Json Number(const std::optional<double>& value) {
    return value ? Number(*value) : Json(nullptr);
}

Json StackToJson(const PlacedStack& stack) {
    Json object = {{"line", stack.line}, {"container", stack.container}};
    switch (stack.shape) {
        case StackShape::Rectangular:
            object["shape"] = "SQR";
            object["x1"] = stack.x1;
            object["y1"] = stack.y1;
            object["x2"] = stack.x2;
            object["y2"] = stack.y2;
            break;
        case StackShape::Round:
            object["shape"] = "RND";
            object["x"] = Number(stack.x);
            object["y"] = Number(stack.y);
            object["d"] = Number(stack.d);
            break;
        case StackShape::RoundLying:
            // Units lie end to end across the container from y, their axis at x along it and
            // z below the ceiling; each is length long on its axis.
            object["shape"] = "RND-LYING";
            object["x"] = Number(stack.x);
            object["y"] = Number(stack.y);
            object["z"] = Number(stack.z);
            object["d"] = Number(stack.d);
            object["length"] = Number(stack.length);
            break;
    }
    object["count"] = stack.count;
    // A lying drum is as high as its diameter.
    object["unitHeight"] =
        Number(stack.shape == StackShape::RoundLying ? stack.d : stack.unitHeight);
    object["base"] = Number(stack.base);
    if (stack.mass) {
        object["mass"] = Number(*stack.mass);
    }
    if (stack.loadLimit) {
        object["loadLimit"] = Number(*stack.loadLimit);  // kg one unit may carry on top
    }
    return object;
}

// cogX and cogY are millimetres from the front wall and the first side wall, like the stacks.
Json LoadToJson(const ContainerWeight& load) {
    return {{"container", load.container},     {"mass", Number(load.mass)},
            {"payload", Number(load.payload)}, {"cogX", Number(load.cogX)},
            {"cogY", Number(load.cogY)},       {"cogZ", Number(load.cogZ)}};
}

}  // namespace

std::string ResultToJson(const RunResult& result, const std::optional<JobError>& error) {
    Json stacks = Json::array();
    for (const PlacedStack& stack : result.stacks) {
        stacks.push_back(StackToJson(stack));
    }
    Json loads = Json::array();
    for (const ContainerWeight& load : result.weights) {
        loads.push_back(LoadToJson(load));
    }
    const Json document = {
        {"report", result.report},
        {"error", error ? Json(error->message) : Json(nullptr)},
        {"errorLine", error && error->line > 0 ? Json(error->line) : Json(nullptr)},
        {"containers", result.containers},
        {"placed", result.placed},
        {"stacks", stacks},
        {"containerDetails", loads},
        {"method", result.method == PlanMethod::Dense ? "dense" : "rows"},
    };
    // Compact, UTF-8 as it is; bytes that are not UTF-8 (only a file name can carry them)
    // become U+FFFD instead of making the document unreadable.
    return document.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace stowbel
