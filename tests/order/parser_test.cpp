#include "order/parser.h"

#include <gtest/gtest.h>

#include <ostream>

#include "order/errors.h"

namespace stowbel {
namespace {

const NumberFormat kPoint{'.'};
const NumberFormat kComma{','};

TEST(StripCommentTest, CutsAtTheFirstDoubleSlashAndTrimsControlCharacters) {
    EXPECT_EQ(StripComment("800,1200,2100,SQR,1,0,20//second pallet"), "800,1200,2100,SQR,1,0,20");
    EXPECT_EQ(StripComment("\t  2450,16100 \r"), "2450,16100");
    EXPECT_EQ(StripComment("//Ширина,Длина"), "");
    EXPECT_EQ(StripComment("12//34//56"), "12");
    EXPECT_EQ(StripComment(std::string("\x01\x1f x \x7f", 6)), "x \x7f");
    EXPECT_EQ(StripComment(""), "");
}

TEST(HasSignificantLineTest, NeedsOneLineWithTextOutsideComments) {
    EXPECT_FALSE(HasSignificantLine({}));
    EXPECT_FALSE(HasSignificantLine({"", "   ", "//only a comment", "\t// x"}));
    EXPECT_TRUE(HasSignificantLine({"//header", "", "2450,16100,2200,50,0,HMAN"}));
    EXPECT_TRUE(HasSignificantLine({"x"}));
}

TEST(ScanRunTest, ReportsRunAndStopPositionOfTheWorkedExample) {
    const std::u32string line = U"800,1200,2100,SQR,1,0,20";
    ScannedRun run = ScanRun(line, 1, kNumberSet);
    EXPECT_EQ(run.run, U"800");
    EXPECT_EQ(run.stop, 4U);
    run = ScanRun(line, 15, kShapeSet);
    EXPECT_EQ(run.run, U"SQR");
    EXPECT_EQ(run.stop, 18U);
    run = ScanRun(line, 23, kQuantitySet);
    EXPECT_EQ(run.run, U"20");
    EXPECT_EQ(run.stop, 25U);
    run = ScanRun(line, 40, kQuantitySet);
    EXPECT_TRUE(run.run.empty());
}

TEST(ParseCargoLineTest, WorkedExample) {
    CargoTable table;
    ParseCargoLine("800,1200,2100,SQR,1,0,20", 3, kPoint, table);
    const CargoType& t = table.at(3);
    EXPECT_EQ(t.Width, 800);
    EXPECT_EQ(t.Length, 1200);
    EXPECT_EQ(t.Height, 2100);
    EXPECT_TRUE(t.IsSquare);
    EXPECT_TRUE(t.H_ROTATE);
    EXPECT_FALSE(t.V_ROTATE);
    EXPECT_EQ(t.QTY, 20);
}

struct CargoCase {
    const char* line;
    bool square;
    bool hRotate;
    bool vRotate;
    int quantity;
};

std::ostream& operator<<(std::ostream& os, const CargoCase& c) {
    return os << c.line;
}

class ParseCargoLineCases : public testing::TestWithParam<CargoCase> {};

TEST_P(ParseCargoLineCases, ReadsFlagsAtFixedOffsets) {
    const CargoCase& c = GetParam();
    CargoTable table;
    ParseCargoLine(c.line, 0, kPoint, table);
    EXPECT_EQ(table.at(0).IsSquare, c.square);
    EXPECT_EQ(table.at(0).H_ROTATE, c.hRotate);
    EXPECT_EQ(table.at(0).V_ROTATE, c.vRotate);
    EXPECT_EQ(table.at(0).QTY, c.quantity);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseCargoLineCases,
    testing::Values(CargoCase{"800,1200,2100,SQR,1,0,20.5", true, true, false, 20},
                    CargoCase{"800,1200,2100,RND,0,1,5", false, false, true, 5},
                    CargoCase{"800;1200;2100;SQR;1;1;7", true, true, true, 7},
                    CargoCase{"800 1200 2100 SQR 2 1 0", true, false, true, 0},
                    CargoCase{"800,1200,2100,RNDSQR,1,0,65535", true, true, false, 65535},
                    CargoCase{"0,1200,2100,RND,0,0,3", false, false, false, 3}));

struct ContainerCase {
    const char* line;
    bool hman;
    bool idbl;
};

std::ostream& operator<<(std::ostream& os, const ContainerCase& c) {
    return os << c.line;
}

class ParseContainerLineCases : public testing::TestWithParam<ContainerCase> {};

TEST_P(ParseContainerLineCases, AnySingleCharacterSeparatesAndModeSetsFlags) {
    const ContainerCase& c = GetParam();
    Container spec;
    ParseContainerLine(c.line, 1, kPoint, spec);
    EXPECT_EQ(spec.Width, 2450);
    EXPECT_EQ(spec.Length, 16100);
    EXPECT_EQ(spec.Height, 2200);
    EXPECT_EQ(spec.SideClearance, 50);
    EXPECT_EQ(spec.UnitGap, 0);
    EXPECT_EQ(spec.HMAN, c.hman);
    EXPECT_EQ(spec.IDBL, c.idbl);
}

INSTANTIATE_TEST_SUITE_P(Lines, ParseContainerLineCases,
                         testing::Values(ContainerCase{"2450,16100,2200,50,0,HMAN", true, false},
                                         ContainerCase{"2450;16100;2200;50;0;HMAN", true, false},
                                         ContainerCase{"2450 16100 2200 50 0 HMAN", true, false},
                                         ContainerCase{"2450ж16100ж2200ж50ж0жHMAN", true, false},
                                         ContainerCase{"2450,16100,2200,50,0,ISIN", false, false},
                                         ContainerCase{"2450,16100,2200,50,0,ISINHMAN", true,
                                                       false},
                                         ContainerCase{"2450,16100,2200,50,0,HMANIDBL", true, true},
                                         ContainerCase{"2450,16100,2200,50,0,hman", false, false},
                                         ContainerCase{"2450,16100,2200,50,0", false, false},
                                         ContainerCase{"2450,16100,2200,50,0,", false, false}));

TEST(ParseContainerLineTest, SecondExample) {
    Container spec;
    ParseContainerLine("2450,16800,2200,50,30,ISIN", 1, kPoint, spec);
    EXPECT_EQ(spec.Length, 16800);
    EXPECT_EQ(spec.UnitGap, 30);
    EXPECT_FALSE(spec.HMAN);
    EXPECT_FALSE(spec.IDBL);
}

TEST(ParseContainerLineTest, DecimalSeparatorOfTheRegion) {
    Container spec;
    ParseContainerLine("2450.5,16100,2200,50,0,ISIN", 0, kPoint, spec);
    EXPECT_EQ(spec.Width, 2450.5);
    try {
        ParseContainerLine("2450.5,16100,2200,50,0,ISIN", 0, kComma, spec);
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'2450.5' is not a valid floating point value");
    }
}

struct ErrorCase {
    const char* line;
    bool container;
    const char* message;
};

std::ostream& operator<<(std::ostream& os, const ErrorCase& c) {
    return os << c.line;
}

class ParseErrorCases : public testing::TestWithParam<ErrorCase> {};

TEST_P(ParseErrorCases, RaisesTheConversionMessage) {
    const ErrorCase& c = GetParam();
    Container spec;
    CargoTable table;
    try {
        if (c.container) {
            ParseContainerLine(c.line, 7, kPoint, spec);
        } else {
            ParseCargoLine(c.line, 7, kPoint, table);
        }
        FAIL() << "no error for " << c.line;
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), c.message);
        EXPECT_EQ(e.LineIndex(), 7);
    }
}

constexpr const char* kEmptyFloat = "'' is not a valid floating point value";
constexpr const char* kEmptyInteger = "'' is not a valid integer value";

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseErrorCases,
    testing::Values(ErrorCase{"2450, 16100,2200,50,0,HMAN", true, kEmptyFloat},
                    ErrorCase{"2450,16100,2200", true, kEmptyFloat},
                    ErrorCase{"2450,16100,2200,50,1.2.3,ISIN", true,
                              "'1.2.3' is not a valid floating point value"},
                    ErrorCase{"800,1200,2100,BOX,1,0,20", false, kEmptyInteger},
                    ErrorCase{"800,1200,2100,sqr,1,0,20", false, kEmptyInteger},
                    ErrorCase{"800,1200,2100,SQRE,1,0,20", false, kEmptyInteger},
                    ErrorCase{"800,1200,2100,SQR", false, kEmptyInteger},
                    ErrorCase{"800,1200,2100,SQR,1,0,", false, kEmptyInteger},
                    ErrorCase{"800,1200", false, kEmptyFloat},
                    ErrorCase{"800,1200,2100,SQR,1,0,2147483648", false,
                              "'2147483648' is not a valid integer value"}));

TEST(ParseCargoLineTest, AnErrorLeavesTheFieldsBeforeItWritten) {
    CargoTable table;
    table[2] = CargoType{1, 2, 3, false, true, true, 9, std::nullopt};
    EXPECT_THROW(ParseCargoLine("800,1200,x", 2, kPoint, table), ConversionError);
    const CargoType& t = table.at(2);
    EXPECT_EQ(t.Width, 800);
    EXPECT_EQ(t.Length, 1200);
    EXPECT_EQ(t.Height, 3);
    EXPECT_FALSE(t.IsSquare);
    EXPECT_EQ(t.QTY, 9);
}

TEST(ParseCargoLineTest, FlagsBeyondTheEndReadFalse) {
    CargoTable table;
    table[0].H_ROTATE = true;
    table[0].V_ROTATE = true;
    EXPECT_THROW(ParseCargoLine("800,1200,2100,SQR,1", 0, kPoint, table), ConversionError);
    EXPECT_TRUE(table.at(0).H_ROTATE);
    EXPECT_FALSE(table.at(0).V_ROTATE);
}

TEST(ParseCargoLineTest, TableGrowsForLinesBeyond255) {
    CargoTable table;
    ParseCargoLine("800,1200,2100,SQR,1,0,20", 300, kPoint, table);
    EXPECT_GE(table.size(), 301U);
    EXPECT_EQ(table.at(300).QTY, 20);
}

struct ValidationCase {
    const char* line;
    bool container;
    const char* message;
};

std::ostream& operator<<(std::ostream& os, const ValidationCase& c) {
    return os << c.line;
}

class ValidationCases : public testing::TestWithParam<ValidationCase> {};

TEST_P(ValidationCases, RefusesWithARussianMessageNamingLineAndField) {
    const ValidationCase& c = GetParam();
    Container spec;
    CargoTable table;
    try {
        if (c.container) {
            ParseContainerLine(c.line, 4, kPoint, spec);
        } else {
            ParseCargoLine(c.line, 4, kPoint, table);
        }
        FAIL() << "no error for " << c.line;
    } catch (const ValidationError& e) {
        EXPECT_STREQ(e.what(), c.message);
        EXPECT_EQ(e.LineIndex(), 4);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ValidationCases,
    testing::Values(
        ValidationCase{"0,16100,2200,50,0,ISIN", true,
                       "Строка 5: поле «Ширина» должно быть больше нуля, а указано 0."},
        ValidationCase{"2450,0.0,2200,50,0,ISIN", true,
                       "Строка 5: поле «Длина» должно быть больше нуля, а указано 0."},
        ValidationCase{"2450,16100,.0,50,0,ISIN", true,
                       "Строка 5: поле «Высота» должно быть больше нуля, а указано 0."},
        ValidationCase{"0,1200,2100,SQR,1,0,20", false,
                       "Строка 5: поле «ГЕ-Ширина» должно быть больше нуля, а указано 0."},
        ValidationCase{"800,0,2100,RND,1,0,20", false,
                       "Строка 5: поле «Длина» должно быть больше нуля, а указано 0."},
        ValidationCase{"800,1200,0,SQR,1,0,20", false,
                       "Строка 5: поле «Высота» должно быть больше нуля, а указано 0."},
        ValidationCase{"2450,16100,2200,50,1000000.5,ISIN", true,
                       "Строка 5: значение поля «ОтступМеждуГЕ» слишком велико, допустимо не "
                       "более 1000000 мм."},
        ValidationCase{"800,99999999999999999999,2100,SQR,1,0,5", false,
                       "Строка 5: значение поля «Длина» слишком велико, допустимо не более "
                       "1000000 мм."},
        ValidationCase{"800,1200,2100,SQR,1,0,65536", false,
                       "Строка 5: количество 65536 шт. больше допустимого, не более 65535 шт. "
                       "в строке."}));

TEST(ParseContainerLineTest, ClearanceAndGapMayBeZero) {
    Container spec;
    ParseContainerLine("2450,16100,2200,0,0,ISIN", 0, kPoint, spec);
    EXPECT_EQ(spec.SideClearance, 0);
}

}  // namespace
}  // namespace stowbel
