#include "files/file_kinds.h"

#include <sys/stat.h>

#include "files/file_error.h"

namespace stowbel {

void RefuseSpecialTarget(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode)) {
        return;
    }
    if (S_ISDIR(st.st_mode)) {
        throw FileError(path, "это каталог, а не файл");
    }
    if (S_ISFIFO(st.st_mode)) {
        throw FileError(path, "это именованный канал, а не обычный файл; ничего не записано");
    }
    if (S_ISSOCK(st.st_mode)) {
        throw FileError(path, "это сокет, а не обычный файл; ничего не записано");
    }
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) {
        throw FileError(path, "это устройство, а не обычный файл; ничего не записано");
    }
    throw FileError(path, "это не обычный файл; ничего не записано");
}

std::optional<std::string> WhyNotARealDirectory(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    if (S_ISLNK(st.st_mode)) {
        return "это символическая ссылка, а не папка";
    }
    if (!S_ISDIR(st.st_mode)) {
        return "это файл, а не папка";
    }
    return std::nullopt;
}

}  // namespace stowbel
