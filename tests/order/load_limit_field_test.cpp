// The field after the unit mass: what one unit may carry on top of it, in kg.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "order/errors.h"
#include "order/parser.h"

namespace stowbel {
namespace {

const NumberFormat kPoint{'.'};

struct LimitCase {
    const char* line;
    std::optional<double> mass;
    std::optional<double> limit;
};

std::ostream& operator<<(std::ostream& os, const LimitCase& c) {
    return os << c.line;
}

class LoadLimitFieldCases : public testing::TestWithParam<LimitCase> {};

TEST_P(LoadLimitFieldCases, IsReadAfterTheMassOnlyWhenADigitFollowsTheSeparator) {
    const LimitCase& c = GetParam();
    CargoTable table;
    table[0].LoadLimit = 1;  // a value left from an earlier order must not survive
    ParseCargoLine(c.line, 0, kPoint, table);
    EXPECT_EQ(table.at(0).UnitMass, c.mass);
    EXPECT_EQ(table.at(0).LoadLimit, c.limit);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LoadLimitFieldCases,
    testing::Values(LimitCase{"800,1200,2100,SQR,1,0,20,350,700", 350, 700},
                    LimitCase{"800,1200,2100,SQR,1,0,20,350,0", 350, 0},
                    LimitCase{"800;1200;2100;SQR;1;0;20;12.5;37.5", 12.5, 37.5},
                    // Text after the quantity that does not begin with the line's separator is
                    // ignored, and with it any mass or limit in it.
                    LimitCase{"800,1200,2100,SQR,1,0,20;12.5;37.5", std::nullopt, std::nullopt},
                    LimitCase{"800,1000,900,RND,0,1,8,90,180", 90, 180},
                    // Absent or empty: no limit, as before the field existed.
                    LimitCase{"800,1200,2100,SQR,1,0,20,350", 350, std::nullopt},
                    LimitCase{"800,1200,2100,SQR,1,0,20,350,", 350, std::nullopt},
                    LimitCase{"800,1200,2100,SQR,1,0,20,350,,700", 350, std::nullopt},
                    // Without a mass there is no room for it: the text reads as before.
                    LimitCase{"800,1200,2100,SQR,1,0,20,,700", std::nullopt, std::nullopt},
                    LimitCase{"800,1200,2100,SQR,1,0,20", std::nullopt, std::nullopt}));

struct LimitErrorCase {
    const char* line;
    const char* message;
};

std::ostream& operator<<(std::ostream& os, const LimitErrorCase& c) {
    return os << c.line;
}

class LoadLimitFieldErrors : public testing::TestWithParam<LimitErrorCase> {};

TEST_P(LoadLimitFieldErrors, AreOrderErrorsOfTheirLine) {
    const LimitErrorCase& c = GetParam();
    CargoTable table;
    try {
        ParseCargoLine(c.line, 4, kPoint, table);
        FAIL() << "no error for " << c.line;
    } catch (const OrderError& e) {
        EXPECT_NE(e.Message().find(c.message), std::string::npos) << e.what();
        EXPECT_EQ(e.Line(), 5);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LoadLimitFieldErrors,
    testing::Values(LimitErrorCase{"800,1200,2100,SQR,1,0,20,350,7.0.5",
                                   "поле «Нагрузка сверху»: «7.0.5» — не число"},
                    LimitErrorCase{"800,1200,2100,SQR,1,0,20,350,палеты",
                                   "поле «Нагрузка сверху»: «палеты» — не число"},
                    LimitErrorCase{"800,1200,2100,SQR,1,0,20,350 шт",
                                   "поле «Масса»: «350 шт» — не число"},
                    LimitErrorCase{"800,1200,2100,SQR,1,0,20,350,100000001",
                                   "значение поля «Нагрузка сверху» слишком велико"}));

}  // namespace
}  // namespace stowbel
