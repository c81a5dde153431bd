#include "plan/loading_plan.h"

#include <filesystem>

#include "order/rounding.h"
#include "pictures/raster_pictures.h"

#ifndef STOWBEL_VERSION
#error "STOWBEL_VERSION is set by the build"
#endif

namespace stowbel {

namespace {

std::string Millimetres(double value, const NumberFormat& format) {
    return FormatGeneral(value, format) + " мм";
}

std::string ModeInWords(const Container& container) {
    if (container.HowManyContainers && container.ContinueFirstTwoOnly) {
        return "HMAN и IDBL: сколько контейнеров нужно, с ограничениями IDBL";
    }
    if (container.HowManyContainers) {
        return "HMAN: сколько контейнеров нужно";
    }
    if (container.ContinueFirstTwoOnly) {
        return "IDBL: в следующий контейнер переходят только первые два груза";
    }
    return "ISIN: сколько груза входит в один контейнер";
}

}  // namespace

std::string PlanOrderName(const std::string& orderFile, std::string_view exampleName) {
    if (!orderFile.empty()) {
        return std::filesystem::path(orderFile).filename().string();
    }
    if (!exampleName.empty()) {
        return "Пример " + std::string(exampleName);
    }
    return "Новый заказ";
}

LoadingPlanInput MakeLoadingPlanInput(const CalculationRecord& record) {
    LoadingPlanInput input;
    input.format = record.options.format;
    input.result = record.run;
    input.program = ProgramNameAndVersion();
    if (!record.run.calculated) {
        return input;  // the container line did not read
    }
    input.container = record.order.container;
    input.payload = input.container.Payload;
    for (const int line : record.order.cargoLines) {
        const CargoType& type = record.order.cargo.at(static_cast<std::size_t>(line));
        input.cargo.push_back({line, type, type.UnitMass});
    }
    return input;
}

QImage OverviewImage(const RunPictures& pictures, const Container& container) {
    return ImageOf(pictures[OverviewPicture(container)]);
}

std::string ProgramNameAndVersion() {
    return std::string("Stowbel ") + STOWBEL_VERSION;
}

PlanTotals ComputePlanTotals(const LoadingPlanInput& input) {
    PlanTotals totals;
    totals.containers = input.result.containers;
    totals.placed = input.result.placed;
    long long ordered = 0;
    for (const PlanCargoLine& line : input.cargo) {
        ordered += line.type.Quantity;
    }
    totals.notPlaced = static_cast<int>(std::max(0LL, ordered - totals.placed));
    if (input.result.stacks.empty()) {
        return totals;
    }
    double mass = 0;
    for (const ContainerWeight& weight : input.result.weights) {
        if (!weight.mass) {
            return totals;
        }
        mass += *weight.mass;
    }
    totals.mass = mass;
    return totals;
}

std::string DescribeContainer(const LoadingPlanInput& input) {
    const Container& c = input.container;
    const NumberFormat& f = input.format;
    std::string text = "Контейнер внутри: длина " + Millimetres(c.Length, f) + ", ширина " +
                       Millimetres(c.Width, f) + ", высота " + Millimetres(c.Height, f) +
                       "; отступ от боковых стенок " + Millimetres(c.SideClearance, f) +
                       ", зазор между местами " + Millimetres(c.UnitGap, f) + "; режим " +
                       ModeInWords(c);
    if (input.payload) {
        text += "; грузоподъёмность " + FormatMass(*input.payload, f) + " кг";
    }
    return text + ".";
}

std::string FormatMass(double kg, const NumberFormat& format) {
    return FormatGeneral(static_cast<double>(Round(kg)), format);
}

}  // namespace stowbel
