#include "files/file_moves.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "files/file_error.h"
#include "files/file_kinds.h"
#include "files/system_errors.h"

namespace stowbel {

namespace fs = std::filesystem;

namespace {

// A directory full of one order's copies means something is wrong; better to stop than to
// look for a free name forever.
constexpr int kMaxNumberedNames = 100000;

// Names the entry the error concerns, with the reason in Russian.
[[noreturn]] void ThrowErrno(const fs::path& path) {
    throw FileError(path.string(), SystemErrorText(errno));
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
        ThrowErrno(errno == ENOENT ? from : to);
    }
    // A file system without the flag: a hard link is refused over an existing name too.
    if (link(from.c_str(), to.c_str()) != 0) {
        if (errno == EEXIST) {
            return false;
        }
        ThrowErrno(to);
    }
    if (unlink(from.c_str()) != 0) {
        const int error = errno;
        unlink(to.c_str());
        errno = error;
        ThrowErrno(from);
    }
    return true;
}

}  // namespace

void SyncDirectory(const fs::path& directory) {
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        ThrowErrno(directory);
    }
    // Some file systems cannot sync a directory (EINVAL); they have nothing to make durable.
    if (fsync(fd) != 0 && errno != EINVAL) {
        const int error = errno;
        close(fd);
        errno = error;
        ThrowErrno(directory);
    }
    close(fd);
}

fs::path MoveWithoutOverwriting(const fs::path& file, const fs::path& directory) {
    // Nothing is moved through a link or into what is not a folder.
    if (const std::optional<std::string> problem = WhyNotARealDirectory(directory.string())) {
        throw FileError(directory.string(), *problem);
    }
    std::error_code ec;
    fs::create_directories(directory, ec);
    if (ec) {
        throw FileError(directory.string(), SystemErrorText(ec));
    }
    const std::string stem = file.stem().string();
    const std::string extension = file.extension().string();
    fs::path target = directory / file.filename();
    for (int n = 1; !RenameNoReplace(file, target); ++n) {
        if (n > kMaxNumberedNames) {
            errno = EEXIST;
            ThrowErrno(target);
        }
        target = directory / (stem + "-" + std::to_string(n) + extension);
    }
    // The move has happened; syncing only makes it outlive a power cut, after which an order
    // that is back in its old place is merely calculated once more.
    for (const fs::path& changed :
         {directory, file.has_parent_path() ? file.parent_path() : fs::path(".")}) {
        try {
            SyncDirectory(changed);
        } catch (const FileError&) {
        }
    }
    return target;
}

}  // namespace stowbel
