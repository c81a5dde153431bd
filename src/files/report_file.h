#pragma once

#include <string>
#include <vector>

namespace stowbel {

// The report file format: every line in Windows-1251 followed by CR LF, the last too, no BOM.
std::string EncodeReportFile(const std::vector<std::string>& lines);

// Save and Save As: writes the report lines to a file the user chose, replacing it whole.
void SaveReport(const std::string& path, const std::vector<std::string>& lines);

}  // namespace stowbel
