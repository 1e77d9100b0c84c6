#include "platform/kernel32/Kernel32.h"

#include "platform/kernel32/FileIO.h"
#include "platform/kernel32/IniText.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace {

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string WindowsDirectory() {
    std::string windir = EnvOrEmpty("WINDIR");
    if (!windir.empty())
        return windir;
    std::string prefix = EnvOrEmpty("WINEPREFIX");
    if (!prefix.empty())
        return prefix + "/drive_c/windows";
    return EnvOrEmpty("HOME") + "/.wine/drive_c/windows";
}

// Copies `answer` the way the Windows directory queries do.
DWORD CopyAnswer(const std::string& answer, char* buffer, DWORD size) {
    DWORD needed = static_cast<DWORD>(answer.size()) + 1;
    if (buffer == nullptr || size < needed)
        return needed;
    std::memcpy(buffer, answer.c_str(), needed);
    return needed - 1;
}

bool ReadWholeFile(const std::string& path, std::string& text, bool& exists) {
    struct stat info {};
    exists = ::stat(path.c_str(), &info) == 0;
    if (!exists) {
        text.clear();
        return true;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return !in.bad();
}

} // namespace

UINT GetWindowsDirectoryA(char* buffer, UINT size) { return CopyAnswer(WindowsDirectory(), buffer, size); }

UINT GetSystemDirectoryA(char* buffer, UINT size) {
    return CopyAnswer(WindowsDirectory() + "/system32", buffer, size);
}

DWORD GetTempPathA(DWORD size, char* buffer) {
    std::string dir = EnvOrEmpty("TMPDIR");
    if (dir.empty())
        dir = "/tmp";
    if (dir.back() != '/')
        dir += '/';
    return CopyAnswer(dir, buffer, size);
}

DWORD GetShortPathNameA(const char* longPath, char* shortPath, DWORD size) {
    struct stat info {};
    if (longPath == nullptr || ::stat(longPath, &info) != 0)
        return 0;
    return CopyAnswer(longPath, shortPath, size);
}

BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName) {
    if (fileName == nullptr)
        return FALSE;
    if (section == nullptr)
        return key == nullptr && value == nullptr ? TRUE : FALSE;

    std::string text;
    bool exists = false;
    if (!ReadWholeFile(fileName, text, exists))
        return FALSE;
    std::optional<std::string> keyName, newValue;
    if (key)
        keyName = key;
    if (value)
        newValue = value;
    std::string edited = SetIniValue(text, section, keyName, newValue);
    if (exists && edited == text)
        return TRUE;
    return ReplaceFileContents(fileName, edited.data(), edited.size()) ? TRUE : FALSE;
}

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName) {
    if (buffer == nullptr || size == 0)
        return 0;
    std::string text;
    bool exists = false;
    std::optional<std::string> found;
    if (section && key && fileName && ReadWholeFile(fileName, text, exists))
        found = GetIniValue(text, section, key);
    std::string answer = found ? *found : (defaultValue ? defaultValue : "");
    size_t n = std::min<size_t>(answer.size(), size - 1);
    std::memcpy(buffer, answer.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}

namespace {
// Outlives static destruction: a backend destroyed at exit restores it.
std::function<void(DWORD)>& SleepHandler() {
    static auto* handler = new std::function<void(DWORD)>;
    return *handler;
}
} // namespace

void Sleep(DWORD milliseconds) {
    if (SleepHandler()) {
        SleepHandler()(milliseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::function<void(DWORD)> SetSleepHandler(std::function<void(DWORD)> handler) {
    std::function<void(DWORD)> previous = std::move(SleepHandler());
    SleepHandler() = std::move(handler);
    return previous;
}
