#include "files/result_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "../temp_dir.h"
#include "files/result_files.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;

TEST(ResultSetTest, NamesEveryFileAnOutcomeMayLeave) {
    EXPECT_EQ(
        ResultSetPaths("OUT", "IN/t0001.txt"),
        (std::vector<std::string>{"OUT/r0001.txt", "OUT/r0001.txt2d.jpg", "OUT/r0001.txt3d.jpg",
                                  "OUT/r0001.txt.jpg", "OUT/r0001.txt.pdf", "OUT/r0001.txt.err"}));
    EXPECT_EQ(ErrorFilePath("OUT/", "t7.txt"), "OUT/r7.txt.err");
}

TEST(ResultSetTest, RemovesWhatTheNewOutcomeDidNotMakeAndNothingElse) {
    TempDir dir;
    const std::string out = dir.Path().string();
    // An earlier ISIN outcome with its plan, then a new error outcome.
    for (const std::string& path : ResultSetPaths(out, "t1.txt")) {
        dir.Write(fs::path(path).filename().string(), "old");
    }
    dir.Write("r2.txt", "another order");
    dir.Write("r1.txt.bak", "not a result name");
    RemoveStaleResults(out, "t1.txt", {ErrorFilePath(out, "t1.txt")});

    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(out)) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"r1.txt.bak", "r1.txt.err", "r2.txt"}));
}

TEST(ResultSetTest, LeavesADirectoryUnderAResultName) {
    TempDir dir;
    fs::create_directory(dir / "r1.txt.jpg");
    RemoveStaleResults(dir.Path().string(), "t1.txt", {});
    EXPECT_TRUE(fs::is_directory(dir / "r1.txt.jpg"));
}

TEST(ResultSetTest, LongOrderNamesDoNotFitButStillGetAnErrorFile) {
    TempDir dir;
    const std::string out = dir.Path().string();
    const std::string fits = "t" + std::string(200, 'a') + ".txt";
    const std::string tooLong = "t" + std::string(240, 'a') + ".txt";
    const std::string tooLongToo = "t" + std::string(240, 'a') + "b.txt";
    EXPECT_TRUE(ResultNamesFit(out, fits));
    EXPECT_FALSE(ResultNamesFit(out, tooLong));
    EXPECT_EQ(ErrorFilePath(out, fits), ResultPath(out, fits) + ".err");
    const std::string shortened = ErrorFilePath(out, tooLong);
    const std::string name = fs::path(shortened).filename().string();
    EXPECT_LE(name.size() + 11, 255U);
    EXPECT_TRUE(name.starts_with("raaaa")) << name;
    EXPECT_TRUE(name.ends_with(".err")) << name;
    EXPECT_NE(shortened, ErrorFilePath(out, tooLongToo));
    // The shortened name can be written.
    dir.Write(name, "error");
    EXPECT_TRUE(fs::exists(shortened));
    // Cyrillic names are cut between characters: two bytes each.
    const std::string cyrillic = ErrorFilePath(
        out, "t" + std::string(120, 'x') + [] {
            std::string s;
            for (int i = 0; i < 100; ++i) {
                s += "я";
            }
            return s;
        }() + ".txt");
    const std::string cut = fs::path(cyrillic).filename().string();
    const std::size_t tilde = cut.rfind('~');
    ASSERT_NE(tilde, std::string::npos);
    EXPECT_NE(static_cast<unsigned char>(cut[tilde - 1]), 0xD1) << "a character cut in two";
}

}  // namespace
}  // namespace stowbel
