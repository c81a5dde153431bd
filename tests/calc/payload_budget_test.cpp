#include "calc/payload_budget.h"

#include <gtest/gtest.h>

namespace stowbel {
namespace {

TEST(PayloadBudgetTest, WithoutAPayloadEverythingIsAllowed) {
    PayloadBudget budget;
    budget.BeginContainer();
    budget.BeginType(1e6);
    EXPECT_EQ(budget.Take(65535), 65535);
    EXPECT_FALSE(budget.Full());
}

struct TakeCase {
    const char* name;
    double payload;
    double unitMass;
    int wanted[3];
    int taken[3];
    bool full;
};

class PayloadBudgetCases : public testing::TestWithParam<TakeCase> {};

TEST_P(PayloadBudgetCases, TakesWhatTheMassLeftAllows) {
    const TakeCase& c = GetParam();
    PayloadBudget budget(c.payload);
    budget.BeginContainer();
    budget.BeginType(c.unitMass);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(budget.Take(c.wanted[i]), c.taken[i]) << c.name << " stack " << i + 1;
    }
    EXPECT_EQ(budget.Full(), c.full) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Stacks, PayloadBudgetCases,
    testing::Values(
        TakeCase{"exactly at the payload", 1050, 350, {1, 1, 1}, {1, 1, 1}, false},
        TakeCase{"one unit over", 1049.99, 350, {1, 1, 1}, {1, 1, 0}, true},
        TakeCase{"a stack cut short", 1000, 100, {4, 4, 4}, {4, 4, 2}, true},
        TakeCase{"a unit heavier than the payload", 300, 350, {2, 2, 2}, {0, 0, 0}, true},
        TakeCase{"decimal masses summing exactly", 0.3, 0.1, {1, 1, 1}, {1, 1, 1}, false},
        TakeCase{"massless units never fill", 10, 0, {5, 5, 5}, {5, 5, 5}, false}));

TEST(PayloadBudgetTest, ANextContainerStartsEmpty) {
    PayloadBudget budget(500);
    budget.BeginContainer();
    budget.BeginType(200);
    EXPECT_EQ(budget.Take(3), 2);
    EXPECT_TRUE(budget.Full());
    EXPECT_EQ(budget.Take(1), 0);
    budget.BeginContainer();
    EXPECT_FALSE(budget.Full());
    EXPECT_EQ(budget.Take(1), 1);
}

TEST(PayloadBudgetTest, TypesShareTheContainersMass) {
    PayloadBudget budget(1000);
    budget.BeginContainer();
    budget.BeginType(300);
    EXPECT_EQ(budget.Take(3), 3);
    budget.BeginType(50);
    EXPECT_EQ(budget.Take(5), 2);
    EXPECT_TRUE(budget.Full());
}

}  // namespace
}  // namespace stowbel
