#include "files/result_files.h"

namespace stowbel {

std::string ResultPath(const std::string& outputDirectory, const std::string& orderFile) {
    std::string name = orderFile.substr(orderFile.rfind('/') + 1);
    if (!name.empty() && name.front() == 't') {
        name.erase(0, 1);
    }
    std::string path = outputDirectory;
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path + "r" + name;
}

std::string PlanPath(const std::string& outputDirectory, const std::string& orderFile) {
    return ResultPath(outputDirectory, orderFile) + ".pdf";
}

}  // namespace stowbel
