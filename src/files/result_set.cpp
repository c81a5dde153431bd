#include "files/result_set.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "files/system_errors.h"
#include "output/file_error.h"
#include "output/result_files.h"

namespace stowbel {

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

std::string ErrorFilePath(const std::string& outputDirectory, const std::string& orderFile) {
    return ResultPath(outputDirectory, orderFile) + ".err";
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
