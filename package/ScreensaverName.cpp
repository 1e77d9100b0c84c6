#include "ScreensaverName.h"

#include "framework/base/SysUtils.h"

#include <algorithm>

namespace {

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// Characters that Windows refuses in any file name, besides the separators
// and control characters.
const char kWindowsReserved[] = ":*?\"<>|";

const char* const kDeviceNames[] = {"CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4",
                                    "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3",
                                    "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

TNameProblem Problem(TNameFault fault, std::string reason) {
    return TNameProblem{fault, std::move(reason)};
}

// The device a name opens on Windows: its part before the first dot, with
// the blanks Windows drops at its end, compared without regard to case.
const char* DeviceNamed(const std::string& name) {
    std::string stem = name.substr(0, name.find('.'));
    stem.erase(stem.find_last_not_of(' ') + 1);
    stem = UpperCase(stem);
    for (const char* device : kDeviceNames)
        if (stem == device)
            return device;
    return nullptr;
}

} // namespace

TNameProblem ScreensaverNameProblem(const std::string& name) {
    using enum TNameFault;
    if (name.empty())
        return Problem(nfNotAFileName, "the name is empty");
    if (name == "." || name == "..")
        return Problem(nfNotAFileName, "\"" + name + "\" names a folder");
    for (unsigned char c : name) {
        if (c == '/' || c == '\\')
            return Problem(nfNotAFileName, Format("\"%c\" separates folders", c));
        if (IsControl(c))
            return Problem(nfNotAFileName, Format("\\x%02X is a control character", c));
    }
    if (name.find_first_not_of(' ') == std::string::npos)
        return Problem(nfNotOnWindows, "the name is only blanks");
    const size_t reserved = name.find_first_of(kWindowsReserved);
    if (reserved != std::string::npos)
        return Problem(nfNotOnWindows,
                       Format("\"%c\" is not allowed in Windows file names", name[reserved]));
    if (name.back() == '.')
        return Problem(nfNotOnWindows, "Windows drops the dot at the end of a name");
    if (name.back() == ' ')
        return Problem(nfNotOnWindows, "Windows drops the blank at the end of a name");
    if (const char* device = DeviceNamed(name))
        return Problem(nfNotOnWindows, Format("%s is a Windows device name", device));
    return {};
}

std::string PrintableName(const std::string& name) {
    std::string out;
    for (unsigned char c : name)
        out += IsControl(c) ? Format("\\x%02X", c) : std::string(1, static_cast<char>(c));
    return out;
}
