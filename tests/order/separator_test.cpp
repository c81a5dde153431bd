#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "order/errors.h"
#include "order/parser.h"

namespace stowbel {
namespace {

const NumberFormat kPoint{'.'};

// A cargo line read: what every field gave.
struct ReadCargo {
    double width = 0;
    double length = 0;
    double height = 0;
    bool square = false;
    bool turn = false;
    bool onEnd = false;
    int quantity = 0;
    std::optional<double> mass;
};

ReadCargo ReadLine(const std::string& line) {
    CargoTable table;
    ParseCargoLine(line, 0, kPoint, table);
    const CargoType& t = table.at(0);
    return {t.Width,         t.Length,        t.Height,   t.IsRectangular,
            t.MayTurnAcross, t.MayStandOnEnd, t.Quantity, t.UnitMass};
}

struct SeparatorCase {
    const char* line;
    ReadCargo expected;
};

std::ostream& operator<<(std::ostream& os, const SeparatorCase& c) {
    return os << c.line;
}

class ConsistentSeparatorCases : public testing::TestWithParam<SeparatorCase> {};

// Whatever the one character is, the line reads as it always has.
TEST_P(ConsistentSeparatorCases, ReadEveryFieldAsBefore) {
    const SeparatorCase& c = GetParam();
    const ReadCargo read = ReadLine(c.line);
    EXPECT_EQ(read.width, c.expected.width);
    EXPECT_EQ(read.length, c.expected.length);
    EXPECT_EQ(read.height, c.expected.height);
    EXPECT_EQ(read.square, c.expected.square);
    EXPECT_EQ(read.turn, c.expected.turn);
    EXPECT_EQ(read.onEnd, c.expected.onEnd);
    EXPECT_EQ(read.quantity, c.expected.quantity);
    EXPECT_EQ(read.mass, c.expected.mass);
}

const ReadCargo kPallet{800, 1200, 2100, true, true, false, 20, std::nullopt};
const ReadCargo kPalletWithMass{800, 1200, 2100, true, true, false, 20, 350};

INSTANTIATE_TEST_SUITE_P(
    Lines, ConsistentSeparatorCases,
    testing::Values(SeparatorCase{"800,1200,2100,SQR,1,0,20", kPallet},
                    SeparatorCase{"800;1200;2100;SQR;1;0;20", kPallet},
                    SeparatorCase{"800\t1200\t2100\tSQR\t1\t0\t20", kPallet},
                    SeparatorCase{"800 1200 2100 SQR 1 0 20", kPallet},
                    SeparatorCase{"800x1200x2100xSQRx1x0x20", kPallet},
                    SeparatorCase{"800ж1200ж2100жSQRж1ж0ж20", kPallet},
                    SeparatorCase{"800,1200,2100,SQR,1,0,20,350", kPalletWithMass},
                    SeparatorCase{"800x1200x2100xSQRx1x0x20x350", kPalletWithMass},
                    SeparatorCase{"800\t1200\t2100\tSQR\t1\t0\t20\t350", kPalletWithMass},
                    // Text after the quantity that does not begin with the separator is ignored.
                    SeparatorCase{"800,1200,2100,SQR,1,0,20.5", kPallet},
                    SeparatorCase{"800,1200,2100,SQR,1,0,20 шт", kPallet},
                    SeparatorCase{"800,1200,2100,SQR,1,0,20;350", kPallet},
                    SeparatorCase{"800,1200,2100,SQR,1,0,3b6",
                                  {800, 1200, 2100, true, true, false, 3, std::nullopt}},
                    // Flags other than 1 read false, as always.
                    SeparatorCase{"800,1200,2100,RND,x,1,5",
                                  {800, 1200, 2100, false, false, true, 5, std::nullopt}}));

struct RefusedCase {
    const char* line;
    bool container;
    const char* message;
};

std::ostream& operator<<(std::ostream& os, const RefusedCase& c) {
    return os << c.line;
}

class RefusedLineCases : public testing::TestWithParam<RefusedCase> {};

// A slip in a field is named as that field with its text as written, on its own line.
TEST_P(RefusedLineCases, NameTheFieldAndQuoteItsText) {
    const RefusedCase& c = GetParam();
    try {
        if (c.container) {
            Container spec;
            ParseContainerLine(c.line, 1, kPoint, spec);
        } else {
            CargoTable table;
            ParseCargoLine(c.line, 1, kPoint, table);
        }
        FAIL() << "no error for " << c.line;
    } catch (const OrderError& e) {
        EXPECT_EQ(e.Message(), c.message);
        EXPECT_EQ(e.Line(), 2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MixedSeparators, RefusedLineCases,
    testing::Values(
        RefusedCase{"800,1200,215O,SQR,1,0,20", false, "поле «Высота»: «215O» — не число"},
        RefusedCase{"1000,12O0,2150,SQR,1,0,20", false, "поле «Длина»: «12O0» — не число"},
        RefusedCase{"8O0,1200,2100,SQR,1,0,20", false, "поле «ГЕ-Ширина»: «8O0» — не число"},
        RefusedCase{"800,1200;2100;SQR;1;0;20", false, "поле «ГЕ-Ширина»: «800,1200» — не число"},
        RefusedCase{"800,1200,2100,SQR,10,0,20", false,
                    "поле «H_ROTATE»: «10» — ожидается 1 или 0"},
        RefusedCase{"800,1200,2100,SQR,1,0;20", false,
                    "поле «V_ROTATE»: «0;20» — ожидается 1, 0 или 2"},
        RefusedCase{"800,1200,2100,SQR,,0,20", false, "поле «H_ROTATE» не заполнено"},
        RefusedCase{"2450,16100,2200,50,0 HMAN", true, "поле «ОтступМеждуГЕ»: «0 HMAN» — не число"},
        RefusedCase{"2450,16100;2200;50;0;HMAN", true, "поле «Ширина»: «2450,16100» — не число"}));

INSTANTIATE_TEST_SUITE_P(
    NotNumbers, RefusedLineCases,
    testing::Values(
        RefusedCase{"-0,16100,2200,50,0,ISIN", true, "поле «Ширина»: «-0» — не число"},
        RefusedCase{"+800,1200,2100,SQR,1,0,20", false, "поле «ГЕ-Ширина»: «+800» — не число"},
        RefusedCase{"800,0x10,2100,SQR,1,0,20", false, "поле «Длина»: «0x10» — не число"},
        RefusedCase{"2450,16100,nan,50,0,ISIN", true, "поле «Высота»: «nan» — не число"},
        RefusedCase{"2450,16100,2200,inf,0,ISIN", true, "поле «ОтступПоБортам»: «inf» — не число"},
        RefusedCase{"800,1200,2100,SQR,1,0,x5", false, "поле «Количество»: «x5» — не целое число"},
        RefusedCase{"800,1200,2100,SQR,1,0,-5", false, "поле «Количество»: «-5» — не целое число"},
        RefusedCase{"800,,2100,SQR,1,0,20", false, "поле «Длина» не заполнено"},
        RefusedCase{"800,1200,2100,SQR,1,0,20,1234567890123456789012345678901234567890"
                    "12345kg",
                    false,
                    "поле «Масса»: «1234567890123456789012345678901234567890…» — не "
                    "число"}));

// Our own fields take the whole text up to the next separator or the line's end.
INSTANTIATE_TEST_SUITE_P(
    StrictOwnFields, RefusedLineCases,
    testing::Values(
        RefusedCase{"2450,16100,2200,50,0,HMAN,1e309", true,
                    "поле «Грузоподъёмность»: «1e309» — не число"},
        RefusedCase{"2450,16100,2200,50,0,HMAN,26500kg", true,
                    "поле «Грузоподъёмность»: «26500kg» — не число"},
        RefusedCase{"2450,16100,2200,50,0,HMAN,-1", true,
                    "поле «Грузоподъёмность»: «-1» — не число"},
        RefusedCase{"800,1200,2100,SQR,1,0,20,12kg", false, "поле «Масса»: «12kg» — не число"},
        RefusedCase{"800,1200,2100,SQR,1,0,20,12 kg", false, "поле «Масса»: «12 kg» — не число"},
        RefusedCase{"800;1200;2100;SQR;1;0;20;1,5", false, "поле «Масса»: «1,5» — не число"}));

INSTANTIATE_TEST_SUITE_P(
    BelowAMillimetre, RefusedLineCases,
    testing::Values(RefusedCase{"800,.1200,1000,SQR,1,0,50", false,
                                "значение поля «Длина» слишком мало, допустимо не менее 1 мм."},
                    RefusedCase{"0.5,1200,1000,SQR,1,0,50", false,
                                "значение поля «ГЕ-Ширина» слишком мало, допустимо не менее 1 мм."},
                    RefusedCase{"800,1200,0.999,RND,1,0,50", false,
                                "значение поля «Высота» слишком мало, допустимо не менее 1 мм."},
                    RefusedCase{"2450,16100,.5,50,0,ISIN", true,
                                "значение поля «Высота» слишком мало, допустимо не менее 1 мм."}));

TEST(OwnFieldTest, AnEmptyFieldIsNotGivenAndTextAfterItIsLeftForLaterFields) {
    EXPECT_EQ(ReadLine("800,1200,2100,SQR,1,0,20,").mass, std::nullopt);
    EXPECT_EQ(ReadLine("800,1200,2100,SQR,1,0,20,,350").mass, std::nullopt);
    EXPECT_EQ(ReadLine("800,1200,2100,SQR,1,0,20,350,,палеты").mass, 350);
}

TEST(SizeLimitTest, OneMillimetreAndAKilometreAreTheBounds) {
    const ReadCargo smallest = ReadLine("1,1,1,SQR,0,0,1");
    EXPECT_EQ(smallest.width, 1);
    const ReadCargo largest = ReadLine("1000000,1000000,1000000,SQR,0,0,1");
    EXPECT_EQ(largest.height, 1000000);
    // The width of a round unit is not used and is not checked.
    EXPECT_EQ(ReadLine("0.5,1200,1000,RND,0,0,1").width, 0.5);
}

}  // namespace
}  // namespace stowbel
