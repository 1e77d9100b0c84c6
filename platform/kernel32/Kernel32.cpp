#include "platform/kernel32/Kernel32.h"

#include "platform/kernel32/CodePage.h"
#include "platform/kernel32/FileIO.h"
#include "platform/kernel32/IniText.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <pwd.h>
#include <unistd.h>
#include <vector>

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
    // Without HOME (a service, a cleared environment) the home folder is the
    // one the user database gives, as the shell would take it.
    std::string home = EnvOrEmpty("HOME");
    if (home.empty()) {
        const passwd* user = ::getpwuid(::getuid());
        if (user == nullptr || user->pw_dir == nullptr || *user->pw_dir == '\0')
            return std::string();
        home = user->pw_dir;
    }
    return home + "/.wine/drive_c/windows";
}

// Copies `answer` the way the Windows directory queries do.
DWORD CopyAnswer(const std::string& answer, char* buffer, DWORD size) {
    DWORD needed = static_cast<DWORD>(answer.size()) + 1;
    if (buffer == nullptr || size < needed)
        return needed;
    std::memcpy(buffer, answer.c_str(), needed);
    return needed - 1;
}

// A settings file is a few kilobytes; anything near this is no settings file,
// and reading it whole could take all the memory there is.
constexpr off_t kMaxProfileSize = 16 * 1024 * 1024;

enum class TProfileRead { Read, Missing, Refused };

// Reads a profile file whole (`path` is the operating system's name for it,
// already converted). Only a regular file is read: a FIFO would block the
// reader until some writer came along, a device may never end. The check is
// made before opening (opening a FIFO blocks too) and again on what was
// opened, which is opened without blocking in case it changed in between.
TProfileRead ReadProfileFile(const std::string& path, std::string& text) {
    text.clear();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? TProfileRead::Missing : TProfileRead::Refused;
    if (!S_ISREG(info.st_mode) || info.st_size > kMaxProfileSize) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : !S_ISREG(info.st_mode) ? EINVAL : EFBIG;
        return TProfileRead::Refused;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? TProfileRead::Missing : TProfileRead::Refused;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return TProfileRead::Refused;
    }
    // The file may have grown since it was measured: the limit holds for
    // what is read, too.
    text.reserve(static_cast<size_t>(info.st_size));
    char chunk[65536];
    int64_t n = 0;
    while (text.size() <= static_cast<size_t>(kMaxProfileSize) &&
           (n = FileRead(fd, chunk, sizeof chunk)) > 0)
        text.append(chunk, static_cast<size_t>(n));
    ::close(fd);
    if (n < 0 || text.size() > static_cast<size_t>(kMaxProfileSize)) {
        const int error = n < 0 ? errno : EFBIG;
        text.clear();
        errno = error;
        return TProfileRead::Refused;
    }
    return TProfileRead::Read;
}

// The file a chain of symbolic links ends at (which may not exist yet), or
// `path` itself when it is no link. A profile file that is a link stays one:
// its target is what gets replaced.
std::string LinkTarget(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size() - 1);
        if (n < 0)
            return path;
        std::string next(target.data(), static_cast<size_t>(n));
        const size_t slash = path.rfind('/');
        if (!next.empty() && next.front() != '/' && slash != std::string::npos)
            next = path.substr(0, slash + 1) + next;
        path = next;
    }
    return path; // a loop: reading it fails, and so does the write
}

} // namespace

UINT GetWindowsDirectoryA(char* buffer, UINT size) {
    const std::string windows = WindowsDirectory();
    return windows.empty() ? 0 : CopyAnswer(windows, buffer, size);
}

UINT GetSystemDirectoryA(char* buffer, UINT size) {
    const std::string windows = WindowsDirectory();
    return windows.empty() ? 0 : CopyAnswer(windows + "/system32", buffer, size);
}

DWORD GetTempPathA(DWORD size, char* buffer) {
    // $TMPDIR when it names a folder this process may write in, else /tmp,
    // as the C library's own temporary files do.
    std::string dir = EnvOrEmpty("TMPDIR");
    struct stat info {};
    if (dir.empty() || ::stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        ::access(dir.c_str(), W_OK | X_OK) != 0)
        dir = "/tmp";
    if (dir.back() != '/')
        dir += '/';
    return CopyAnswer(dir, buffer, size);
}

DWORD GetShortPathNameA(const char* longPath, char* shortPath, DWORD size) {
    struct stat info {};
    if (longPath == nullptr || ::stat(NativePath(longPath).c_str(), &info) != 0)
        return 0;
    return CopyAnswer(longPath, shortPath, size);
}

BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName) {
    // The flush (all three null) writes nothing, and only a write succeeds.
    if (fileName == nullptr || section == nullptr)
        return FALSE;

    const std::string target = LinkTarget(NativePath(fileName));
    std::string text;
    if (ReadProfileFile(target, text) == TProfileRead::Refused)
        return FALSE;
    std::optional<std::string> keyName, newValue;
    if (key)
        keyName = key;
    if (value)
        newValue = value;
    const std::optional<std::string> edited = SetIniFileValue(text, section, keyName, newValue);
    if (!edited) {
        errno = EILSEQ; // text the file's encoding cannot hold
        return FALSE;
    }
    // Nothing to change, and a missing file is not created to delete from.
    if (*edited == text)
        return TRUE;
    return ReplaceNativeFileContents(target, edited->data(), edited->size()) ? TRUE : FALSE;
}

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName) {
    if (buffer == nullptr || size == 0)
        return 0;
    std::string text;
    std::optional<std::string> found;
    if (section && key && fileName && ReadProfileFile(NativePath(fileName), text) == TProfileRead::Read)
        found = GetIniFileValue(text, section, key);
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
