#include "files/system_errors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <ostream>

namespace stowbel {
namespace {

struct ErrorTextCase {
    int error;
    FileAccess access;
    const char* text;
};

std::ostream& operator<<(std::ostream& os, const ErrorTextCase& c) {
    return os << "errno " << c.error;
}

class SystemErrorTextCases : public testing::TestWithParam<ErrorTextCase> {};

TEST_P(SystemErrorTextCases, SaysWhatHappenedInRussian) {
    const ErrorTextCase& c = GetParam();
    EXPECT_EQ(SystemErrorText(c.error, c.access), c.text);
    EXPECT_EQ(SystemErrorText(std::error_code(c.error, std::generic_category()), c.access), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SystemErrorTextCases,
    testing::Values(ErrorTextCase{ENOSPC, FileAccess::Write, "нет места на диске"},
                    ErrorTextCase{EACCES, FileAccess::Write, "нет доступа"},
                    ErrorTextCase{EPERM, FileAccess::Read, "нет доступа"},
                    ErrorTextCase{ENOENT, FileAccess::Write, "папка не найдена"},
                    ErrorTextCase{ENOENT, FileAccess::Read, "файл не найден"},
                    ErrorTextCase{EROFS, FileAccess::Write, "диск доступен только для чтения"},
                    ErrorTextCase{ENAMETOOLONG, FileAccess::Write, "слишком длинное имя файла"},
                    ErrorTextCase{EISDIR, FileAccess::Read, "это папка, а не файл"},
                    ErrorTextCase{12345, FileAccess::Write, "системная ошибка 12345"}));

TEST(SystemErrorTextTest, FilesystemErrorsCarryTheirCode) {
    std::error_code ec;
    EXPECT_EQ(std::filesystem::file_size("/nonexistent-stowbel-folder/file", ec),
              static_cast<std::uintmax_t>(-1));
    EXPECT_EQ(SystemErrorText(ec, FileAccess::Read), "файл не найден");
}

}  // namespace
}  // namespace stowbel
