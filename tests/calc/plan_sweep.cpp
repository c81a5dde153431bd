// Runs many generated orders through the calculation and checks every plan against the plan
// rules. Too long for the test suite; run by hand:
//   plan_sweep FIRST_SEED SEEDS ORDERS_PER_SEED [SHOWN [limits]]
// ("limits": the orders also give unit masses and load limits) prints, per seed and in total, the
// orders calculated, refused and broken and the time taken, and the first SHOWN broken orders with
// what they break. Exits 1 when any plan breaks a rule.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calc/run.h"
#include "order/errors.h"
#include "order_generator.h"
#include "plan_rules.h"
#include "run_test_support.h"

namespace {

struct Tally {
    long long calculated = 0;
    long long refused = 0;
    long long broken = 0;
    long long stacks = 0;
};

}  // namespace

int main(int argc, char** argv) {
    using namespace stowbel;
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s FIRST_SEED SEEDS ORDERS_PER_SEED [SHOWN [limits]]\n",
                     argv[0]);
        return 2;
    }
    const std::uint64_t firstSeed = std::strtoull(argv[1], nullptr, 10);
    const long long seeds = std::atoll(argv[2]);
    const long long perSeed = std::atoll(argv[3]);
    long long shown = argc > 4 ? std::atoll(argv[4]) : 5;
    const bool limits = argc > 5 && std::string(argv[5]) == "limits";

    Tally total;
    const auto begin = std::chrono::steady_clock::now();
    for (long long s = 0; s < seeds; ++s) {
        const std::uint64_t seed = firstSeed + static_cast<std::uint64_t>(s);
        OrderGenerator generator(seed, {.loadLimits = limits});
        Tally tally;
        const auto seedBegin = std::chrono::steady_clock::now();
        for (long long i = 0; i < perSeed; ++i) {
            const GeneratedOrder order = generator.Next();
            OrderModel model;
            RunResult result;
            RunOptions options;
            options.alternate = order.alternate;
            DrawnStackRecorder drawn;
            try {
                RunCalculation(Lines(order.text), model, options, drawn, result);
            } catch (const OrderError&) {
                ++tally.refused;
                continue;
            }
            ++tally.calculated;
            tally.stacks += static_cast<long long>(result.stacks.size());
            std::vector<std::string> broken = FindBrokenPlanRules(model.container, result);
            for (std::string& line : FindDrawingMismatches(drawn.drawn, result)) {
                broken.push_back(std::move(line));
            }
            if (broken.empty()) {
                continue;
            }
            ++tally.broken;
            if (shown > 0) {
                --shown;
                std::printf("seed %llu order %lld (alternation %s):\n%s",
                            static_cast<unsigned long long>(seed), i,
                            order.alternate ? "on" : "off", order.text.c_str());
                for (std::size_t k = 0; k < broken.size() && k < 3; ++k) {
                    std::printf("  %s\n", broken[k].c_str());
                }
            }
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - seedBegin).count();
        std::printf("seed %llu: %lld calculated, %lld refused, %lld broken, %lld stacks, %.2f s\n",
                    static_cast<unsigned long long>(seed), tally.calculated, tally.refused,
                    tally.broken, tally.stacks, seconds);
        total.calculated += tally.calculated;
        total.refused += tally.refused;
        total.broken += tally.broken;
        total.stacks += tally.stacks;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    std::printf(
        "total: %lld orders, %lld calculated, %lld refused, %lld broken, %lld stacks, "
        "%.2f s\n",
        seeds * perSeed, total.calculated, total.refused, total.broken, total.stacks, seconds);
    return total.broken == 0 ? 0 : 1;
}
