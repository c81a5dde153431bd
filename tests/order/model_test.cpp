#include "order/model.h"

#include <gtest/gtest.h>

#include "order/examples.h"
#include "order/parser.h"

namespace stowbel {
namespace {

TEST(CargoPaletteTest, WrapsAfterSixteenEntries) {
    EXPECT_EQ(CargoPalette::Entry(0).name, "коричневый");
    EXPECT_EQ(CargoPalette::Entry(0).colour, 0x000080U);
    EXPECT_EQ(CargoPalette::Entry(15).name, "тёмно-серый");
    EXPECT_EQ(CargoPalette::Entry(15).colour, CargoPalette::Entry(6).colour);
    EXPECT_EQ(CargoPalette::Entry(14).colour, CargoPalette::Entry(7).colour);
    EXPECT_EQ(CargoPalette::Entry(16).name, "коричневый");
    EXPECT_EQ(CargoPalette::Entry(8).colour, 0x0000FFU);  // red in the low byte
}

TEST(ExampleOrderTest, HmanExactlyElseIsin) {
    const auto hman = ExampleOrder("HMAN");
    ASSERT_EQ(hman.size(), 7U);
    EXPECT_EQ(hman[1], "2450,16100,2200,50,0,HMAN");
    EXPECT_EQ(hman[5], "800,1000,1000,SQR,1,0,50");
    for (const char* name : {"ISIN", "hman", ""}) {
        const auto isin = ExampleOrder(name);
        ASSERT_EQ(isin.size(), 7U);
        EXPECT_EQ(isin[1], "2450,16800,2200,50,30,ISIN");
        EXPECT_EQ(isin[6].substr(0, 2), "//");
    }
}

TEST(ExampleOrderTest, EveryExampleLineParses) {
    for (const char* name : {"HMAN", "ISIN"}) {
        const auto lines = ExampleOrder(name);
        Container spec;
        CargoTable table;
        ParseContainerLine(StripComment(lines[1]), 1, NumberFormat{'.'}, spec);
        for (int i = 3; i <= 5; ++i) {
            ParseCargoLine(StripComment(lines[static_cast<std::size_t>(i)]), i, NumberFormat{'.'},
                           table);
            EXPECT_TRUE(table.at(static_cast<std::size_t>(i)).IsRectangular);
        }
        EXPECT_TRUE(StripComment(lines[0]).empty());
        EXPECT_TRUE(StripComment(lines[2]).empty());
        EXPECT_TRUE(StripComment(lines[6]).empty());
    }
}

}  // namespace
}  // namespace stowbel
