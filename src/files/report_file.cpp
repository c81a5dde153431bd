#include "files/report_file.h"

#include "files/atomic_file.h"
#include "files/codepage.h"

namespace stowbel {

std::string EncodeReportFile(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += Utf8ToWindows1251(line);
        bytes += "\r\n";
    }
    return bytes;
}

void SaveReport(const std::string& path, const std::vector<std::string>& lines) {
    WriteFileAtomically(path, EncodeReportFile(lines));
}

}  // namespace stowbel
