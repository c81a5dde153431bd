#include "output/order_job.h"

#include <filesystem>

#include "order/errors.h"
#include "order/parser.h"
#include "output/file_error.h"
#include "output/raster_pictures.h"
#include "output/result_files.h"
#include "scheme/scheme_painter.h"

namespace stowbel {

OrderOutcome CalculateAndStore(const std::string& orderPath, const std::vector<std::string>& lines,
                               const std::string& outputDirectory, const OrderJobOptions& options) {
    if (!HasSignificantLine(lines)) {
        return {OrderOutcome::Kind::Failed,
                "нечего рассчитывать: в заказе нет ни одной строки кроме комментариев", -1};
    }
    RasterPictures pictures(options.scheme2D, options.view3D, options.summary);
    SchemePainter painter(pictures.Pictures());
    OrderModel model;
    RunResult result;
    try {
        RunCalculation(lines, model, options.run, painter, result);
    } catch (const OrderError& e) {
        return {OrderOutcome::Kind::Failed, e.what(), e.LineIndex()};
    }
    try {
        std::error_code ec;
        std::filesystem::create_directories(outputDirectory, ec);
        StoreResults(outputDirectory, orderPath, result.report, pictures.Images(),
                     model.container.HMAN);
    } catch (const FileError& e) {
        return {OrderOutcome::Kind::Retry, e.what(), -1};
    }
    return {};
}

}  // namespace stowbel
