#include "platform/kernel32/FileIO.h"

#include "platform/kernel32/CodePage.h"
#include "platform/kernel32/ReplacementFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/auxv.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

std::string NativePath(const std::string& path) {
    if (IsUtf8(path))
        return path;
    std::string native;
    native.reserve(path.size() + 8);
    for (size_t start = 0; start < path.size();) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string_view part(path.data() + start, end - start);
        struct stat info {};
        if (IsUtf8(part) || ::lstat((native + std::string(part)).c_str(), &info) == 0)
            native += part;
        else
            native += ToUtf8(part);
        if (end < path.size())
            native += '/';
        start = end + 1;
    }
    return native;
}

THandle FileOpen(const std::string& path, uint16_t mode) {
    int flags = O_CLOEXEC;
    switch (mode & 0x0003) {
    case fmOpenWrite:
        flags |= O_WRONLY;
        break;
    case fmOpenReadWrite:
        flags |= O_RDWR;
        break;
    default:
        flags |= O_RDONLY;
        break;
    }
    int fd = ::open(NativePath(path).c_str(), flags);
    if (fd < 0)
        return INVALID_HANDLE_VALUE;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return INVALID_HANDLE_VALUE;
    }
    return fd;
}

THandle FileCreate(const std::string& path) {
    int fd = ::open(NativePath(path).c_str(), O_CREAT | O_TRUNC | O_RDWR | O_CLOEXEC, 0644);
    return fd < 0 ? INVALID_HANDLE_VALUE : fd;
}

int64_t FileRead(THandle handle, void* buffer, int64_t count) {
    auto* bytes = static_cast<char*>(buffer);
    int64_t done = 0;
    while (done < count) {
        ssize_t n = ::read(handle, bytes + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return done > 0 ? done : -1;
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

int64_t FileWrite(THandle handle, const void* buffer, int64_t count) {
    const auto* bytes = static_cast<const char*>(buffer);
    int64_t done = 0;
    while (done < count) {
        ssize_t n = ::write(handle, bytes + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return done > 0 ? done : -1;
        done += n;
    }
    return done;
}

int64_t FileSeek(THandle handle, int64_t offset, int origin) {
    int whence = origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : SEEK_SET;
    off_t result = ::lseek(handle, static_cast<off_t>(offset), whence);
    return result < 0 ? -1 : static_cast<int64_t>(result);
}

void FileClose(THandle handle) {
    if (handle != INVALID_HANDLE_VALUE)
        ::close(handle);
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DeleteFile(const std::string& path) {
    return ::unlink(NativePath(path).c_str()) == 0;
}

bool ReplaceFileContents(const std::string& path, const void* data, size_t size,
                         unsigned newFileMode) {
    return ReplaceNativeFileContents(NativePath(path), data, size, newFileMode);
}

bool ReplaceNativeFileContents(const std::string& path, const void* data, size_t size,
                               unsigned newFileMode) {
    TReplacementFile file(path, newFileMode);
    return file.Write(data, size) && file.Commit();
}

std::string GetModuleFileName() {
    std::vector<char> buffer(PATH_MAX + 1);
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n > 0)
        return std::string(buffer.data(), static_cast<size_t>(n));
    // Without /proc (a minimal root, a container): the path the program was
    // started by, which the kernel hands every program. A relative one is
    // taken from the working directory, which nothing has changed yet.
    const char* started = reinterpret_cast<const char*>(getauxval(AT_EXECFN));
    if (started == nullptr || *started == '\0')
        return std::string();
    std::string path = started;
    if (path[0] != '/') {
        if (::getcwd(buffer.data(), buffer.size()) == nullptr)
            return std::string();
        path = std::string(buffer.data()) + "/" + path;
    }
    return ::access(path.c_str(), R_OK) == 0 ? path : std::string();
}
