#pragma once
// Builds a package: streams are added one by one, raw or compressed, each
// written as it is added, then Compile appends the size table and the count.
// The package is built in memory, or written to a destination stream (a file
// being replaced, say) as it goes, so that a package of any size costs a
// fixed amount of memory.

#include "framework/base/Streams.h"
#include "package/Zlib.h"

#include <cstdint>
#include <vector>

class TCompileStream {
public:
    // Builds the package in memory; Compile hands it out.
    TCompileStream();
    // Writes the package to `destination`, from its position, which stays
    // with the caller and must outlive the writer.
    explicit TCompileStream(TStream& destination);
    TCompileStream(const TCompileStream&) = delete;
    TCompileStream& operator=(const TCompileStream&) = delete;

    // Appends the whole content of `source`, from its first byte whatever its
    // position, as the next stream: deflated at level 9 when `compress` is
    // true, unchanged otherwise. The source is read in slices and stays with
    // the caller. `progress` hears how many of the source's bytes are done as
    // the work goes on.
    void AddStream(TStream& source, bool compress, const TZProgress& progress = {});

    // Appends `stored` (its whole content) unchanged as the next stream,
    // recorded as holding `originalSize` bytes once inflated: for a stream
    // that is already deflated as AddStream would deflate it.
    void AddStoredStream(TStream& stored, int32_t originalSize);

    // Appends the size table and the count and returns the package built in
    // memory; for a writer with a destination, the destination holds it and
    // the stream returned is empty. Call once, after the last AddStream.
    TMemoryStream& Compile();

    int32_t Count() const { return FCount; }

private:
    void CopySlices(TStream& source, int64_t size, const TZProgress& progress);
    void Append(int64_t stored, int32_t originalSize);

    TMemoryStream FMemory;
    TStream& FDestination;
    int64_t FWritten = 0;
    int32_t FCount = 0;
    std::vector<int32_t> FOriginalSizes;
    std::vector<int32_t> FStoredSizes;
};
