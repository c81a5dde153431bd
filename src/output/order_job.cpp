#include "output/order_job.h"

#include <filesystem>
#include <memory>

#include "order/errors.h"
#include "order/parser.h"
#include "output/file_error.h"
#include "output/result_files.h"
#include "scheme/raster_canvas.h"
#include "scheme/scheme_painter.h"

namespace stowbel {

OrderOutcome CalculateAndStore(const std::string& orderPath, const std::vector<std::string>& lines,
                               const std::string& outputDirectory, const OrderJobOptions& options) {
    if (!HasSignificantLine(lines)) {
        return {OrderOutcome::Kind::Failed,
                "нечего рассчитывать: в заказе нет ни одной строки кроме комментариев", -1};
    }
    auto scheme = std::make_unique<RasterCanvas>();
    auto view = std::make_unique<RasterCanvas>();
    auto summary = std::make_unique<RasterCanvas>();
    const RasterCanvas& schemeImage = *scheme;
    const RasterCanvas& viewImage = *view;
    const RasterCanvas& summaryImage = *summary;
    SchemePictures pictures(std::move(scheme), std::move(view), std::move(summary));
    pictures.SetImageSizes(options.scheme2D, options.view3D, options.summary);
    SchemePainter painter(pictures);
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
        StoreResults(outputDirectory, orderPath, result.report,
                     {schemeImage.Image(), viewImage.Image(), summaryImage.Image()},
                     model.container.HMAN);
    } catch (const FileError& e) {
        return {OrderOutcome::Kind::Retry, e.what(), -1};
    }
    return {};
}

}  // namespace stowbel
