#include "files/result_set.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "files/file_error.h"
#include "files/result_files.h"
#include "files/system_errors.h"

namespace stowbel {

namespace {

// What a result name may add to the order's name: "r" for the "t" and at most "2d.jpg", and a
// prepared file's temporary name adds a dot, six characters and ".tmp" to that.
constexpr std::size_t kLongestSuffix = 6;
constexpr std::size_t kTemporarySuffix = 11;

std::size_t LongestName(const std::string& outputDirectory) {
    const long limit =
        pathconf(outputDirectory.empty() ? "." : outputDirectory.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

std::string FileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// FNV-1a: a short, stable tag of a long name.
std::uint32_t NameTag(const std::string& name) {
    std::uint32_t hash = 2166136261U;
    for (const char ch : name) {
        hash = (hash ^ static_cast<unsigned char>(ch)) * 16777619U;
    }
    return hash;
}

// At most length bytes of text, not cutting a UTF-8 character in two.
std::string Utf8Prefix(const std::string& text, std::size_t length) {
    if (text.size() <= length) {
        return text;
    }
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        --length;
    }
    return text.substr(0, length);
}

}  // namespace

std::vector<std::string> ResultSetPaths(const std::string& outputDirectory,
                                        const std::string& orderFile) {
    const std::string base = ResultPath(outputDirectory, orderFile);
    return {base,
            base + "2d.jpg",
            base + "3d.jpg",
            base + ".jpg",
            PlanPath(outputDirectory, orderFile),
            ErrorFilePath(outputDirectory, orderFile)};
}

bool ResultNamesFit(const std::string& outputDirectory, const std::string& orderFile) {
    const std::string base = FileName(ResultPath(outputDirectory, orderFile));
    return base.size() + kLongestSuffix + kTemporarySuffix <= LongestName(outputDirectory);
}

std::string ErrorFilePath(const std::string& outputDirectory, const std::string& orderFile) {
    const std::string path = ResultPath(outputDirectory, orderFile) + ".err";
    const std::string name = FileName(path);
    const std::size_t longest = LongestName(outputDirectory);
    if (name.size() + kTemporarySuffix <= longest) {
        return path;
    }
    char tag[16];
    std::snprintf(tag, sizeof tag, "~%08x.err", static_cast<unsigned>(NameTag(name)));
    const std::size_t room = longest - kTemporarySuffix - std::string(tag).size();
    return path.substr(0, path.size() - name.size()) + Utf8Prefix(name, room) + tag;
}

void RemoveStaleResults(const std::string& outputDirectory, const std::string& orderFile,
                        const std::vector<std::string>& kept) {
    for (const std::string& path : ResultSetPaths(outputDirectory, orderFile)) {
        if (std::find(kept.begin(), kept.end(), path) != kept.end()) {
            continue;
        }
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
            continue;  // nothing there, or nothing an outcome made
        }
        if (unlink(path.c_str()) != 0 && errno != ENOENT) {
            throw FileError(path, SystemErrorText(errno));
        }
    }
}

}  // namespace stowbel
