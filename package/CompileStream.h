#pragma once
// Builds a package in memory: streams are added one by one, raw or
// compressed, then Compile appends the size table and the count.

#include "framework/base/Streams.h"
#include "package/Zlib.h"

#include <cstdint>
#include <vector>

class TCompileStream {
public:
    // Appends the whole content of `source`, from its first byte whatever its
    // position, as the next stream: deflated at level 9 when `compress` is
    // true, unchanged otherwise. The source stays with the caller.
    // `progress` hears how many of the source's bytes are done, as
    // compression goes on (once, with all of them, for a stream kept as it is).
    void AddStream(TStream& source, bool compress, const TZProgress& progress = {});

    // Appends `stored` (its whole content) unchanged as the next stream,
    // recorded as holding `originalSize` bytes once inflated: for a stream
    // that is already deflated as AddStream would deflate it.
    void AddStoredStream(TStream& stored, int32_t originalSize);
    // Appends the size table and the count and returns the package. The
    // buffer still belongs to the writer; call once, after the last AddStream.
    TMemoryStream& Compile();

    int32_t Count() const { return FCount; }

private:
    void Append(const std::vector<uint8_t>& content, int32_t originalSize);

    int32_t FCount = 0;
    TMemoryStream FPackage;
    std::vector<int32_t> FOriginalSizes;
    std::vector<int32_t> FStoredSizes;
};
