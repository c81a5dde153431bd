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

// A file descriptor closed when it goes out of scope, unless it was closed by hand to see
// whether the close itself failed.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now; returns the errno of a failed close, 0 on success.
    int Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

class TempFile {
public:
    explicit TempFile(const std::string& target)
        : path_(target + ".XXXXXX.tmp"), fd_(mkstemps(path_.data(), 4)) {
        if (!fd_.Valid()) {
            throw FileError(target, Reason(errno));
        }
    }
    ~TempFile() {
        if (!committed_) {
            unlink(path_.c_str());
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    void Write(std::string_view bytes, const std::string& target) {
        while (!bytes.empty()) {
            const ssize_t n = write(fd_.Get(), bytes.data(), bytes.size());
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
        if (fchmod(fd_.Get(), 0666 & ~mask) != 0 || fsync(fd_.Get()) != 0) {
            throw FileError(target, Reason(errno));
        }
        if (const int error = fd_.Close(); error != 0) {
            throw FileError(target, Reason(error));
        }
        if (rename(path_.c_str(), target.c_str()) != 0) {
            throw FileError(target, Reason(errno));
        }
        committed_ = true;
    }

private:
    std::string path_;
    Descriptor fd_;
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
    const Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.Valid()) {
        throw FileError(path, Reason(errno));
    }
    struct stat st {};
    if (fstat(fd.Get(), &st) != 0) {
        throw FileError(path, Reason(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        throw FileError(path,
                        S_ISDIR(st.st_mode) ? "это каталог, а не файл" : "это не обычный файл");
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(path, Reason(errno));
        }
        if (n == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > maxBytes) {
            throw FileError(path, "файл слишком велик");
        }
    }
    return bytes;
}

}  // namespace stowbel
