#pragma once

#include <stdexcept>
#include <string>

namespace stowbel {

// A file that could not be read or written. The message names the path.
class FileError : public std::runtime_error {
public:
    FileError(const std::string& path, const std::string& reason)
        : std::runtime_error(path + ": " + reason), path_(path) {}
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace stowbel
