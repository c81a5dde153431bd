#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "order/errors.h"
#include "order/parser.h"

namespace stowbel {
namespace {

const NumberFormat kPoint{'.'};

struct MassCase {
    const char* line;
    bool container;
    std::optional<double> mass;  // the payload of a container line, the unit mass of a cargo line
};

std::ostream& operator<<(std::ostream& os, const MassCase& c) {
    return os << c.line;
}

class MassFieldCases : public testing::TestWithParam<MassCase> {};

TEST_P(MassFieldCases, ReadsTheFieldAfterTheLastOneOnlyAfterTheLinesSeparator) {
    const MassCase& c = GetParam();
    std::optional<double> read;
    if (c.container) {
        Container spec;
        spec.Payload = 1;  // a value left from an earlier order must not survive
        ParseContainerLine(c.line, 0, kPoint, spec);
        read = spec.Payload;
    } else {
        CargoTable table;
        table[0].UnitMass = 1;
        ParseCargoLine(c.line, 0, kPoint, table);
        read = table.at(0).UnitMass;
    }
    EXPECT_EQ(read, c.mass);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MassFieldCases,
    testing::Values(MassCase{"800,1200,2100,SQR,1,0,20,350", false, 350},
                    MassCase{"800,1200,2100,SQR,1,0,20;12.5", false, std::nullopt},
                    MassCase{"800,1200,2100,SQR,1,0,20", false, std::nullopt},
                    MassCase{"800,1200,2100,SQR,1,0,20,", false, std::nullopt},
                    MassCase{"800,1200,2100,SQR,1,0,20 шт", false, std::nullopt},
                    MassCase{"800,1200,2100,SQR,1,0,20,,350", false, std::nullopt},
                    MassCase{"800,1200,2100,SQR,1,0,20,0", false, 0},
                    MassCase{"2450,16100,2200,50,0,HMAN,26500", true, 26500},
                    MassCase{"2450,16100,2200,50,0,ISIN 24000.5", true, std::nullopt},
                    MassCase{"2450;16100;2200;50;0;ISIN;24000.5", true, 24000.5},
                    MassCase{"2450,16100,2200,50,0,HMAN", true, std::nullopt},
                    MassCase{"2450,16100,2200,50,0", true, std::nullopt}));

struct MassErrorCase {
    const char* line;
    bool container;
    const char* message;
};

std::ostream& operator<<(std::ostream& os, const MassErrorCase& c) {
    return os << c.line;
}

class MassFieldErrors : public testing::TestWithParam<MassErrorCase> {};

TEST_P(MassFieldErrors, AreOrderErrorsOfTheirLine) {
    const MassErrorCase& c = GetParam();
    Container spec;
    CargoTable table;
    try {
        if (c.container) {
            ParseContainerLine(c.line, 2, kPoint, spec);
        } else {
            ParseCargoLine(c.line, 2, kPoint, table);
        }
        FAIL() << "no error for " << c.line;
    } catch (const OrderError& e) {
        EXPECT_NE(e.Message().find(c.message), std::string::npos) << e.what();
        EXPECT_EQ(e.Message().find("Строка"), std::string::npos) << e.what();
        EXPECT_EQ(e.Line(), 3);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MassFieldErrors,
    testing::Values(MassErrorCase{"800,1200,2100,SQR,1,0,20,35.0.5", false,
                                  "поле «Масса»: «35.0.5» — не число"},
                    MassErrorCase{"2450,16100,2200,50,0,HMAN,2.6.5", true,
                                  "поле «Грузоподъёмность»: «2.6.5» — не число"},
                    MassErrorCase{"2450,16100,2200,50,0,HMAN,тент", true,
                                  "поле «Грузоподъёмность»: «тент» — не число"},
                    MassErrorCase{"2450,16100,2200,50,0,HMAN,0", true,
                                  "поле «Грузоподъёмность» должно быть больше нуля"},
                    MassErrorCase{"800,1200,2100,SQR,1,0,20,100000001", false,
                                  "значение поля «Масса» слишком велико"}));

}  // namespace
}  // namespace stowbel
