#pragma once
// A file's new content, written beside it and put in its place in one step.
//
// The bytes go to an anonymous file in the target's directory (O_TMPFILE),
// which has no name until Commit links it in and renames it over the target:
// a program killed while writing leaves nothing behind, and a reader or a
// crash sees the old file or the whole new one. Where the file system has no
// anonymous files the bytes go to a hidden named file, ".ssi-<pid>-XXXXXX",
// whose name says who wrote it: creating a replacement in a directory first
// removes such files there whose writer is gone (see IsStaleTemporary).
// After the rename the directory itself is flushed, so the new name survives
// a power cut once Commit has returned.
//
// Names are the operating system's, used byte for byte (FileIO.h's
// NativePath turns system text into one). Failures answer false with errno
// set, as the POSIX calls beneath them do.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <sys/types.h>

class TReplacementFile {
public:
    // How the content waits for Commit: in an anonymous file where the file
    // system has them, or in a named one from the start.
    enum class TTemporary { Anonymous, Named };

    // Opens the new content of `path`; Opened() says whether that worked.
    // The new file gets the permission bits of an existing target, or
    // `newFileMode` when there is none.
    explicit TReplacementFile(std::string path, unsigned newFileMode = 0644,
                              TTemporary temporary = TTemporary::Anonymous);
    // Without Commit the new content is dropped and the target stays as it was.
    ~TReplacementFile();
    TReplacementFile(const TReplacementFile&) = delete;
    TReplacementFile& operator=(const TReplacementFile&) = delete;

    bool Opened() const { return FHandle >= 0; }
    // The errno of the failed open, 0 when it opened.
    int OpenError() const { return FOpenError; }
    const std::string& Path() const { return FPath; }

    // Appends all of `data`.
    bool Write(const void* data, size_t size);
    // Flushes the new content, puts it in place of the target and flushes
    // the directory. Once only; the content is dropped when it fails.
    bool Commit();

private:
    bool LinkAnonymousFile();
    bool CopyToNamedFile();
    void Discard();

    std::string FPath;
    std::string FDirectory; // with its trailing slash
    unsigned FMode = 0644;
    int FHandle = -1;
    int FOpenError = 0;
    bool FAnonymous = false;
    std::string FTemporary; // the named file, once there is one
};

// Whether a hidden ".ssi-<pid>-XXXXXX" file last changed at `modified` is
// litter: its writer, process `pid`, is gone, or that number now belongs to
// a process that started after the file last changed and so cannot have
// written it. A process this one cannot see into counts as the writer.
bool IsStaleTemporary(pid_t pid, time_t modified);

// Removes the stale temporaries of `directory` (with its trailing slash)
// that this user may remove; anything else there is left alone.
void RemoveStaleTemporaries(const std::string& directory);
