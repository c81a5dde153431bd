#include "order/container_sizes.h"

#include <gtest/gtest.h>

#include "order/examples.h"
#include "order/parser.h"

namespace stowbel {
namespace {

const ContainerSizes k40HighCube{12032, 2352, 2698};
const std::string kHeader = "//Ширина,Длина,Высота,ОтступПоБортам,ОтступМеждуГЕ,Режим";

struct LineCase {
    const char* before;
    const char* after;
};

class ContainerLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ContainerLineTest, ReplacesTheSizesAndKeepsTheRestOfTheLine) {
    const ContainerLineEdit edit = WithContainerSizes({"//order", GetParam().before}, k40HighCube);
    EXPECT_EQ(edit.lines, (std::vector<std::string>{"//order", GetParam().after}));
    EXPECT_EQ(edit.lineIndex, 1);
    EXPECT_FALSE(edit.inserted);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ContainerLineTest,
    testing::Values(LineCase{"2450,16100,2200,50,0,HMAN", "2352,12032,2698,50,0,HMAN"},
                    LineCase{"2450.5,16100,2200,50,30,IDBL", "2352,12032,2698,50,30,IDBL"},
                    // separators, blanks, trailing text and comment stay as they were
                    LineCase{"  2450;16100 2200;80;10;HMAN  // truck 7",
                             "  2352;12032 2698;80;10;HMAN  // truck 7"},
                    LineCase{"2450,16100,2200,50,0,HMAN extra", "2352,12032,2698,50,0,HMAN extra"},
                    LineCase{"2450х16100х2200,50,0,HMAN", "2352х12032х2698,50,0,HMAN"},
                    // an empty field stays empty: the calculation will point at it
                    LineCase{"2450,16100,2200,,0,HMAN", "2352,12032,2698,,0,HMAN"},
                    // what the line lacks after the height comes from the ISIN example
                    LineCase{"2450,16100,2200", "2352,12032,2698,50,30,ISIN"},
                    LineCase{"2450,16100", "2352,12032,2698,50,30,ISIN"},
                    LineCase{"2450,16100,2200,80", "2352,12032,2698,80,30,ISIN"},
                    LineCase{"2450,16100,2200,80;", "2352,12032,2698,80;30,ISIN"},
                    LineCase{"2450,16100,2200,80,0", "2352,12032,2698,80,0,ISIN"}));

TEST(ContainerSizesTest, TheEditedLineReadsAsTheNewSizesWithTheOldSettings) {
    const std::vector<std::string> order = ExampleOrder("HMAN");
    const ContainerLineEdit edit = WithContainerSizes(order, k40HighCube);
    Container before;
    Container after;
    ParseContainerLine(StripComment(order[1]), 1, NumberFormat{}, before);
    ParseContainerLine(StripComment(edit.lines[1]), 1, NumberFormat{}, after);
    EXPECT_EQ(after.Width, 2352);
    EXPECT_EQ(after.Length, 12032);
    EXPECT_EQ(after.Height, 2698);
    EXPECT_EQ(after.SideClearance, before.SideClearance);
    EXPECT_EQ(after.UnitGap, before.UnitGap);
    EXPECT_TRUE(after.HowManyContainers);
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i != 1) {
            EXPECT_EQ(edit.lines[i], order[i]) << i;
        }
    }
}

TEST(ContainerSizesTest, AnOrderWithoutAContainerLineGetsOne) {
    const std::string line = "2352,12032,2698,50,30,ISIN";
    struct Case {
        std::vector<std::string> before;
        std::vector<std::string> after;
        int lineIndex;
    };
    const std::vector<std::string> fresh = ExampleOrder("ISIN");
    const Case cases[] = {
        {{}, {kHeader, line}, 1},
        {{""}, {kHeader, line, ""}, 1},
        {{"// Иванов"}, {kHeader, line, "// Иванов"}, 1},
        // what "New" writes: the two header comments
        {{fresh[0], fresh[2]}, {fresh[0], line, fresh[2]}, 1},
        {{"// Иванов", kHeader + "\r"}, {"// Иванов", kHeader + "\r", line}, 2},
    };
    for (const Case& c : cases) {
        const ContainerLineEdit edit = WithContainerSizes(c.before, k40HighCube);
        EXPECT_EQ(edit.lines, c.after);
        EXPECT_EQ(edit.lineIndex, c.lineIndex);
        EXPECT_TRUE(edit.inserted);
    }
}

}  // namespace
}  // namespace stowbel
