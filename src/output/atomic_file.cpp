#include "output/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <utility>

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
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }

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

// A name beside target that no file has yet: target, six random letters, ".tmp".
std::string TemporaryName(const std::string& target) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string name = target + ".";
    for (int i = 0; i < 6; ++i) {
        name += kLetters[pick(random)];
    }
    return name + ".tmp";
}

// Creates the temporary file; the mode lets the umask decide who may read the results, as for
// any file the user makes.
int CreateTemporary(const std::string& target, std::string& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = TemporaryName(target);
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

struct PreparedFile::Temporary {
    std::string path;
    Descriptor fd{-1};
};

PreparedFile::PreparedFile(const std::string& path, std::string_view bytes)
    : target_(path), temporary_(std::make_unique<Temporary>()) {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        throw FileError(path, "это каталог, а не файл");
    }
    temporary_->fd = Descriptor(CreateTemporary(path, temporary_->path));
    if (!temporary_->fd.Valid()) {
        const int error = errno;
        temporary_->path.clear();  // nothing was made
        throw FileError(path, Reason(error));
    }
    const int fd = temporary_->fd.Get();
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(path, Reason(errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (fsync(fd) != 0) {
        throw FileError(path, Reason(errno));
    }
    if (const int error = temporary_->fd.Close(); error != 0) {
        throw FileError(path, Reason(error));
    }
}

PreparedFile::~PreparedFile() {
    if (temporary_ && !temporary_->path.empty()) {
        unlink(temporary_->path.c_str());
    }
}

PreparedFile::PreparedFile(PreparedFile&&) noexcept = default;
PreparedFile& PreparedFile::operator=(PreparedFile&&) noexcept = default;

void PreparedFile::Commit() {
    if (rename(temporary_->path.c_str(), target_.c_str()) != 0) {
        throw FileError(target_, Reason(errno));
    }
    temporary_->path.clear();
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    PreparedFile(path, bytes).Commit();
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
