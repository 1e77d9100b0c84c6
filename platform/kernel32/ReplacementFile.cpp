#include "platform/kernel32/ReplacementFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr char kTemporaryPrefix[] = ".ssi-";

// "<directory>.ssi-<pid>-": the start of every temporary name this process
// gives.
std::string TemporaryStem(const std::string& directory) {
    return directory + kTemporaryPrefix + std::to_string(getpid()) + "-";
}

bool WriteAll(int handle, const void* data, size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(handle, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Flushes the directory's entries: the rename that just happened in it is
// on the disk once this returns. A file system that cannot flush a directory
// (EINVAL) keeps its entries by other means.
bool FlushDirectory(const std::string& directory) {
    const int handle = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return false;
    const bool ok = ::fsync(handle) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(handle);
    errno = error;
    return ok;
}

// When process `pid` started, in seconds since the epoch; -1 when /proc
// cannot tell.
double ProcessStartTime(pid_t pid) {
    static const double bootTime = [] {
        FILE* file = std::fopen("/proc/stat", "re");
        if (file == nullptr)
            return -1.0;
        char line[256];
        long long seconds = -1;
        while (std::fgets(line, sizeof line, file) != nullptr)
            if (std::sscanf(line, "btime %lld", &seconds) == 1)
                break;
        std::fclose(file);
        return static_cast<double>(seconds);
    }();
    if (bootTime < 0)
        return -1;
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    FILE* file = std::fopen(path.c_str(), "re");
    if (file == nullptr)
        return -1;
    char buffer[1024];
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    buffer[n] = '\0';
    // The command name is in parentheses and may hold anything, parentheses
    // too; the fields after its last ')' are the state (the third field)
    // onwards, and the start time in clock ticks after boot is the 22nd.
    const char* field = std::strrchr(buffer, ')');
    if (field == nullptr)
        return -1;
    for (int i = 3; i <= 22; ++i) {
        field = std::strchr(field + 1, ' ');
        if (field == nullptr)
            return -1;
    }
    const unsigned long long ticks = std::strtoull(field + 1, nullptr, 10);
    const long perSecond = ::sysconf(_SC_CLK_TCK);
    return perSecond > 0 ? bootTime + static_cast<double>(ticks) / static_cast<double>(perSecond)
                         : -1;
}

// The writer's process number in a temporary's file name, or 0 for a name
// that is no temporary of ours.
pid_t TemporaryWriter(const char* name) {
    if (std::strncmp(name, kTemporaryPrefix, sizeof kTemporaryPrefix - 1) != 0)
        return 0;
    const char* digits = name + sizeof kTemporaryPrefix - 1;
    char* end = nullptr;
    errno = 0;
    const long pid = std::strtol(digits, &end, 10);
    if (errno != 0 || end == digits || *end != '-' || pid <= 0 || std::strlen(end + 1) != 6)
        return 0;
    return static_cast<pid_t>(pid);
}

} // namespace

bool IsStaleTemporary(pid_t pid, time_t modified) {
    if (::kill(pid, 0) != 0 && errno == ESRCH)
        return true;
    // Clocks tick in whole seconds on some file systems: a process counts as
    // younger than the file only by more than that.
    const double started = ProcessStartTime(pid);
    return started >= 0 && started > static_cast<double>(modified) + 1;
}

void RemoveStaleTemporaries(const std::string& directory) {
    DIR* folder = ::opendir(directory.c_str());
    if (folder == nullptr)
        return;
    const int handle = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        const pid_t writer = TemporaryWriter(entry->d_name);
        struct stat info {};
        if (writer == 0 || ::fstatat(handle, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        if (IsStaleTemporary(writer, info.st_mtime))
            ::unlinkat(handle, entry->d_name, 0);
    }
    ::closedir(folder);
}

TReplacementFile::TReplacementFile(std::string path, unsigned newFileMode, TTemporary temporary)
    : FPath(std::move(path)), FMode(newFileMode) {
    const size_t slash = FPath.rfind('/');
    FDirectory = slash == std::string::npos ? std::string("./") : FPath.substr(0, slash + 1);
    struct stat existing {};
    if (::stat(FPath.c_str(), &existing) == 0)
        FMode = existing.st_mode & 07777;
    RemoveStaleTemporaries(FDirectory);

    if (temporary == TTemporary::Anonymous) {
        FHandle = ::open(FDirectory.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (FHandle >= 0) {
            FAnonymous = true;
            return;
        }
        // Kernels and file systems without anonymous files say so in one of
        // these ways; anything else (no such folder, no right to write) is
        // the answer for a named file too.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            FOpenError = errno;
            return;
        }
    }
    std::string pattern = TemporaryStem(FDirectory) + "XXXXXX";
    FHandle = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (FHandle < 0) {
        FOpenError = errno;
        return;
    }
    FTemporary = pattern;
}

TReplacementFile::~TReplacementFile() {
    Discard();
}

void TReplacementFile::Discard() {
    if (FHandle >= 0)
        ::close(FHandle);
    FHandle = -1;
    if (!FTemporary.empty())
        ::unlink(FTemporary.c_str());
    FTemporary.clear();
}

bool TReplacementFile::Write(const void* data, size_t size) {
    if (FHandle < 0) {
        errno = FOpenError != 0 ? FOpenError : EBADF;
        return false;
    }
    return WriteAll(FHandle, data, size);
}

// Gives the anonymous file a temporary name. linkat through /proc is what
// any user may do; without /proc, AT_EMPTY_PATH is the direct way, which
// older kernels grant only to privileged processes; failing both, the bytes
// are copied to a named file.
bool TReplacementFile::LinkAnonymousFile() {
    const std::string self = "/proc/self/fd/" + std::to_string(FHandle);
    for (int attempt = 0; attempt < 100; ++attempt) {
        uint32_t random = 0;
        if (::getrandom(&random, sizeof random, 0) != sizeof random)
            random = static_cast<uint32_t>(attempt) * 2654435761u ^ static_cast<uint32_t>(::time(nullptr));
        char suffix[8];
        std::snprintf(suffix, sizeof suffix, "%06x", random & 0xFFFFFF);
        const std::string name = TemporaryStem(FDirectory) + suffix;
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
            ::linkat(FHandle, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) {
            FTemporary = name;
            return true;
        }
        if (errno == EEXIST)
            continue;
        if (errno == ENOENT || errno == EPERM)
            return CopyToNamedFile();
        return false;
    }
    errno = EEXIST;
    return false;
}

bool TReplacementFile::CopyToNamedFile() {
    std::string pattern = TemporaryStem(FDirectory) + "XXXXXX";
    const int named = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (named < 0)
        return false;
    FTemporary = pattern;
    std::vector<char> buffer(1 << 16);
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(FHandle, buffer.data(), buffer.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || (n > 0 && !WriteAll(named, buffer.data(), static_cast<size_t>(n)))) {
            const int error = errno;
            ::close(named);
            errno = error;
            return false;
        }
        if (n == 0)
            break;
        offset += n;
    }
    ::close(FHandle);
    FHandle = named;
    FAnonymous = false;
    return ::fsync(FHandle) == 0;
}

bool TReplacementFile::Commit() {
    if (FHandle < 0) {
        errno = FOpenError != 0 ? FOpenError : EBADF;
        return false;
    }
    bool ok = ::fchmod(FHandle, static_cast<mode_t>(FMode)) == 0 && ::fsync(FHandle) == 0 &&
              (!FAnonymous || LinkAnonymousFile()) &&
              ::rename(FTemporary.c_str(), FPath.c_str()) == 0;
    int error = errno;
    if (ok)
        FTemporary.clear(); // it is the target now
    if (::close(FHandle) != 0 && ok) {
        ok = false;
        error = errno;
    }
    FHandle = -1;
    if (ok && !FlushDirectory(FDirectory)) {
        ok = false;
        error = errno;
    }
    Discard();
    errno = error;
    return ok;
}
