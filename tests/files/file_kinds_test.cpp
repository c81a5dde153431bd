#include "files/file_kinds.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "../temp_dir.h"
#include "files/file_error.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;

struct TargetCase {
    const char* name;
    std::function<std::string(const TempDir&)> make;  // returns the target's path
    const char* refusal;                              // empty when the target is accepted
};

std::ostream& operator<<(std::ostream& os, const TargetCase& c) {
    return os << c.name;
}

std::string Socket(const TempDir& dir) {
    const std::string path = dir / "socket";
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    close(fd);
    return path;
}

class SpecialTargetCases : public testing::TestWithParam<TargetCase> {};

TEST_P(SpecialTargetCases, AreRefusedAndLeftAsTheyAre) {
    const TempDir dir;
    const std::string path = GetParam().make(dir);
    const std::string refusal = GetParam().refusal;
    struct stat before {};
    stat(path.c_str(), &before);
    if (refusal.empty()) {
        EXPECT_NO_THROW(RefuseSpecialTarget(path));
        return;
    }
    try {
        RefuseSpecialTarget(path);
        FAIL() << "accepted " << path;
    } catch (const FileError& e) {
        EXPECT_EQ(e.Path(), path);
        EXPECT_NE(std::string(e.what()).find(refusal), std::string::npos) << e.what();
    }
    struct stat after {};
    stat(path.c_str(), &after);
    EXPECT_EQ(before.st_mode, after.st_mode);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, SpecialTargetCases,
    testing::Values(
        TargetCase{"Missing", [](const TempDir& d) { return d / "plan.pdf"; }, ""},
        TargetCase{"RegularFile", [](const TempDir& d) { return d.Write("plan.pdf", "old"); }, ""},
        TargetCase{"LinkToARegularFile",
                   [](const TempDir& d) {
                       fs::create_symlink(d.Write("real.pdf", "old"), d / "plan.pdf");
                       return d / "plan.pdf";
                   },
                   ""},
        TargetCase{"Fifo",
                   [](const TempDir& d) {
                       mkfifo((d / "fifo").c_str(), 0600);
                       return d / "fifo";
                   },
                   "именованный канал"},
        TargetCase{"Socket", Socket, "сокет"},
        TargetCase{"Device", [](const TempDir&) { return std::string("/dev/null"); }, "устройство"},
        TargetCase{"Directory",
                   [](const TempDir& d) {
                       fs::create_directory(d / "dir");
                       return d / "dir";
                   },
                   "каталог"}),
    [](const testing::TestParamInfo<TargetCase>& p) { return std::string(p.param.name); });

TEST(RealDirectoryTest, ALinkOrAFileIsNoFolderToMoveInto) {
    const TempDir dir;
    fs::create_directory(dir / "real");
    fs::create_directory_symlink(dir / "real", dir / "link");
    dir.Write("file", "x");
    EXPECT_EQ(WhyNotARealDirectory(dir / "real"), std::nullopt);
    EXPECT_EQ(WhyNotARealDirectory(dir / "missing"), std::nullopt);
    EXPECT_EQ(WhyNotARealDirectory(dir / "link"), "это символическая ссылка, а не папка");
    EXPECT_EQ(WhyNotARealDirectory(dir / "file"), "это файл, а не папка");
}

}  // namespace
}  // namespace stowbel
