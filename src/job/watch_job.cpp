#include "job/watch_job.h"

#include <utility>
#include <vector>

namespace stowbel {

OrderOutcome WatchOutcome(const JobResult& result) {
    if (!result.error) {
        return {};
    }
    const JobError& error = *result.error;
    const OrderOutcome::Kind kind = error.kind == JobError::Kind::Order ? OrderOutcome::Kind::Failed
                                                                        : OrderOutcome::Kind::Retry;
    return {kind, error.message, error.line};
}

OrderProcessor JobProcessor(CalculationJob job, std::string outputDirectory) {
    return [job = std::move(job), out = std::move(outputDirectory)](
               const std::string& path, const std::vector<std::string>& lines) mutable {
        job.SetOrderLines(lines).StoreResultsIn(out, path);
        return WatchOutcome(job.Run());
    };
}

}  // namespace stowbel
