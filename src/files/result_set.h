#pragma once

#include <string>
#include <vector>

namespace stowbel {

// Every file that an outcome of an order may leave in the output directory under the order's
// result names: the report, the 2D scheme, the 3D scheme, the summary picture, the plan and the
// error file.
std::vector<std::string> ResultSetPaths(const std::string& outputDirectory,
                                        const std::string& orderFile);

// Whether every result name of the order, and the temporary name it is written under first,
// fits the longest file name the output directory allows.
bool ResultNamesFit(const std::string& outputDirectory, const std::string& orderFile);

// The error file of a faulty order: the result path with ".err". When that name is too long for
// the output directory, a shortened one: the start of the name, "~" and eight hexadecimal digits
// of the whole name, so that different long names keep different error files.
std::string ErrorFilePath(const std::string& outputDirectory, const std::string& orderFile);

// Once a new outcome is in place, removes the files of an earlier outcome that it did not make
// (a summary picture beside a new HMAN result, a report beside a new error file), so that the
// output directory never holds a mixed set. kept are the paths the new outcome wrote. Only
// files and links are removed, never a directory. Throws FileError naming the path.
void RemoveStaleResults(const std::string& outputDirectory, const std::string& orderFile,
                        const std::vector<std::string>& kept);

}  // namespace stowbel
