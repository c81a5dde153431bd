#include "files/codepage.h"

#include <gtest/gtest.h>

namespace stowbel {
namespace {

TEST(CodepageTest, RoundTripOfTheReportAlphabet) {
    const std::string text = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя°";
    EXPECT_EQ(Windows1251ToUtf8(Utf8ToWindows1251(text)), text);
}

}  // namespace
}  // namespace stowbel
