#include "cli/calc_command.h"

#include <optional>
#include <utility>
#include <vector>

#include "cli/cli.h"
#include "cli/json_result.h"
#include "files/file_error.h"
#include "files/order_file.h"

namespace stowbel {

namespace {

std::string DescribeError(const std::string& file, const JobError& error) {
    if (error.kind == JobError::Kind::File) {
        return error.message;  // names the file that could not be written
    }
    if (error.line > 0) {
        return file + ": строка " + std::to_string(error.line) + ": " + error.message;
    }
    return file + ": " + error.message;
}

}  // namespace

int RunCalcCommand(const CalcRequest& request, std::ostream& out, std::ostream& err,
                   const DrawingSource& drawing) {
    std::vector<std::string> lines;
    try {
        lines = ReadOrderFile(request.orderFile);
    } catch (const FileError& e) {
        err << "stowbel-cli: " << e.what() << "\n";
        return kExitUsage;
    }

    CalculationJob job;
    job.SetOrderLines(lines)
        .SetNumberFormat(request.format)
        .SetAlternate(request.alternate)
        .SetPlanMethod(request.method)
        .SetDenseSettings(DenseSettings::WithTimeLimit(request.timeLimitSeconds))
        .SetPictureSizes(request.sizes);
    // Only what is stored or printed is drawn: a calculation alone draws nothing.
    std::optional<Drawing> tools;
    if (request.outputDirectory || request.planFile) {
        tools.emplace(drawing());
        job.SetPictureMaker(&tools->pictures);
    }
    job.SetOrderName(request.orderFile);
    if (request.outputDirectory) {
        job.StoreResultsIn(*request.outputDirectory, request.orderFile);
    }
    if (request.planFile) {
        job.WritePlan(&tools->plans, *request.planFile);
    }
    const JobResult result = job.Run();

    if (request.json) {
        out << ResultToJson(result.run, result.error) << "\n";
    } else {
        for (const std::string& line : result.run.report) {
            out << line << "\n";
        }
    }
    if (result.error) {
        err << "stowbel-cli: " << DescribeError(request.orderFile, *result.error) << "\n";
        return result.error->kind == JobError::Kind::Order ? kExitOrderError : kExitUsage;
    }
    return kExitOk;
}

}  // namespace stowbel
