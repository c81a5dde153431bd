#pragma once

#include <optional>

namespace stowbel {

// The mass a container may still take. Without a payload it allows everything, so orders that
// give none are planned by space alone. A stack asks how many of its units the mass left allows;
// a stack that is cut short, or refused, means the container is full by weight.
class PayloadBudget {
public:
    PayloadBudget() = default;
    explicit PayloadBudget(std::optional<double> payload) : payload_(payload) {}

    bool Limits() const { return payload_.has_value(); }

    // A next container begins empty.
    void BeginContainer() {
        loaded_ = 0;
        full_ = false;
    }
    // The units asked for from now on weigh this much each.
    void BeginType(std::optional<double> unitMass) { unitMass_ = unitMass.value_or(0); }

    // How many of wanted units the payload still allows; takes them. Fewer than wanted fills
    // the container.
    int Take(int wanted);

    // The container's payload is used up: no further unit goes in.
    bool Full() const { return full_; }

private:
    std::optional<double> payload_;
    long double unitMass_ = 0;
    long double loaded_ = 0;
    bool full_ = false;
};

}  // namespace stowbel
