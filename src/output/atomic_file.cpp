#include "output/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "output/file_error.h"

namespace stowbel {

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

class TempFile {
public:
    explicit TempFile(const std::string& target) : path_(target + ".XXXXXX.tmp") {
        fd_ = mkstemps(path_.data(), 4);
        if (fd_ < 0) {
            throw FileError(target, Reason(errno));
        }
    }
    ~TempFile() {
        if (fd_ >= 0) {
            close(fd_);
        }
        if (!committed_) {
            unlink(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    void Write(std::string_view bytes, const std::string& target) {
        while (!bytes.empty()) {
            const ssize_t n = write(fd_, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw FileError(target, Reason(errno));
            }
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }

    void CommitAs(const std::string& target) {
        // Others may read the results: the usual permissions, not mkstemp's 0600.
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd_, 0666 & ~mask);
        if (fsync(fd_) != 0 || close(fd_) != 0) {
            const int error = errno;
            fd_ = -1;
            throw FileError(target, Reason(error));
        }
        fd_ = -1;
        if (rename(path_.c_str(), target.c_str()) != 0) {
            throw FileError(target, Reason(errno));
        }
        committed_ = true;
    }

private:
    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        throw FileError(path, "это каталог, а не файл");
    }
    TempFile temp(path);
    temp.Write(bytes, path);
    temp.CommitAs(path);
}

std::string ReadWholeFile(const std::string& path, std::uintmax_t maxBytes) {
    // Non-blocking so that a named pipe in place of a file cannot hang the reader.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        throw FileError(path, Reason(errno));
    }
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        const int error = errno;
        close(fd);
        throw FileError(path, Reason(error));
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        throw FileError(path,
                        S_ISDIR(st.st_mode) ? "это каталог, а не файл" : "это не обычный файл");
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            close(fd);
            throw FileError(path, Reason(error));
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > maxBytes) {
            close(fd);
            throw FileError(path, "файл слишком велик");
        }
    }
    close(fd);
    return bytes;
}

}  // namespace stowbel
