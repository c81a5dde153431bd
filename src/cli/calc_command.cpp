#include "cli/calc_command.h"

#include <QDateTime>
#include <QTimeZone>
#include <filesystem>

#include "calc/run.h"
#include "cli/cli.h"
#include "cli/json_result.h"
#include "order/errors.h"
#include "order/parser.h"
#include "output/file_error.h"
#include "output/loading_plan.h"
#include "output/loading_plan_document.h"
#include "output/order_file.h"
#include "output/raster_pictures.h"
#include "output/result_files.h"
#include "scheme/scheme_painter.h"

namespace stowbel {

namespace {

std::string DescribeOrderError(const std::string& file, const OrderError& error) {
    if (dynamic_cast<const ValidationError*>(&error) != nullptr || error.LineIndex() < 0) {
        return file + ": " + error.what();  // the message names the line itself
    }
    return file + ": строка " + std::to_string(error.LineIndex() + 1) + ": " + error.what();
}

void PrintResult(const CalcRequest& request, const RunResult& result,
                 const std::optional<std::string>& error, std::ostream& out) {
    if (request.json) {
        out << ResultToJson(result, error) << "\n";
        return;
    }
    for (const std::string& line : result.report) {
        out << line << "\n";
    }
}

// The plan is dated now, or at SOURCE_DATE_EPOCH when that is set, so that builds and tests
// can make the same bytes twice.
QDateTime PlanTime() {
    bool ok = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    return ok ? QDateTime::fromSecsSinceEpoch(epoch, QTimeZone::utc())
              : QDateTime::currentDateTime();
}

void WritePlan(const CalcRequest& request, const std::vector<std::string>& lines,
               const RunResult& result, const RasterPictures& pictures, bool hman) {
    LoadingPlanInput plan = MakeLoadingPlanInput(lines, request.format, result);
    plan.orderName = PlanOrderName(request.orderFile);
    plan.createdAt = PlanTime();
    plan.overview = OverviewPicture(pictures.Images(), hman);
    WriteLoadingPlanPdf(plan, *request.planFile);
}

}  // namespace

int RunCalcCommand(const CalcRequest& request, std::ostream& out, std::ostream& err) {
    std::vector<std::string> lines;
    try {
        lines = ReadOrderFile(request.orderFile);
    } catch (const FileError& e) {
        err << "stowbel-cli: " << e.what() << "\n";
        return kExitUsage;
    }
    if (!HasSignificantLine(lines)) {
        err << "stowbel-cli: " << request.orderFile
            << ": нечего рассчитывать, в заказе нет ни одной строки кроме комментариев\n";
        return kExitOrderError;
    }

    RasterPictures pictures(request.scheme2D, request.view3D, request.summary);
    SchemePainter painter(pictures.Pictures());

    OrderModel model;
    RunResult result;
    RunOptions options;
    options.format = request.format;
    options.alternate = request.alternate;
    try {
        RunCalculation(lines, model, options, painter, result);
    } catch (const OrderError& e) {
        const std::string message = DescribeOrderError(request.orderFile, e);
        PrintResult(request, result, message, out);
        err << "stowbel-cli: " << message << "\n";
        return kExitOrderError;
    }
    PrintResult(request, result, std::nullopt, out);

    if (request.outputDirectory) {
        try {
            std::error_code ec;
            std::filesystem::create_directories(*request.outputDirectory, ec);
            if (ec) {
                throw FileError(*request.outputDirectory, ec.message());
            }
            StoreResults(*request.outputDirectory, request.orderFile, result.report,
                         pictures.Images(), model.container.HMAN);
        } catch (const FileError& e) {
            err << "stowbel-cli: " << e.what() << "\n";
            return kExitUsage;
        }
    }
    if (request.planFile) {
        try {
            WritePlan(request, lines, result, pictures, model.container.HMAN);
        } catch (const FileError& e) {
            err << "stowbel-cli: " << e.what() << "\n";
            return kExitUsage;
        }
    }
    return kExitOk;
}

}  // namespace stowbel
