#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include "../temp_dir.h"
#include "files/atomic_file.h"
#include "files/file_error.h"
#include "files/file_moves.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Names(const fs::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AbandonedTempFilesTest, OnlyUnlockedTemporaryFilesOfTheWriterGo) {
    TempDir dir;
    dir.Write("r1.txt.aB3xYz.tmp", "left by a killed writer");
    dir.Write("r2.txt2d.jpg.Q1w2E3.tmp", "left by a killed writer");
    const std::string living = dir.Write("r3.txt.Zz9Zz9.tmp", "a writer is at work");
    dir.Write("r4.txt", "a result");
    dir.Write("notes.tmp", "no temporary name");
    dir.Write("r5.txt.ab-12.tmp", "no temporary name");
    fs::create_directory(dir / "r6.txt.abcdef.tmp");
    const int fd = open(living.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    EXPECT_EQ(RemoveAbandonedTempFiles(dir.Path().string()), 2);
    close(fd);
    EXPECT_EQ(Names(dir.Path()),
              (std::vector<std::string>{"notes.tmp", "r3.txt.Zz9Zz9.tmp", "r4.txt",
                                        "r5.txt.ab-12.tmp", "r6.txt.abcdef.tmp"}));
    EXPECT_EQ(RemoveAbandonedTempFiles(dir.Path().string()), 1);  // its writer is gone now
    EXPECT_EQ(RemoveAbandonedTempFiles(dir / "missing"), -1);
}

// Sets the write-fault hook for one test and clears it afterwards.
class WriteFaultTest : public testing::Test {
protected:
    void SetUp() override { setenv(kWriteFaultVariable, control_.c_str(), 1); }
    void TearDown() override { unsetenv(kWriteFaultVariable); }

    TempDir dir_;
    std::string control_ = dir_ / "fail-writes";
};

TEST_F(WriteFaultTest, WritesFailWhileTheControlFileExists) {
    const std::string file = dir_.Write("r1.txt", "old");
    WriteFileAtomically(file, "new");  // no control file: the hook is idle
    EXPECT_EQ(ReadBytes(file), "new");

    dir_.Write("fail-writes", "");
    EXPECT_THROW(WriteFileAtomically(file, "newer"), FileError);
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(Names(dir_.Path()), (std::vector<std::string>{"fail-writes", "r1.txt"}));

    dir_.Write("fail-writes", "0");  // a probability of none
    WriteFileAtomically(file, "newest");
    EXPECT_EQ(ReadBytes(file), "newest");
}

TEST(MoveWithoutOverwritingTest, MovesIntoANewDirectoryAndNumbersTakenNames) {
    TempDir dir;
    const std::string first = dir.Write("t1.txt", "first");
    EXPECT_EQ(MoveWithoutOverwriting(first, dir / "done"), dir.Path() / "done/t1.txt");
    const std::string second = dir.Write("t1.txt", "second");
    EXPECT_EQ(MoveWithoutOverwriting(second, dir / "done"), dir.Path() / "done/t1-1.txt");
    EXPECT_EQ(ReadBytes(dir / "done/t1.txt"), "first");
    EXPECT_EQ(ReadBytes(dir / "done/t1-1.txt"), "second");
    EXPECT_THROW(MoveWithoutOverwriting(dir / "t9.txt", dir / "done"), fs::filesystem_error);
    dir.Write("blocked", "");
    const std::string third = dir.Write("t1.txt", "third");
    EXPECT_THROW(MoveWithoutOverwriting(third, dir / "blocked"), fs::filesystem_error);
    EXPECT_EQ(ReadBytes(third), "third");
}

TEST(SyncDirectoryTest, SyncsADirectoryAndRefusesAMissingOne) {
    TempDir dir;
    EXPECT_NO_THROW(SyncDirectory(dir.Path()));
    EXPECT_THROW(SyncDirectory(dir.Path() / "missing"), fs::filesystem_error);
}

}  // namespace
}  // namespace stowbel
