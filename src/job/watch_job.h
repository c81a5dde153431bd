#pragma once

#include <string>

#include "job/calculation_job.h"
#include "job/watch_engine.h"

namespace stowbel {

// What watch mode makes of a job's result: an order error fails the order, a file error leaves
// it for a later tick.
OrderOutcome WatchOutcome(const JobResult& result);

// Calculates each watched order with the settings of job and stores its results in
// outputDirectory.
OrderProcessor JobProcessor(CalculationJob job, std::string outputDirectory);

}  // namespace stowbel
