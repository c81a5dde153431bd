#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace stowbel {

// A file written in full and flushed to disk beside its path, not yet under its name. Several
// can be prepared at once (each on its own thread) and then put in place in a fixed order.
// One that is never committed leaves nothing behind. The temporary file is locked while it
// exists, so that RemoveAbandonedTempFiles can tell a living writer's file from one left by a
// killed writer.
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

// Prepares the file and commits it at once: a reader sees either the old file or the whole new
// one, never half of it. Throws FileError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Removes the temporary files of WriteFileAtomically in directory whose writer is gone (killed
// between writing and renaming). Returns how many were removed, or -1 when the directory could
// not be read (it may be missing for a while); never throws.
int RemoveAbandonedTempFiles(const std::string& directory);

// Reads a whole regular file of at most maxBytes. Throws FileError naming the path.
std::string ReadWholeFile(const std::string& path,
                          std::uintmax_t maxBytes = static_cast<std::uintmax_t>(-1));

// Test hook, for the soak test of watch mode only: while the environment names a file in
// STOWBEL_TEST_WRITE_FAULT_FILE and that file exists, committing a prepared file fails, as a
// full disk would. The file may hold a probability (0.3) for failing
// only some of the writes; empty, every write fails.
inline constexpr const char* kWriteFaultVariable = "STOWBEL_TEST_WRITE_FAULT_FILE";

}  // namespace stowbel
