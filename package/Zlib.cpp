#include "Zlib.h"

#include <algorithm>
#include <climits>
#include <zlib.h>

std::vector<uint8_t> ZCompress(const uint8_t* data, size_t size, const TZProgress& progress) {
    // Deflate looks ahead a fixed distance before it decides anything, so the
    // slicing does not change the stream it writes.
    constexpr size_t kSlice = 1 << 20;
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw EZCompressionError("error");
    std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(size)));
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    // deflateBound guarantees the whole stream fits, so every slice is taken
    // whole and the last call finishes the stream.
    size_t done = 0;
    int result = Z_OK;
    do {
        const size_t slice = std::min(kSlice, size - done);
        z.next_in = const_cast<Bytef*>(data + done);
        z.avail_in = static_cast<uInt>(slice);
        done += slice;
        result = deflate(&z, done == size ? Z_FINISH : Z_NO_FLUSH);
        if (progress)
            progress(done);
    } while (result == Z_OK && done < size);
    size_t produced = z.total_out;
    deflateEnd(&z);
    if (result != Z_STREAM_END)
        throw EZCompressionError("error");
    out.resize(produced);
    return out;
}

void ZDecompress(const uint8_t* data, size_t size, uint8_t* out, size_t original) {
    if (size > UINT_MAX || original > UINT_MAX)
        throw EReadError("Stream read error");
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        throw EZDecompressionError("error");
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    z.next_out = out;
    z.avail_out = static_cast<uInt>(original);

    int result = Z_OK;
    while (z.avail_out > 0 && result == Z_OK)
        result = inflate(&z, Z_NO_FLUSH);
    const bool complete = z.total_out == original;

    // The stream's checksum comes after the data: inflate on to it, throwing
    // away any output past `original`, so that damaged bytes are found even
    // where they still inflate.
    uint8_t scratch[4096];
    while (complete && result == Z_OK) {
        z.next_out = scratch;
        z.avail_out = sizeof scratch;
        result = inflate(&z, Z_NO_FLUSH);
    }
    const std::string found = z.msg != nullptr ? z.msg : "not zlib data";
    inflateEnd(&z);

    if (result == Z_STREAM_END && complete)
        return;
    if (result == Z_STREAM_END || result == Z_BUF_ERROR)
        throw EReadError("Stream read error");
    // zlib's own words for what it found ("incorrect data check").
    throw EZDecompressionError("error", found);
}

bool ZIsExactLevel9Stream(const uint8_t* data, size_t size, size_t original) {
    if (size < 2 || data[0] != 0x78 || data[1] != 0xDA || size > UINT_MAX || original > UINT_MAX)
        return false;
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return false;
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    uint8_t scratch[16384];
    int result = Z_OK;
    while (result == Z_OK && z.total_out <= original) {
        z.next_out = scratch;
        z.avail_out = sizeof scratch;
        result = inflate(&z, Z_NO_FLUSH);
    }
    const bool exact = result == Z_STREAM_END && z.total_out == original && z.avail_in == 0;
    inflateEnd(&z);
    return exact;
}
