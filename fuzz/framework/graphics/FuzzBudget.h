#pragma once
// What the picture fuzz targets spend on one input. A few header bytes can
// ask a decoder for a picture of up to 65535 x 65535 pixels, or a metafile
// player for a million records: every one a valid request that the product
// answers, slowly. The fuzzer learns nothing more from a big picture than
// from a small one with the same header paths, so the targets pass on
// inputs that would decode more than kFuzzPixels pixels and play at most
// kFuzzRecords records of a metafile. Sizes beyond the product's own limits
// still go through: their refusal is cheap, and it is code to fuzz.

#include "framework/base/Endian.h"
#include "framework/graphics/PixelImage.h"
#include "framework/graphics/metafile/MetafileFormat.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz_budget {

constexpr int64_t kFuzzPixels = 64 * 64;
constexpr uint32_t kFuzzRecords = 32;

// Whether a picture of `width` x `height` (either may be negative, as in
// a top-down BMP) is one the product would decode and is larger than the
// budget.
inline bool OverBudget(int64_t width, int64_t height) {
    width = std::llabs(width);
    height = std::llabs(height);
    return width <= kMaxBitmapSide && height <= kMaxBitmapSide && width * height > kFuzzPixels;
}

// A BMP file's size from its info header, when it has one.
inline bool BmpOverBudget(const uint8_t* data, size_t size) {
    constexpr size_t kInfo = 14;
    if (size < kInfo + 12 || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint32_t header = LoadU32(data + kInfo);
    if (header == 12)
        return OverBudget(LoadU16(data + kInfo + 4), LoadU16(data + kInfo + 6));
    return OverBudget(int32_t(LoadU32(data + kInfo + 4)), int32_t(LoadU32(data + kInfo + 8)));
}

// An icon file's pictures together, each sized by its own header (a PNG's
// or a bitmap's, whose height counts the mask too) where the directory
// points at one, else by the directory.
inline bool IcoOverBudget(const uint8_t* data, size_t size) {
    if (size < 6 || LoadU16(data) != 0)
        return false;
    const size_t count = LoadU16(data + 4);
    int64_t pixels = 0;
    for (size_t i = 0; i < count && 6 + 16 * (i + 1) <= size; ++i) {
        const uint8_t* entry = data + 6 + 16 * i;
        int64_t width = entry[0] == 0 ? 256 : entry[0], height = entry[1] == 0 ? 256 : entry[1];
        const size_t at = LoadU32(entry + 12);
        if (at < size && size - at >= 24 && data[at] == 0x89 && data[at + 1] == 'P') {
            width = int64_t(data[at + 16]) << 24 | data[at + 17] << 16 | data[at + 18] << 8 | data[at + 19];
            height = int64_t(data[at + 20]) << 24 | data[at + 21] << 16 | data[at + 22] << 8 | data[at + 23];
        } else if (at < size && size - at >= 12) {
            width = std::llabs(int32_t(LoadU32(data + at + 4)));
            height = std::llabs(int32_t(LoadU32(data + at + 8))) / 2;
        }
        if (width > kMaxBitmapSide || height > kMaxBitmapSide)
            return false; // refused by the decoder, cheaply
        pixels += width * height;
    }
    return pixels > kFuzzPixels;
}

// A JPEG file's size from its first frame header.
inline bool JpegOverBudget(const uint8_t* data, size_t size) {
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    size_t at = 2;
    while (at + 4 <= size && data[at] == 0xFF) {
        const uint8_t marker = data[at + 1];
        const size_t length = size_t(data[at + 2]) << 8 | data[at + 3];
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && at + 9 <= size)
            return OverBudget(int64_t(data[at + 7]) << 8 | data[at + 8],
                              int64_t(data[at + 5]) << 8 | data[at + 6]);
        if (marker == 0xDA || length < 2)
            return false;
        at += 2 + length;
    }
    return false;
}

// The metafile cut after its first kFuzzRecords records (a record list may
// end with the data); any other bytes as they are.
inline std::vector<uint8_t> FirstRecords(const uint8_t* data, size_t size) {
    const TMetafileKind kind = DetectMetafile(data, size);
    size_t at = 0;
    if (kind == TMetafileKind::mkEmf)
        at = LoadU32(data + 4);
    else if (kind == TMetafileKind::mkWmf)
        at = 18;
    else if (kind == TMetafileKind::mkPlaceableWmf)
        at = 22 + 18;
    else
        return std::vector<uint8_t>(data, data + size);
    for (uint32_t records = 0; records < kFuzzRecords && at < size && size - at >= 8; ++records) {
        const uint64_t length = kind == TMetafileKind::mkEmf ? uint64_t(LoadU32(data + at + 4))
                                                             : uint64_t(LoadU32(data + at)) * 2;
        if (length == 0 || length > size - at)
            return std::vector<uint8_t>(data, data + size); // damaged: the loader's to refuse
        at += size_t(length);
    }
    return std::vector<uint8_t>(data, data + std::min(at, size));
}

} // namespace fuzz_budget

namespace fuzz_budget {

// Stored picture data ("<length><class name><content>") that is within the
// budget: the content of a bitmap or JPEG picture is looked at.
inline bool StoredPictureOverBudget(const uint8_t* data, size_t size) {
    if (size == 0 || size_t(data[0]) + 1 > size)
        return false;
    const std::string name(reinterpret_cast<const char*>(data + 1), data[0]);
    const uint8_t* body = data + 1 + data[0];
    const size_t bodySize = size - 1 - data[0];
    if (name == "TBitmap")
        return bodySize > 4 && BmpOverBudget(body + 4, bodySize - 4);
    if (name == "TJPEGImage")
        return JpegOverBudget(body, bodySize);
    if (name == "TIcon")
        return IcoOverBudget(body, bodySize);
    return false;
}

// A picture file (BMP, ICO or CUR, JPEG, WMF, EMF) as the stored data of a
// picture holding it, or nothing for bytes that are no such file.
inline std::vector<uint8_t> StoredPictureOf(const uint8_t* data, size_t size) {
    std::string name;
    if (size >= 2 && data[0] == 'B' && data[1] == 'M')
        name = "TBitmap";
    else if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8)
        name = "TJPEGImage";
    else if (size >= 4 && LoadU16(data) == 0 && (LoadU16(data + 2) == 1 || LoadU16(data + 2) == 2))
        name = "TIcon";
    else if (DetectMetafile(data, size) != TMetafileKind::mkNone)
        name = "TMetafile";
    else
        return {};
    std::vector<uint8_t> stored{uint8_t(name.size())};
    stored.insert(stored.end(), name.begin(), name.end());
    if (name == "TBitmap") {
        uint8_t length[4];
        StoreU32(length, uint32_t(size));
        stored.insert(stored.end(), length, length + 4);
    }
    stored.insert(stored.end(), data, data + size);
    return stored;
}

} // namespace fuzz_budget
