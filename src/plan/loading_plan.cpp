#include "plan/loading_plan.h"

#include <filesystem>

#include "order/errors.h"
#include "order/parser.h"
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

LoadingPlanInput MakeLoadingPlanInput(const std::vector<std::string>& lines,
                                      const NumberFormat& format, const RunResult& result) {
    LoadingPlanInput input;
    input.format = format;
    input.result = result;
    input.program = ProgramNameAndVersion();
    bool containerRead = false;
    CargoTable table;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = StripComment(lines[i]);
        if (text.empty()) {
            continue;
        }
        const int index = static_cast<int>(i);
        try {
            if (!containerRead) {
                ParseContainerLine(text, index, format, input.container);
                input.payload = input.container.Payload;
                containerRead = true;
                continue;
            }
            ParseCargoLine(text, index, format, table);
        } catch (const OrderError&) {
            break;
        }
        input.cargo.push_back({index, table[i], table[i].UnitMass});
    }
    return input;
}

QImage OverviewPicture(const RunPictures& pictures, bool hman) {
    return ImageOf(hman ? pictures.scheme2D : pictures.summary);
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
    double mass = 0;
    for (const PlacedStack& stack : input.result.stacks) {
        const PlanCargoLine* line = FindCargoLine(input.cargo, stack.line);
        if (line == nullptr || !line->unitMass) {
            return totals;
        }
        mass += *line->unitMass * stack.count;
    }
    if (!input.result.stacks.empty()) {
        totals.mass = mass;
    }
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
