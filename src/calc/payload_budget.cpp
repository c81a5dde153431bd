#include "calc/payload_budget.h"

#include <algorithm>

#include "order/rounding.h"

namespace stowbel {

namespace {

// Masses are decimal kilograms; a load that meets the payload exactly must fit although the
// binary sum may come out a hair above it.
constexpr long double kMassTolerance = 1e-9L;

}  // namespace

int PayloadBudget::Take(int wanted) {
    if (!payload_ || wanted <= 0) {
        return std::max(wanted, 0);
    }
    if (full_) {
        return 0;
    }
    int allowed = wanted;
    if (unitMass_ > 0) {
        const long double left = static_cast<long double>(*payload_) - loaded_;
        const long double units = Trunc(left / unitMass_ + kMassTolerance);
        allowed = units <= 0 ? 0 : static_cast<int>(std::min<long double>(units, wanted));
    }
    if (allowed < wanted) {
        full_ = true;
    }
    loaded_ += unitMass_ * allowed;
    return allowed;
}

}  // namespace stowbel
