#include "cli/json_result.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

namespace stowbel {

namespace {

QJsonObject StackToJson(const PlacedStack& stack) {
    QJsonObject object{{"line", stack.line}, {"container", stack.container}};
    switch (stack.shape) {
        case StackShape::Square:
            object["shape"] = "SQR";
            object["x1"] = stack.x1;
            object["y1"] = stack.y1;
            object["x2"] = stack.x2;
            object["y2"] = stack.y2;
            break;
        case StackShape::Round:
            object["shape"] = "RND";
            object["x"] = stack.x;
            object["y"] = stack.y;
            object["d"] = stack.d;
            break;
        case StackShape::RoundLying:
            // Units lie end to end across the container from y, their axis at x along it and
            // z below the ceiling; each is length long on its axis.
            object["shape"] = "RND-LYING";
            object["x"] = stack.x;
            object["y"] = stack.y;
            object["z"] = stack.z;
            object["d"] = stack.d;
            object["length"] = stack.length;
            break;
    }
    object["count"] = stack.count;
    if (stack.mass) {
        object["mass"] = *stack.mass;
    }
    return object;
}

QJsonValue Optional(const std::optional<double>& value) {
    return value ? QJsonValue(*value) : QJsonValue();
}

// cogX and cogY are millimetres from the front wall and the first side wall, like the stacks.
QJsonObject LoadToJson(const ContainerWeight& load) {
    return QJsonObject{{"container", load.container},
                       {"mass", Optional(load.mass)},
                       {"payload", Optional(load.payload)},
                       {"cogX", Optional(load.cogX)},
                       {"cogY", Optional(load.cogY)}};
}

}  // namespace

std::string ResultToJson(const RunResult& result, const std::optional<std::string>& error) {
    QJsonArray report;
    for (const std::string& line : result.report) {
        report.append(QString::fromStdString(line));
    }
    QJsonArray stacks;
    for (const PlacedStack& stack : result.stacks) {
        stacks.append(StackToJson(stack));
    }
    QJsonArray loads;
    for (const ContainerWeight& load : result.weights) {
        loads.append(LoadToJson(load));
    }
    QJsonObject root{{"report", report},
                     {"error", error ? QJsonValue(QString::fromStdString(*error)) : QJsonValue()},
                     {"containers", result.containers},
                     {"placed", result.placed},
                     {"stacks", stacks},
                     {"containerDetails", loads}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact).toStdString();
}

}  // namespace stowbel
