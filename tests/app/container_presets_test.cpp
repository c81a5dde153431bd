#include "app/container_presets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace stowbel {
namespace {

TEST(ContainerPresetsTest, ReadsNamesAndSizesAndSkipsCommentsAndBlankLines) {
    const ContainerPresetList list =
        ParseContainerPresets({"// name; length; width; height", "", "40' HC; 12032; 2352; 2698",
                               "  Полуприцеп-штора 13,6 м ;13600;2450;2700  // curtain-side", "\t"},
                              "presets.txt");
    ASSERT_EQ(list.presets.size(), 2u);
    EXPECT_EQ(list.presets[0].name, "40' HC");
    EXPECT_EQ(list.presets[0].sizes, (ContainerSizes{12032, 2352, 2698}));
    EXPECT_EQ(list.presets[1].name, "Полуприцеп-штора 13,6 м");
    EXPECT_EQ(list.presets[1].sizes, (ContainerSizes{13600, 2450, 2700}));
    EXPECT_TRUE(list.problems.empty());
}

TEST(ContainerPresetsTest, AFaultyLineIsNamedAndTheOthersStay) {
    struct Case {
        const char* line;
        const char* problem;
    };
    const Case cases[] = {
        {"Газель; 4000; 2000", "presets.txt, строка 2: нужно «название; длина; ширина; высота»"},
        {"; 4000; 2000; 1800", "presets.txt, строка 2: нужно «название; длина; ширина; высота»"},
        {"A; 4000; 2000; 1800; 5", "presets.txt, строка 2: нужно «название; длина; ширина"},
        {"A; 4000,5; 2000; 1800", "presets.txt, строка 2: длина «4000,5» — нужно целое число"},
        {"A; 4000; 0; 1800", "presets.txt, строка 2: ширина «0» — нужно целое число"},
        {"A; 4000; 2000; 1000001", "presets.txt, строка 2: высота «1000001» — нужно"},
        {"A; 4000; 2000; -5", "presets.txt, строка 2: высота «-5»"},
        {"A; 4000; ; 1800", "presets.txt, строка 2: ширина «»"},
    };
    for (const Case& c : cases) {
        const ContainerPresetList list = ParseContainerPresets(
            {"20'; 5898; 2352; 2393", c.line, "40'; 12032; 2352; 2393"}, "presets.txt");
        EXPECT_EQ(list.presets.size(), 2u) << c.line;
        ASSERT_EQ(list.problems.size(), 1u) << c.line;
        EXPECT_EQ(list.problems[0].rfind(c.problem, 0), 0u) << list.problems[0];
    }
    const ContainerPresetList largest = ParseContainerPresets({"A; 1000000; 1; 1"}, "presets.txt");
    ASSERT_EQ(largest.presets.size(), 1u);
}

TEST(ContainerPresetsTest, AMissingFileIsSaidAndAWindows1251FileIsRead) {
    const std::filesystem::path dir =
        std::filesystem::path(STOWBEL_TEST_OUTPUT_DIR) / "container_presets";
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "Stowbel_Containers.txt";
    std::filesystem::remove(file);
    const ContainerPresetList missing = ReadContainerPresets(file.string());
    EXPECT_TRUE(missing.presets.empty());
    ASSERT_EQ(missing.problems.size(), 1u);
    EXPECT_EQ(missing.problems[0], "Файл Stowbel_Containers.txt не найден рядом с программой.");

    std::ofstream(file, std::ios::binary) << "\xD4\xF3\xF0\xE0; 13600; 2450; 2700\r\n";  // "Фура"
    const ContainerPresetList read = ReadContainerPresets(file.string());
    ASSERT_EQ(read.presets.size(), 1u);
    EXPECT_EQ(read.presets[0].name, "Фура");
}

TEST(ContainerPresetsTest, TheShippedListHoldsTheCommonContainers) {
    const ContainerPresetList list = ReadContainerPresets(STOWBEL_PRESETS_SOURCE);
    EXPECT_TRUE(list.problems.empty());
    ASSERT_EQ(list.presets.size(), 7u);
    const ContainerSizes expected[] = {
        {5898, 2352, 2393},  {12032, 2352, 2393}, {12032, 2352, 2698}, {13556, 2352, 2698},
        {13600, 2450, 2700}, {16100, 2450, 2200}, {16800, 2450, 2200}};
    for (std::size_t i = 0; i < list.presets.size(); ++i) {
        EXPECT_EQ(list.presets[i].sizes, expected[i]) << list.presets[i].name;
    }
}

}  // namespace
}  // namespace stowbel
