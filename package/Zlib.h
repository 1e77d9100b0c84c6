#pragma once
// zlib compression as the package format uses it: level 9 with zlib's
// standard window (15 bits), memory level 8 and default strategy, so every
// compressed stream starts with the bytes 78 DA. Everything here works in
// slices, so that a stream of any size costs a fixed amount of memory.

#include "framework/base/Streams.h"
#include "framework/base/SysUtils.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

SSI_DECLARE_EXCEPTION(EZlibError, Exception)
SSI_DECLARE_EXCEPTION(EZCompressionError, EZlibError)
SSI_DECLARE_EXCEPTION(EZDecompressionError, EZlibError)

// Called as compression goes on with the number of input bytes taken so far.
using TZProgress = std::function<void(size_t done)>;

// Deflates the `count` bytes of `source` from its position into one zlib
// stream written to `destination`, and returns the stream's size. The input
// is taken in slices and `progress` (when given) hears of each; the stream
// is the same as one call of compress2 with the whole input would give.
// Fails with "Stream read error" when `source` holds fewer bytes.
int64_t ZCompressStream(TStream& source, int64_t count, TStream& destination,
                        const TZProgress& progress = {});

// The same for `size` bytes in memory, as one buffer.
std::vector<uint8_t> ZCompress(const uint8_t* data, size_t size, const TZProgress& progress = {});

// Reads as the content of a zlib stream: the `size` bytes that follow
// `source`'s position when it is made are inflated as they are read, to
// exactly `original` bytes; whatever the stream would produce beyond them is
// dropped. The source may be read elsewhere in between (the stream keeps its
// own place in it) but must outlive it. Reading its last byte (or reading
// nothing at its end) checks the rest of the zlib stream, its checksum
// included. Reads fail with "error" (EZDecompressionError, zlib's words for
// what it found as the reason) on data that is no valid zlib stream, and with
// "Stream read error" (EReadError) when the stream ends before `original`
// bytes have come out or the input runs out before the stream ends. It reads
// forwards only.
class TZInflateStream : public TStream {
public:
    TZInflateStream(TStream& source, int64_t size, int64_t original);
    ~TZInflateStream() override;
    TZInflateStream(const TZInflateStream&) = delete;
    TZInflateStream& operator=(const TZInflateStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void*, int64_t) override { return 0; }
    // Only where the stream stands.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return FOriginal; }
    void SetSize(int64_t size) override;

    // Once the whole content has been read: whether the zlib stream inflated
    // to exactly `original` bytes and ended exactly where its `size` bytes end.
    bool Exact() const { return FExact; }

private:
    struct TState;
    void Inflate(uint8_t* out, size_t count, bool beyondOriginal);

    TStream& FSource;
    int64_t FSourcePosition;
    int64_t FInputLeft;
    int64_t FOriginal;
    int64_t FPosition = 0;
    std::unique_ptr<TState> FState;
    bool FEnded = false;
    bool FChecked = false;
    bool FExact = false;
};

// Whether the `size` bytes at `source`'s position are exactly one zlib
// stream as ZCompress writes them: the level-9 header 78 DA, inflating
// without error to exactly `original` bytes whose checksum matches, and
// ending where the `size` bytes end. Such a stream can be copied as it is
// wherever the same bytes deflated at level 9 are wanted. Leaves `source`'s
// position anywhere.
bool ZIsExactLevel9Stream(TStream& source, int64_t size, int64_t original);
