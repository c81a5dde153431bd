#include "files/order_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../temp_dir.h"
#include "files/file_error.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;

TEST(OrderFileTest, Utf8WithOrWithoutBomElseWindows1251) {
    EXPECT_EQ(DecodeOrderText("\xEF\xBB\xBF//Ширина\r\n2450\n"),
              (std::vector<std::string>{"//Ширина", "2450"}));
    EXPECT_EQ(DecodeOrderText("//\xD8\xE8\xF0\xE8\xED\xE0\r2450"),
              (std::vector<std::string>{"//Ширина", "2450"}));
    EXPECT_EQ(DecodeOrderText("a\n\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(DecodeOrderText(std::string("a\0b", 3)),
              (std::vector<std::string>{std::string("a\0b", 3)}));
    EXPECT_TRUE(DecodeOrderText("").empty());
}

TEST(OrderFileTest, HugeFilesAreRefusedUnread) {
    TempDir dir;
    const std::string path = dir.Write("t.txt", "");
    fs::resize_file(path, 100 * 1024 * 1024);
    try {
        ReadOrderFile(path);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("слишком велик"), std::string::npos);
    }
}

}  // namespace
}  // namespace stowbel
