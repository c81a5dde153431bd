#include "files/result_files.h"

#include <gtest/gtest.h>

#include <ostream>

namespace stowbel {
namespace {

struct PathCase {
    const char* dir;
    const char* order;
    const char* result;
};

std::ostream& operator<<(std::ostream& os, const PathCase& c) {
    return os << c.order;
}

class ResultPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(ResultPathTest, DropsOneLowercaseTAndKeepsTheExtension) {
    EXPECT_EQ(ResultPath(GetParam().dir, GetParam().order), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Names, ResultPathTest,
                         testing::Values(PathCase{"OUT", "IN/t0001.txt", "OUT/r0001.txt"},
                                         PathCase{"OUT/", "/x/IN/T0001.txt", "OUT/rT0001.txt"},
                                         PathCase{"/srv/OUT", "order.txt", "/srv/OUT/rorder.txt"},
                                         PathCase{"OUT", "tt.txt", "OUT/rt.txt"},
                                         PathCase{"OUT", "t", "OUT/r"}));

}  // namespace
}  // namespace stowbel
