#include "files/report_file.h"

#include <gtest/gtest.h>

namespace stowbel {
namespace {

TEST(ReportFileTest, Windows1251WithCrLfAfterEveryLine) {
    const std::string bytes = EncodeReportFile({"Заказ 1 ё", "угол 28°,  ", ""});
    EXPECT_EQ(bytes, "\xC7\xE0\xEA\xE0\xE7 1 \xB8\r\n\xF3\xE3\xEE\xEB 28\xB0,  \r\n\r\n");
    EXPECT_EQ(EncodeReportFile({"✓ x"}), "? x\r\n");
    EXPECT_EQ(EncodeReportFile({}), "");
}

}  // namespace
}  // namespace stowbel
