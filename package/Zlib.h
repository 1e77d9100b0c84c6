#pragma once
// Whole-buffer zlib compression as the package format uses it: level 9 with
// zlib's standard window (15 bits), memory level 8 and default strategy, so
// every compressed stream starts with the bytes 78 DA.

#include "framework/base/SysUtils.h"

#include <cstdint>
#include <functional>
#include <vector>

SSI_DECLARE_EXCEPTION(EZlibError, Exception)
SSI_DECLARE_EXCEPTION(EZCompressionError, EZlibError)
SSI_DECLARE_EXCEPTION(EZDecompressionError, EZlibError)

// Called as compression goes on with the number of input bytes taken so far.
using TZProgress = std::function<void(size_t done)>;

// One complete zlib stream holding `size` bytes of `data`. The input is fed
// in slices so that `progress` (when given) hears of each; the output is the
// same as one call with the whole input would give.
std::vector<uint8_t> ZCompress(const uint8_t* data, size_t size, const TZProgress& progress = {});

// Inflates the zlib stream in `data` into `out`, exactly its first `original`
// bytes of output; whatever the stream would produce beyond them is dropped.
// The whole stream is checked, its checksum included. Fails with "error"
// (EZDecompressionError) on data that is not a valid zlib stream, and with
// "Stream read error" (EReadError) when the stream ends before `original`
// bytes have come out or the input runs out before the stream ends.
void ZDecompress(const uint8_t* data, size_t size, uint8_t* out, size_t original);

// Whether `data` is exactly one zlib stream as ZCompress writes them: the
// level-9 header 78 DA, inflating without error to exactly `original` bytes
// whose checksum matches, and ending where `data` ends. Such a stream can be
// copied as it is wherever the same bytes deflated at level 9 are wanted.
// Inflates in small pieces: nothing of the size of the output is allocated.
bool ZIsExactLevel9Stream(const uint8_t* data, size_t size, size_t original);
