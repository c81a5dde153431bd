#include "output/atomic_file.h"

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
#include <vector>

#include "output/file_error.h"

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

class TempFile {
public:
    explicit TempFile(const std::string& target) : path_(target + ".XXXXXX.tmp") {
        fd_ = mkostemps(path_.data(), static_cast<int>(kTempSuffix.size()), O_CLOEXEC);
        if (fd_ < 0) {
            throw FileError(target, Reason(errno));
        }
        // The lock lives on its own descriptor so that the data descriptor can be closed (and
        // its error seen) before the rename, while the lock lasts until the rename is done.
        lockFd_ = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        if (lockFd_ < 0 || flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            Discard();
            throw FileError(target, Reason(error));
        }
    }
    ~TempFile() { Discard(); }
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
        if (InjectedWriteFault()) {
            throw FileError(target, std::string("сбой записи, вызванный проверкой (") +
                                        kWriteFaultVariable + ")");
        }
        if (rename(path_.c_str(), target.c_str()) != 0) {
            throw FileError(target, Reason(errno));
        }
        committed_ = true;
    }

private:
    void Discard() {
        if (fd_ >= 0) {
            close(fd_);
            fd_ = -1;
        }
        if (!committed_ && !path_.empty()) {
            unlink(path_.c_str());
            path_.clear();
        }
        if (lockFd_ >= 0) {
            close(lockFd_);
            lockFd_ = -1;
        }
    }

    std::string path_;
    int fd_ = -1;
    int lockFd_ = -1;
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
    const int dirFd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) {
        return -1;
    }
    int removed = 0;
    for (const std::string& name : candidates) {
        const int fd = openat(dirFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat st {};
        // A writer holds the lock from creating its file until the rename; a file nobody
        // holds is left from a writer that died.
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            unlinkat(dirFd, name.c_str(), 0) == 0) {
            ++removed;
        }
        close(fd);
    }
    close(dirFd);
    return removed;
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
