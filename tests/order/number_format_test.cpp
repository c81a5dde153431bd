#include "order/number_format.h"

#include <gtest/gtest.h>

#include <ostream>

#include "order/errors.h"
#include "order/rounding.h"

namespace stowbel {
namespace {

const NumberFormat kPoint{'.'};
const NumberFormat kComma{','};

TEST(RoundingTest, RoundIsTiesToEvenAndNeverTruncOrCeil) {
    EXPECT_EQ(Round(2.5L), 2.0L);
    EXPECT_EQ(Round(3.5L), 4.0L);
    EXPECT_EQ(Round(-2.5L), -2.0L);
    EXPECT_EQ(Round(160.5L), 160.0L);
    EXPECT_EQ(Round(555.5L), 556.0L);
    EXPECT_EQ(Trunc(-1.7L), -1.0L);
    EXPECT_EQ(Ceil(1.0000001L), 2.0L);
}

TEST(RoundingTest, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(RoundToInt(1e30L), 2147483647);
    EXPECT_EQ(TruncToInt(-1e30L), -2147483647 - 1);
    EXPECT_EQ(TruncToInt(-0.9L), 0);
}

struct FloatCase {
    const char* run;
    char separator;
    double value;
};

std::ostream& operator<<(std::ostream& os, const FloatCase& c) {
    return os << '"' << c.run << '"';
}

class ParseFloatValidTest : public testing::TestWithParam<FloatCase> {};

TEST_P(ParseFloatValidTest, ReadsTheRun) {
    const FloatCase& c = GetParam();
    EXPECT_EQ(ParseFloatRun(c.run, NumberFormat{c.separator}, 0), c.value);
}

INSTANTIATE_TEST_SUITE_P(Runs, ParseFloatValidTest,
                         testing::Values(FloatCase{"2450", '.', 2450}, FloatCase{"1.", '.', 1},
                                         FloatCase{".5", '.', 0.5},
                                         FloatCase{"2450.5", '.', 2450.5}, FloatCase{"007", ',', 7},
                                         FloatCase{"99999999999999999999", '.', 1e20}));

struct InvalidCase {
    const char* run;
    char separator;
};

std::ostream& operator<<(std::ostream& os, const InvalidCase& c) {
    return os << '"' << c.run << "\" sep " << c.separator;
}

class ParseFloatInvalidTest : public testing::TestWithParam<InvalidCase> {};

TEST_P(ParseFloatInvalidTest, RaisesTheRuntimeMessage) {
    const InvalidCase& c = GetParam();
    try {
        ParseFloatRun(c.run, NumberFormat{c.separator}, 4);
        FAIL() << "no error for '" << c.run << "'";
    } catch (const OrderError& e) {
        EXPECT_EQ(e.Message(), std::string("'") + c.run + "' is not a valid floating point value");
        EXPECT_EQ(e.GetKind(), OrderError::Kind::Conversion);
        EXPECT_EQ(e.Line(), 5);
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, ParseFloatInvalidTest,
                         testing::Values(InvalidCase{"", '.'}, InvalidCase{".", '.'},
                                         InvalidCase{"1.2.3", '.'}, InvalidCase{"2450.5", ','},
                                         InvalidCase{".", ','}));

TEST(ParseIntegerTest, ReadsDigitsUpToTheInt32Limit) {
    EXPECT_EQ(ParseIntegerRun("20", 0), 20);
    EXPECT_EQ(ParseIntegerRun("0065535", 0), 65535);
    EXPECT_EQ(ParseIntegerRun("2147483647", 0), 2147483647);
}

TEST(ParseIntegerTest, EmptyOrTooLargeRaisesTheRuntimeMessage) {
    for (const char* run : {"", "2147483648", "99999999999999999999999"}) {
        try {
            ParseIntegerRun(run, 2);
            FAIL() << "no error for '" << run << "'";
        } catch (const OrderError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + run + "' is not a valid integer value");
            EXPECT_EQ(e.Line(), 3);
        }
    }
}

struct GeneralCase {
    double value;
    char separator;
    const char* text;
};

std::ostream& operator<<(std::ostream& os, const GeneralCase& c) {
    return os << c.value;
}

class FormatGeneralTest : public testing::TestWithParam<GeneralCase> {};

TEST_P(FormatGeneralTest, ShortestFormWithFifteenDigits) {
    const GeneralCase& c = GetParam();
    EXPECT_EQ(FormatGeneral(c.value, NumberFormat{c.separator}), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatGeneralTest,
    testing::Values(GeneralCase{16100, '.', "16100"}, GeneralCase{0, '.', "0"},
                    GeneralCase{9.6, '.', "9.6"}, GeneralCase{9.6, ',', "9,6"},
                    GeneralCase{2450.5, ',', "2450,5"}, GeneralCase{0.1 + 0.2, '.', "0.3"},
                    GeneralCase{-5, '.', "-5"}, GeneralCase{0.00001, '.', "0.00001"},
                    GeneralCase{0.000001, '.', "1E-6"},
                    GeneralCase{999999999999999, '.', "999999999999999"},
                    GeneralCase{1e15, '.', "1E15"},
                    GeneralCase{123456789012345678.0, ',', "1,23456789012346E17"},
                    GeneralCase{1.0 / 3.0, '.', "0.333333333333333"}));

struct MetresCase {
    long double millimetres;
    const char* m1;
    const char* m2;
};

std::ostream& operator<<(std::ostream& os, const MetresCase& c) {
    return os << static_cast<double>(c.millimetres);
}

class MetresFormatTest : public testing::TestWithParam<MetresCase> {};

TEST_P(MetresFormatTest, RoundsTiesToEven) {
    const MetresCase& c = GetParam();
    EXPECT_EQ(FormatMetresToTenths(c.millimetres, kPoint), c.m1);
    EXPECT_EQ(FormatMetresToHundredths(c.millimetres, kPoint), c.m2);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, MetresFormatTest,
    testing::Values(MetresCase{16050, "16", "16.05"}, MetresCase{16150, "16.2", "16.15"},
                    MetresCase{9610.2128L, "9.6", "9.61"}, MetresCase{15605, "15.6", "15.6"},
                    MetresCase{15615, "15.6", "15.62"},
                    MetresCase{16100 - 10410.6383L, "5.7", "5.69"}, MetresCase{0, "0", "0"},
                    MetresCase{-250, "-0.2", "-0.25"}));

TEST(MetresFormatTest, UsesTheRegionalSeparator) {
    EXPECT_EQ(FormatMetresToTenths(9610.2128L, kComma), "9,6");
    EXPECT_EQ(FormatMetresToHundredths(9610.2128L, kComma), "9,61");
}

}  // namespace
}  // namespace stowbel
