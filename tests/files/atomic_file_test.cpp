#include "files/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../temp_dir.h"
#include "files/file_error.h"

namespace stowbel {
namespace {

namespace fs = std::filesystem;

TEST(AtomicFileTest, ReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string file = dir.Write("r0001.txt", "old old old old");
    WriteFileAtomically(file, "new");
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(AtomicFileTest, FailureNamesThePath) {
    TempDir dir;
    try {
        WriteFileAtomically(dir / "missing/r0001.txt", "x");
        FAIL();
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("missing/r0001.txt"), std::string::npos);
    }
    fs::create_directory(dir / "sub");
    EXPECT_THROW(WriteFileAtomically(dir / "sub", "x"), FileError);
    EXPECT_TRUE(fs::is_directory(dir / "sub"));
}

TEST(AtomicFileTest, AFailedWriteKeepsTheOldFile) {
    TempDir dir;
    // A name of 250 bytes leaves no room for the temporary file's suffix beside it, so the write
    // fails (for any user, root too) after the old file was there.
    const std::string file = dir.Write(std::string(250, 'r'), "old");
    EXPECT_THROW(WriteFileAtomically(file, "new"), FileError);
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(AtomicFileTest, ReadingRefusesDirectoriesAndMissingFiles) {
    TempDir dir;
    EXPECT_THROW(ReadWholeFile(dir.Path().string()), FileError);
    EXPECT_THROW(ReadWholeFile(dir / "none.txt"), FileError);
    EXPECT_EQ(ReadWholeFile(dir.Write("t.txt", "abc")), "abc");
}

}  // namespace
}  // namespace stowbel
