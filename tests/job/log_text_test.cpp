#include "job/log_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace stowbel {
namespace {

struct EscapeCase {
    std::string text;
    std::string logged;
};

std::ostream& operator<<(std::ostream& os, const EscapeCase& c) {
    return os << c.logged;
}

class EscapeForLogCases : public testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeForLogCases, KeepsEveryNameOnItsOwnLine) {
    const EscapeCase& c = GetParam();
    const std::string logged = EscapeForLog(c.text);
    EXPECT_EQ(logged, c.logged);
    EXPECT_EQ(logged.find('\n'), std::string::npos);
    EXPECT_EQ(logged.find('\r'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Names, EscapeForLogCases,
                         testing::Values(EscapeCase{"t0001.txt", "t0001.txt"},
                                         EscapeCase{"tЗаказ 1.txt", "tЗаказ 1.txt"},
                                         EscapeCase{
                                             "t1.txt\n2026-12-11 04:00:00 t2.txt: рассчитан",
                                             "t1.txt\\n2026-12-11 04:00:00 t2.txt: рассчитан"},
                                         EscapeCase{"t\r\t.txt", "t\\r\\t.txt"},
                                         EscapeCase{"t\x1b[31m.txt", "t\\x1b[31m.txt"},
                                         EscapeCase{std::string("t\0.txt", 6), "t\\x00.txt"},
                                         EscapeCase{"t\x7f.txt", "t\\x7f.txt"},
                                         EscapeCase{"t\xc2\x85.txt", "t\\u0085.txt"},
                                         EscapeCase{"t\xe2\x80\xa8.txt", "t\\u2028.txt"},
                                         EscapeCase{"t\xe2\x80\xa9.txt", "t\\u2029.txt"}));

}  // namespace
}  // namespace stowbel
