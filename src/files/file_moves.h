#pragma once

#include <filesystem>
#include <string>

namespace stowbel {

// Moves a file into a directory (created when missing), never over an existing entry: a name
// that is taken gets the next free number ("t0001-1.txt"). The rename itself refuses to replace
// anything, so a name taken at the last moment by another process is skipped as well. Both
// directories are synced afterwards (as far as they can be), so the move survives a power cut.
// Returns the new path. Throws std::filesystem::filesystem_error when the file did not move.
std::filesystem::path MoveWithoutOverwriting(const std::filesystem::path& file,
                                             const std::filesystem::path& directory);

// Makes the entries of a directory (files renamed into it, files moved out) durable.
// Throws std::filesystem::filesystem_error.
void SyncDirectory(const std::filesystem::path& directory);

}  // namespace stowbel
