#pragma once
// The package layout shared by the writer and the reader:
//
//   stream 0 stored bytes | stream 1 stored bytes | ... | stream N-1 stored bytes
//   N x { u32 original size, u32 stored size }   (the size table, in stream order)
//   u32 N                                         (the last four bytes)
//
// Integers are little-endian (framework/base/Endian.h). There are no offsets: stream i starts where
// the stored bytes of streams 0..i-1 end. A stream is zlib-compressed or raw; the table does not
// say which (the reader decides from the sizes and its caller). Every size is a signed 32-bit
// value, so a stream and the whole package stay below 2 GiB.

#include "framework/base/Endian.h"

#include <cstdint>

namespace PackageFormat {

constexpr int64_t kCountSize = 4;
constexpr int64_t kEntrySize = 8;
constexpr int64_t kMaxSize = INT32_MAX;
// Deflate turns at most about 1032 output bytes into one input byte; an
// original size beyond that ratio (plus the zlib header and trailer) cannot
// come from a stream of the stored size and marks a damaged table.
constexpr int64_t kMaxInflateRatio = 1032;
constexpr int64_t kZlibOverhead = 6;

} // namespace PackageFormat
