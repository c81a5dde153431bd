#include "cli/json_result.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

namespace stowbel {

namespace {

// JSON text of one value.
std::string Quoted(std::string_view value) {
    std::string text = "\"";
    for (const char ch : value) {
        switch (ch) {
            case '"':
                text += "\\\"";
                break;
            case '\\':
                text += "\\\\";
                break;
            case '\b':
                text += "\\b";
                break;
            case '\f':
                text += "\\f";
                break;
            case '\n':
                text += "\\n";
                break;
            case '\r':
                text += "\\r";
                break;
            case '\t':
                text += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(ch) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
                    text += escaped;
                } else {
                    text += ch;  // UTF-8 passes as it is
                }
        }
    }
    return text + "\"";
}

std::string Integer(long long value) {
    return std::to_string(value);
}

// The shortest text that reads back as the same double; JSON has no NaN or infinity.
std::string Number(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end);
}

std::string Number(const std::optional<double>& value) {
    return value ? Number(*value) : "null";
}

std::string Array(const std::vector<std::string>& values) {
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += (i > 0 ? "," : "") + values[i];
    }
    return text + "]";
}

// An object whose members are written in the order of their keys, whatever order they are
// given in.
class Object {
public:
    Object& Add(std::string key, std::string value) {
        members_.emplace_back(std::move(key), std::move(value));
        return *this;
    }
    std::string Text() const {
        std::vector<std::pair<std::string, std::string>> sorted = members_;
        std::sort(sorted.begin(), sorted.end());
        std::string text = "{";
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            text += (i > 0 ? "," : "") + Quoted(sorted[i].first) + ":" + sorted[i].second;
        }
        return text + "}";
    }

private:
    std::vector<std::pair<std::string, std::string>> members_;
};

std::string StackToJson(const PlacedStack& stack) {
    Object object;
    object.Add("line", Integer(stack.line)).Add("container", Integer(stack.container));
    switch (stack.shape) {
        case StackShape::Rectangular:
            object.Add("shape", Quoted("SQR"))
                .Add("x1", Integer(stack.x1))
                .Add("y1", Integer(stack.y1))
                .Add("x2", Integer(stack.x2))
                .Add("y2", Integer(stack.y2));
            break;
        case StackShape::Round:
            object.Add("shape", Quoted("RND"))
                .Add("x", Number(stack.x))
                .Add("y", Number(stack.y))
                .Add("d", Number(stack.d));
            break;
        case StackShape::RoundLying:
            // Units lie end to end across the container from y, their axis at x along it and
            // z below the ceiling; each is length long on its axis.
            object.Add("shape", Quoted("RND-LYING"))
                .Add("x", Number(stack.x))
                .Add("y", Number(stack.y))
                .Add("z", Number(stack.z))
                .Add("d", Number(stack.d))
                .Add("length", Number(stack.length));
            break;
    }
    object.Add("count", Integer(stack.count));
    // A lying drum is as high as its diameter.
    object.Add("unitHeight",
               Number(stack.shape == StackShape::RoundLying ? stack.d : stack.unitHeight));
    object.Add("base", Number(stack.base));
    if (stack.mass) {
        object.Add("mass", Number(*stack.mass));
    }
    return object.Text();
}

// cogX and cogY are millimetres from the front wall and the first side wall, like the stacks.
std::string LoadToJson(const ContainerWeight& load) {
    return Object()
        .Add("container", Integer(load.container))
        .Add("mass", Number(load.mass))
        .Add("payload", Number(load.payload))
        .Add("cogX", Number(load.cogX))
        .Add("cogY", Number(load.cogY))
        .Add("cogZ", Number(load.cogZ))
        .Text();
}

}  // namespace

std::string ResultToJson(const RunResult& result, const std::optional<JobError>& error) {
    std::vector<std::string> report;
    for (const std::string& line : result.report) {
        report.push_back(Quoted(line));
    }
    std::vector<std::string> stacks;
    for (const PlacedStack& stack : result.stacks) {
        stacks.push_back(StackToJson(stack));
    }
    std::vector<std::string> loads;
    for (const ContainerWeight& load : result.weights) {
        loads.push_back(LoadToJson(load));
    }
    return Object()
        .Add("report", Array(report))
        .Add("error", error ? Quoted(error->message) : "null")
        .Add("errorLine", error && error->line > 0 ? Integer(error->line) : "null")
        .Add("containers", Integer(result.containers))
        .Add("placed", Integer(result.placed))
        .Add("stacks", Array(stacks))
        .Add("containerDetails", Array(loads))
        .Add("method", Quoted(result.method == PlanMethod::Dense ? "dense" : "rows"))
        .Text();
}

}  // namespace stowbel
