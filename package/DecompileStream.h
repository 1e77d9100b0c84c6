#pragma once
// Reads a package: the size table is loaded from its end, and streams are
// handed out one at a time. Decompile copies the whole file into memory
// first; Open keeps the file and reads each stream from it when it is asked
// for: in memory (GetStream), or as it is read (OpenStream), so that a large
// package costs no more memory than a few slices of it.

#include "framework/base/Streams.h"
#include "framework/base/SysUtils.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A file that is no package, or a package whose table does not fit its
// bytes. The message is the system's own ("Stream read error"); Reason says
// what was wrong, for a tool to show next to the file's name.
class EPackageReadError : public EReadError {
public:
    explicit EPackageReadError(const std::string& reason)
        : EReadError("Stream read error", reason) {}
};

class TDecompileStream {
public:
    // Reads the whole of `file`, from its first byte, and loads the size
    // table. Fails with "Stream read error" (EPackageReadError) when the file
    // is too short to hold its count or its table, or the count is negative.
    void Decompile(TStream& file);
    // Loads the size table from the end of `file` and keeps the file to read
    // streams from; the same failures as Decompile.
    void Open(std::unique_ptr<TStream> file);

    // A new stream, owned by the caller, with the content of stream `index`,
    // positioned at its first byte; empty for an index at or beyond the count.
    // With `force` the stored bytes are always inflated; without it only when
    // the stored size differs from the original size.
    // Fails with "List index out of bounds (%d)" for a negative index,
    // "Stream read error" (EPackageReadError) for a table entry that is
    // negative or runs past the end of the file (checked before anything large
    // is allocated), "error" for bytes that are not a zlib stream and "Stream
    // read error" (EPackageReadError) for a zlib stream that yields fewer bytes
    // than the table promises.
    std::unique_ptr<TMemoryStream> GetStream(int32_t index, bool force) const;

    // A new stream with the bytes of stream `index` exactly as stored; the
    // same checks and failures as GetStream, short of inflating.
    std::unique_ptr<TMemoryStream> GetStoredStream(int32_t index) const;

    // The same contents as GetStream and GetStoredStream, read from the
    // package's file as they are read from the stream (and inflated on the
    // way), so that a stream of any size costs a fixed amount of memory. The
    // table is checked now, the zlib stream as it is read (the same failures,
    // from the stream's reads); a stored stream can be positioned anywhere,
    // an inflated one reads forwards only. The reader must outlive them.
    std::unique_ptr<TStream> OpenStream(int32_t index, bool force) const;
    std::unique_ptr<TStream> OpenStoredStream(int32_t index) const;

    int32_t Count() const { return FCount; }
    int32_t OriginalSize(int32_t index) const;
    int32_t StoredSize(int32_t index) const;

private:
    void CheckIndex(int32_t index) const;
    // Where stream `index` (< count) lies in the image, checked against it.
    void StoredRange(int32_t index, int64_t& offset, int64_t& stored) const;

    std::unique_ptr<TStream> FFile;
    int64_t FFileSize = 0;
    int32_t FCount = 0;
    std::vector<int32_t> FOriginalSizes;
    std::vector<int32_t> FStoredSizes;
};
