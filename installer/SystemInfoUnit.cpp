#include "SystemInfoUnit.h"

#include "framework/base/SysUtils.h"
#include "platform/kernel32/Kernel32.h"

#include <cerrno>

#include <vector>

namespace {

// The directory queries answer into a caller's buffer; an answer that does
// not fit comes back as the size it needs, and is asked for again at that
// size rather than cut short.
template <typename Query> std::string AskWithBuffer(size_t initial, Query query) {
    std::vector<char> buffer(initial);
    for (int attempt = 0; attempt < 3; ++attempt) {
        size_t n = query(buffer.data(), static_cast<uint32_t>(buffer.size() - 1));
        if (n == 0)
            return "";
        if (n < buffer.size() - 1)
            return std::string(buffer.data(), n);
        buffer.resize(n + 1);
    }
    return "";
}

} // namespace

void TSystemInfo::GetWindowsPath(std::string& path) {
    path = AskWithBuffer(256, [](char* b, uint32_t size) { return GetWindowsDirectoryA(b, size); });
    if (path.empty())
        throw Exception("The Windows directory cannot be determined");
    path += '/';
}

void TSystemInfo::GetTempDirectory(std::string& path) {
    path = AskWithBuffer(257, [](char* b, uint32_t size) { return GetTempPathA(size, b); });
    if (path.empty())
        throw Exception("The temporary directory cannot be determined");
}

void TSystemInfo::SetDefaultScreensaver(const std::string& path) {
    std::string windows;
    GetWindowsPath(windows);
    const std::string iniFile = windows + "system.ini";
    const std::string shortPath = AskWithBuffer(
        261, [&](char* b, uint32_t size) { return GetShortPathNameA(path.c_str(), b, size); });
    if (!WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", shortPath.c_str(), iniFile.c_str()))
        throw EIniFileError(Format("Unable to write to %s", iniFile.c_str()),
                            SysErrorMessage(errno));
    // The flush writes no string, so it answers zero: no failure to report.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, iniFile.c_str());
}
