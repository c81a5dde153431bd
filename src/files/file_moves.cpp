#include "files/file_moves.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace stowbel {

namespace fs = std::filesystem;

namespace {

// A directory full of one order's copies means something is wrong; better to stop than to
// look for a free name forever.
constexpr int kMaxNumberedNames = 100000;

[[noreturn]] void ThrowErrno(const char* what, const fs::path& a, const fs::path& b = {}) {
    throw fs::filesystem_error(what, a, b, std::error_code(errno, std::generic_category()));
}

// Renames without replacing an existing entry. Returns false when the target name is taken.
bool RenameNoReplace(const fs::path& from, const fs::path& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        ThrowErrno("rename", from, to);
    }
    // A file system without the flag: a hard link is refused over an existing name too.
    if (link(from.c_str(), to.c_str()) != 0) {
        if (errno == EEXIST) {
            return false;
        }
        ThrowErrno("link", from, to);
    }
    if (unlink(from.c_str()) != 0) {
        const int error = errno;
        unlink(to.c_str());
        errno = error;
        ThrowErrno("unlink", from);
    }
    return true;
}

}  // namespace

void SyncDirectory(const fs::path& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        ThrowErrno("open directory", directory);
    }
    // Some file systems cannot sync a directory (EINVAL); they have nothing to make durable.
    if (fsync(fd) != 0 && errno != EINVAL) {
        const int error = errno;
        close(fd);
        errno = error;
        ThrowErrno("fsync directory", directory);
    }
    close(fd);
}

fs::path MoveWithoutOverwriting(const fs::path& file, const fs::path& directory) {
    fs::create_directories(directory);
    const std::string stem = file.stem().string();
    const std::string extension = file.extension().string();
    fs::path target = directory / file.filename();
    for (int n = 1; !RenameNoReplace(file, target); ++n) {
        if (n > kMaxNumberedNames) {
            errno = EEXIST;
            ThrowErrno("rename", file, target);
        }
        target = directory / (stem + "-" + std::to_string(n) + extension);
    }
    // The move has happened; syncing only makes it outlive a power cut, after which an order
    // that is back in its old place is merely calculated once more.
    for (const fs::path& changed :
         {directory, file.has_parent_path() ? file.parent_path() : fs::path(".")}) {
        try {
            SyncDirectory(changed);
        } catch (const fs::filesystem_error&) {
        }
    }
    return target;
}

}  // namespace stowbel
