#include "files/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "files/file_error.h"

namespace stowbel {

namespace {

// Temporary names: the target's name, a dot, six random characters, ".tmp".
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kTempRandomLength = 6;

std::string Reason(int error) {
    return std::strerror(error);
}

bool IsTempName(std::string_view name) {
    constexpr std::size_t tail = 1 + kTempRandomLength + kTempSuffix.size();
    if (name.size() <= tail || !name.ends_with(kTempSuffix) || name[name.size() - tail] != '.') {
        return false;
    }
    const std::string_view random = name.substr(name.size() - tail + 1, kTempRandomLength);
    return std::all_of(random.begin(), random.end(),
                       [](unsigned char ch) { return std::isalnum(ch) != 0; });
}

// The soak test's injected write failures; see kWriteFaultVariable.
bool InjectedWriteFault() {
    const char* control = std::getenv(kWriteFaultVariable);
    if (control == nullptr || *control == '\0') {
        return false;
    }
    std::ifstream file(control);
    if (!file) {
        return false;
    }
    double probability = 1.0;
    if (!(file >> probability)) {
        probability = 1.0;
    }
    std::random_device device;
    return std::uniform_real_distribution<double>(0.0, 1.0)(device) < probability;
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

// A name beside target that no file has yet: target, six random letters or digits, ".tmp".
std::string TemporaryName(const std::string& target) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string name = target + ".";
    for (std::size_t i = 0; i < kTempRandomLength; ++i) {
        name += kLetters[pick(random)];
    }
    return name + std::string(kTempSuffix);
}

// Creates the temporary file. The mode lets the umask decide who may read the results, as for
// any file the user makes; the process-wide umask is never touched, so that files can be
// prepared on several threads at once.
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
    std::string path;  // empty once nothing is left to remove
    Descriptor fd{-1};
    // Held from creating the file until it takes its name, so that RemoveAbandonedTempFiles can
    // tell a living writer's file from one left by a killed writer. On a descriptor of its own:
    // the data descriptor is closed (and its error seen) before the rename.
    Descriptor lock{-1};

    // Also when the file fails half way through being prepared. The file goes before its lock:
    // a sweep never finds it unlocked.
    ~Temporary() {
        if (!path.empty()) {
            unlink(path.c_str());
        }
    }
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
    temporary_->lock = Descriptor(open(temporary_->path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!temporary_->lock.Valid() || flock(temporary_->lock.Get(), LOCK_EX | LOCK_NB) != 0) {
        throw FileError(path, Reason(errno));
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

PreparedFile::~PreparedFile() = default;

PreparedFile::PreparedFile(PreparedFile&&) noexcept = default;
PreparedFile& PreparedFile::operator=(PreparedFile&&) noexcept = default;

void PreparedFile::Commit() {
    if (InjectedWriteFault()) {
        throw FileError(
            target_, std::string("сбой записи, вызванный проверкой (") + kWriteFaultVariable + ")");
    }
    if (rename(temporary_->path.c_str(), target_.c_str()) != 0) {
        throw FileError(target_, Reason(errno));
    }
    temporary_->path.clear();
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    PreparedFile(path, bytes).Commit();
}

int RemoveAbandonedTempFiles(const std::string& directory) {
    DIR* dir = opendir(directory.c_str());
    if (dir == nullptr) {
        return -1;
    }
    std::vector<std::string> candidates;
    while (const dirent* entry = readdir(dir)) {
        if (IsTempName(entry->d_name)) {
            candidates.emplace_back(entry->d_name);
        }
    }
    closedir(dir);
    const Descriptor dirFd(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dirFd.Valid()) {
        return -1;
    }
    int removed = 0;
    for (const std::string& name : candidates) {
        const Descriptor fd(
            openat(dirFd.Get(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!fd.Valid()) {
            continue;
        }
        struct stat st {};
        // A writer holds the lock from creating its file until the rename; a file nobody
        // holds is left from a writer that died.
        if (fstat(fd.Get(), &st) == 0 && S_ISREG(st.st_mode) &&
            flock(fd.Get(), LOCK_EX | LOCK_NB) == 0 &&
            unlinkat(dirFd.Get(), name.c_str(), 0) == 0) {
            ++removed;
        }
    }
    return removed;
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
