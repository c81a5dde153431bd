#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace stowbel {

// A file written in full and flushed to disk beside its path, not yet under its name. Several
// can be prepared at once (each on its own thread) and then put in place in a fixed order.
// One that is never committed leaves nothing behind.
class PreparedFile {
public:
    // Throws FileError naming path.
    PreparedFile(const std::string& path, std::string_view bytes);
    ~PreparedFile();
    PreparedFile(PreparedFile&&) noexcept;
    PreparedFile& operator=(PreparedFile&&) noexcept;

    // Renames the file over its path: a reader sees either the old file or the whole new one.
    // Throws FileError naming the path.
    void Commit();

private:
    struct Temporary;
    std::string target_;
    std::unique_ptr<Temporary> temporary_;
};

// Prepares the file and commits it at once. Throws FileError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole regular file of at most maxBytes. Throws FileError naming the path.
std::string ReadWholeFile(const std::string& path,
                          std::uintmax_t maxBytes = static_cast<std::uintmax_t>(-1));

}  // namespace stowbel
