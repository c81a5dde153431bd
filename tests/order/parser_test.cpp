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
    EXPECT_TRUE(t.IsRectangular);
    EXPECT_TRUE(t.MayTurnAcross);
    EXPECT_FALSE(t.MayStandOnEnd);
    EXPECT_EQ(t.Quantity, 20);
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
    EXPECT_EQ(table.at(0).IsRectangular, c.square);
    EXPECT_EQ(table.at(0).MayTurnAcross, c.hRotate);
    EXPECT_EQ(table.at(0).MayStandOnEnd, c.vRotate);
    EXPECT_EQ(table.at(0).Quantity, c.quantity);
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
    EXPECT_EQ(spec.HowManyContainers, c.hman);
    EXPECT_EQ(spec.ContinueFirstTwoOnly, c.idbl);
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
    EXPECT_FALSE(spec.HowManyContainers);
    EXPECT_FALSE(spec.ContinueFirstTwoOnly);
}

TEST(ParseContainerLineTest, DecimalSeparatorOfTheRegion) {
    Container spec;
    ParseContainerLine("2450.5,16100,2200,50,0,ISIN", 0, kPoint, spec);
    EXPECT_EQ(spec.Width, 2450.5);
    try {
        ParseContainerLine("2450.5,16100,2200,50,0,ISIN", 0, kComma, spec);
        FAIL();
    } catch (const OrderError& e) {
        EXPECT_EQ(e.Message(), "'2450.5' is not a valid floating point value");
        EXPECT_EQ(e.Line(), 1);
    }
}

struct ErrorCase {
    const char* line;
    bool container;
    OrderError::Kind kind;
    const char* message;
};

std::ostream& operator<<(std::ostream& os, const ErrorCase& c) {
    return os << c.line;
}

class ParseErrorCases : public testing::TestWithParam<ErrorCase> {};

// The message is bare: where the error is (file, line) is for the front end to say.
TEST_P(ParseErrorCases, RaisesTheBareMessageAndTheLineNumber) {
    const ErrorCase& c = GetParam();
    Container spec;
    CargoTable table;
    try {
        if (c.container) {
            ParseContainerLine(c.line, 4, kPoint, spec);
        } else {
            ParseCargoLine(c.line, 4, kPoint, table);
        }
        FAIL() << "no error for " << c.line;
    } catch (const OrderError& e) {
        EXPECT_EQ(e.Message(), c.message);
        EXPECT_EQ(e.GetKind(), c.kind);
        EXPECT_EQ(e.Line(), 5);
    }
}

constexpr auto kConversion = OrderError::Kind::Conversion;
constexpr auto kValidation = OrderError::Kind::Validation;
constexpr const char* kEmptyFloat = "'' is not a valid floating point value";
constexpr const char* kEmptyInteger = "'' is not a valid integer value";

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseErrorCases,
    testing::Values(
        ErrorCase{"2450, 16100,2200,50,0,HMAN", true, kConversion, kEmptyFloat},
        ErrorCase{"2450,16100,2200", true, kConversion, kEmptyFloat},
        ErrorCase{"2450,16100,2200,50,1.2.3,ISIN", true, kConversion,
                  "'1.2.3' is not a valid floating point value"},
        ErrorCase{"800,1200,2100,BOX,1,0,20", false, kConversion, kEmptyInteger},
        ErrorCase{"800,1200,2100,sqr,1,0,20", false, kConversion, kEmptyInteger},
        ErrorCase{"800,1200,2100,SQRE,1,0,20", false, kConversion, kEmptyInteger},
        ErrorCase{"800,1200,2100,SQR", false, kConversion, kEmptyInteger},
        ErrorCase{"800,1200,2100,SQR,1,0,", false, kConversion, kEmptyInteger},
        ErrorCase{"800,1200", false, kConversion, kEmptyFloat},
        ErrorCase{"800,1200,2100,SQR,1,0,2147483648", false, kConversion,
                  "'2147483648' is not a valid integer value"},
        ErrorCase{"0,16100,2200,50,0,ISIN", true, kValidation,
                  "поле «Ширина» должно быть больше нуля, а указано 0."},
        ErrorCase{"2450,0.0,2200,50,0,ISIN", true, kValidation,
                  "поле «Длина» должно быть больше нуля, а указано 0."},
        ErrorCase{"2450,16100,.0,50,0,ISIN", true, kValidation,
                  "поле «Высота» должно быть больше нуля, а указано 0."},
        ErrorCase{"0,1200,2100,SQR,1,0,20", false, kValidation,
                  "поле «ГЕ-Ширина» должно быть больше нуля, а указано 0."},
        ErrorCase{"800,0,2100,RND,1,0,20", false, kValidation,
                  "поле «Длина» должно быть больше нуля, а указано 0."},
        ErrorCase{"800,1200,0,SQR,1,0,20", false, kValidation,
                  "поле «Высота» должно быть больше нуля, а указано 0."},
        ErrorCase{"2450,16100,2200,50,1000000.5,ISIN", true, kValidation,
                  "значение поля «ОтступМеждуГЕ» слишком велико, допустимо не более 1000000 мм."},
        ErrorCase{"800,99999999999999999999,2100,SQR,1,0,5", false, kValidation,
                  "значение поля «Длина» слишком велико, допустимо не более 1000000 мм."},
        ErrorCase{"800,1200,2100,SQR,1,0,65536", false, kValidation,
                  "количество 65536 шт. больше допустимого, не более 65535 шт. в строке."}));

TEST(ParseCargoLineTest, AnErrorLeavesTheFieldsBeforeItWritten) {
    CargoTable table;
    table[2] = CargoType{1, 2, 3, false, true, true, false, 9, std::nullopt};
    EXPECT_THROW(ParseCargoLine("800,1200,x", 2, kPoint, table), OrderError);
    const CargoType& t = table.at(2);
    EXPECT_EQ(t.Width, 800);
    EXPECT_EQ(t.Length, 1200);
    EXPECT_EQ(t.Height, 3);
    EXPECT_FALSE(t.IsRectangular);
    EXPECT_EQ(t.Quantity, 9);
}

TEST(ParseCargoLineTest, FlagsBeyondTheEndReadFalse) {
    CargoTable table;
    table[0].MayTurnAcross = true;
    table[0].MayStandOnEnd = true;
    EXPECT_THROW(ParseCargoLine("800,1200,2100,SQR,1", 0, kPoint, table), OrderError);
    EXPECT_TRUE(table.at(0).MayTurnAcross);
    EXPECT_FALSE(table.at(0).MayStandOnEnd);
}

TEST(ParseCargoLineTest, TableGrowsForLinesBeyond255) {
    CargoTable table;
    ParseCargoLine("800,1200,2100,SQR,1,0,20", 300, kPoint, table);
    EXPECT_GE(table.size(), 301U);
    EXPECT_EQ(table.at(300).Quantity, 20);
}

TEST(ParseContainerLineTest, ClearanceAndGapMayBeZero) {
    Container spec;
    ParseContainerLine("2450,16100,2200,0,0,ISIN", 0, kPoint, spec);
    EXPECT_EQ(spec.SideClearance, 0);
}

}  // namespace
}  // namespace stowbel
