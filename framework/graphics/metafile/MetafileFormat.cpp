#include "framework/graphics/metafile/MetafileFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/base/Endian.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/PixelImage.h"

namespace {

// Placeable header: key, handle, bounding box (4 x i16), units per inch,
// reserved, checksum (XOR of the ten words before it).
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeaderSize = 22;
constexpr size_t kPlaceableBox = 6;
constexpr size_t kPlaceableInch = 14;
constexpr size_t kPlaceableChecksum = 20;
// WMF header: type, header size (9 words), version, size, objects, largest
// record, members; records start after it.
constexpr size_t kWmfHeaderSize = 18;
constexpr size_t kWmfRecordHeader = 6;
constexpr uint16_t kMetaEof = 0x0000;
constexpr uint16_t kMetaSetWindowOrg = 0x020B;
constexpr uint16_t kMetaSetWindowExt = 0x020C;
constexpr uint16_t kMetaEscape = 0x0626;
// An escape's parameters: function, byte count, then for MFCOMMENT the
// comment. The platform's EMF comment: identifier "WMFC", type 1, version
// 1.0, checksum, flags 0, number of pieces, this piece's size, bytes still
// to come after it, the EMF's whole size, then the piece.
constexpr uint16_t kMfComment = 0x000F;
constexpr uint32_t kEmfCommentId = 0x43464D57; // "WMFC"
constexpr size_t kEmfPieceHeader = 38;
// EMF header record: bounds (8), frame (24), signature (40), reference
// device size in pixels (72) and millimetres (80).
constexpr uint32_t kEmrHeader = 1;
constexpr uint32_t kEmrEof = 14;
constexpr size_t kEmfSignatureField = 40;
constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"
constexpr size_t kEmfMinHeader = 88;
constexpr size_t kEmfBounds = 8;
constexpr size_t kEmfFrame = 24;
constexpr size_t kEmfDevice = 72;
constexpr size_t kEmfMillimetres = 80;
// Object slots a player keeps (WMF numbers them itself, EMF records name
// them; both stay below this).
constexpr uint32_t kMaxObjects = 65536;

[[noreturn]] void Fail(const std::string& what) {
    throw EInvalidGraphic("Metafile is not valid: " + what);
}

bool IsWmfHeader(const uint8_t* d, size_t size) {
    return size >= kWmfHeaderSize && (LoadU16(d) == 1 || LoadU16(d) == 2) && LoadU16(d + 2) == 9;
}

int16_t I16(const uint8_t* p) {
    return int16_t(LoadU16(p));
}

// Pixels at 96 per inch, checked against the limits before they become
// integers.
void CheckPictureSize(double width, double height) {
    if (!(width <= kMaxBitmapSide + 0.5) || !(height <= kMaxBitmapSide + 0.5))
        Fail(Format("a picture of %.0f x %.0f pixels is above the limits", width, height));
}

void ParseWmf(const uint8_t* data, size_t size, TMetafileInfo& info) {
    size_t base = 0;
    const bool placeable = info.Kind == TMetafileKind::mkPlaceableWmf;
    if (placeable) {
        uint16_t sum = 0;
        for (size_t i = 0; i < kPlaceableChecksum; i += 2)
            sum ^= LoadU16(data + i);
        const uint16_t stored = LoadU16(data + kPlaceableChecksum);
        if (sum != stored)
            Fail(Format("placeable header checksum %04X at offset %zu does not match %04X", stored,
                        kPlaceableChecksum, sum));
        const int32_t left = I16(data + kPlaceableBox), top = I16(data + kPlaceableBox + 2);
        const int32_t right = I16(data + kPlaceableBox + 4), bottom = I16(data + kPlaceableBox + 6);
        const int32_t inch = LoadU16(data + kPlaceableInch);
        if (inch == 0)
            Fail(Format("0 units per inch at offset %zu", kPlaceableInch));
        if (right == left || bottom == top)
            Fail(Format("bounding box of %d x %d at offset %zu is empty", right - left,
                        bottom - top, kPlaceableBox));
        info.WindowLeft = left;
        info.WindowTop = top;
        info.WindowWidth = right - left;
        info.WindowHeight = bottom - top;
        // Through hundredths of millimetres, as the platform's picture does.
        info.Width = std::max(1, MulDiv(MulDiv(std::abs(right - left), 2540, inch), 96, 2540));
        info.Height = std::max(1, MulDiv(MulDiv(std::abs(bottom - top), 2540, inch), 96, 2540));
        base = kPlaceableHeaderSize;
    }
    info.Objects = kMaxObjects;
    info.RecordsOffset = base + kWmfHeaderSize;
    info.RecordsEnd = size;
    bool haveOrg = false, haveExt = false;
    size_t at = info.RecordsOffset;
    // Fewer bytes than a record header at the end are padding.
    while (size - at >= kWmfRecordHeader) {
        const uint32_t words = LoadU32(data + at);
        const uint16_t function = LoadU16(data + at + 4);
        if (words < kWmfRecordHeader / 2)
            Fail(Format("record %04X at offset %zu has a size of %u words", function, at, words));
        if (words > (size - at) / 2)
            Fail(Format("record %04X at offset %zu of %llu bytes runs past the end (%zu bytes)",
                        function, at, (unsigned long long)words * 2, size));
        if (++info.Records > kMaxMetafileRecords)
            Fail(Format("more than %u records", kMaxMetafileRecords));
        if (function == kMetaEof) {
            info.RecordsEnd = at + size_t(words) * 2;
            break;
        }
        if (!placeable && words >= 5 && function == kMetaSetWindowOrg && !haveOrg) {
            info.WindowTop = I16(data + at + 6);
            info.WindowLeft = I16(data + at + 8);
            haveOrg = true;
        } else if (!placeable && words >= 5 && function == kMetaSetWindowExt && !haveExt) {
            const int32_t h = I16(data + at + 6), w = I16(data + at + 8);
            if (w == 0 || h == 0)
                Fail(Format("window extent of %d x %d at offset %zu is empty", w, h, at));
            info.WindowWidth = w;
            info.WindowHeight = h;
            info.Width = std::abs(w);
            info.Height = std::abs(h);
            haveExt = true;
        }
        at += size_t(words) * 2;
    }
    if (!placeable && !haveExt)
        Fail("no placeable header and no window extent give the picture a size");
}

void ParseEmf(const uint8_t* data, size_t size, TMetafileInfo& info) {
    const uint32_t headerSize = LoadU32(data + 4);
    if (headerSize < kEmfMinHeader || headerSize % 4 != 0)
        Fail(Format("header record of %u bytes at offset 0", headerSize));
    if (headerSize > size)
        Fail(Format("header record of %u bytes runs past the end (%zu bytes)", headerSize, size));
    const int32_t devW = LoadI32(data + kEmfDevice), devH = LoadI32(data + kEmfDevice + 4);
    const int32_t mmW = LoadI32(data + kEmfMillimetres), mmH = LoadI32(data + kEmfMillimetres + 4);
    if (devW <= 0 || devH <= 0 || mmW <= 0 || mmH <= 0)
        Fail(Format("reference device of %d x %d pixels and %d x %d mm at offset %zu", devW, devH,
                    mmW, mmH, kEmfDevice));
    info.PixelsPerMmX = double(devW) / mmW;
    info.PixelsPerMmY = double(devH) / mmH;
    const int64_t fl = LoadI32(data + kEmfFrame), ft = LoadI32(data + kEmfFrame + 4);
    const int64_t fr = LoadI32(data + kEmfFrame + 8), fb = LoadI32(data + kEmfFrame + 12);
    double width, height;
    if (fr > fl && fb > ft) {
        // The frame, in hundredths of millimetres.
        info.FrameLeft = fl * info.PixelsPerMmX / 100;
        info.FrameTop = ft * info.PixelsPerMmY / 100;
        info.FrameRight = fr * info.PixelsPerMmX / 100;
        info.FrameBottom = fb * info.PixelsPerMmY / 100;
        width = double(fr - fl) * 96 / 2540;
        height = double(fb - ft) * 96 / 2540;
    } else {
        // No frame: the bounds, inclusive, in reference pixels.
        const int64_t bl = LoadI32(data + kEmfBounds), bt = LoadI32(data + kEmfBounds + 4);
        const int64_t br = LoadI32(data + kEmfBounds + 8), bb = LoadI32(data + kEmfBounds + 12);
        if (br < bl || bb < bt)
            Fail(Format("frame of %lld x %lld at offset %zu and bounds are empty",
                        (long long)(fr - fl), (long long)(fb - ft), kEmfFrame));
        info.FrameLeft = double(bl);
        info.FrameTop = double(bt);
        info.FrameRight = double(br + 1);
        info.FrameBottom = double(bb + 1);
        width = double(br + 1 - bl) / info.PixelsPerMmX * 96 / 25.4;
        height = double(bb + 1 - bt) / info.PixelsPerMmY * 96 / 25.4;
    }
    CheckPictureSize(width, height);
    info.Width = std::max(int32_t(std::lround(width)), 1);
    info.Height = std::max(int32_t(std::lround(height)), 1);
    info.Objects = kMaxObjects;
    info.RecordsOffset = headerSize;
    info.RecordsEnd = size;
    size_t at = headerSize;
    info.Records = 1;
    while (size - at >= 8) {
        const uint32_t type = LoadU32(data + at), recordSize = LoadU32(data + at + 4);
        if (recordSize < 8 || recordSize % 4 != 0)
            Fail(Format("record %u at offset %zu has a size of %u bytes", type, at, recordSize));
        if (recordSize > size - at)
            Fail(Format("record %u at offset %zu of %u bytes runs past the end (%zu bytes)", type,
                        at, recordSize, size));
        if (++info.Records > kMaxMetafileRecords)
            Fail(Format("more than %u records", kMaxMetafileRecords));
        at += recordSize;
        if (type == kEmrEof) {
            info.RecordsEnd = at;
            break;
        }
    }
}

} // namespace

TMetafileKind DetectMetafile(const uint8_t* data, size_t size) {
    if (size >= kPlaceableHeaderSize && LoadU32(data) == kPlaceableKey &&
        IsWmfHeader(data + kPlaceableHeaderSize, size - kPlaceableHeaderSize))
        return TMetafileKind::mkPlaceableWmf;
    if (IsWmfHeader(data, size))
        return TMetafileKind::mkWmf;
    if (size >= kEmfSignatureField + 4 && LoadU32(data) == kEmrHeader &&
        LoadU32(data + kEmfSignatureField) == kEmfSignature)
        return TMetafileKind::mkEmf;
    return TMetafileKind::mkNone;
}

TMetafileInfo ParseMetafile(const uint8_t* data, size_t size) {
    TMetafileInfo info;
    info.Kind = DetectMetafile(data, size);
    if (info.Kind == TMetafileKind::mkNone)
        Fail("no WMF, placeable WMF or EMF header at offset 0");
    if (size > kMaxMetafileBytes)
        Fail(Format("%zu bytes are above the limit of %zu", size, kMaxMetafileBytes));
    if (info.Kind == TMetafileKind::mkEmf)
        ParseEmf(data, size, info);
    else
        ParseWmf(data, size, info);
    return info;
}

std::vector<uint8_t> EmbeddedEmf(const uint8_t* data, size_t size, const TMetafileInfo& info) {
    if (info.Kind != TMetafileKind::mkWmf && info.Kind != TMetafileKind::mkPlaceableWmf)
        return {};
    std::vector<uint8_t> emf;
    uint32_t pieces = 0, expectedPieces = 0, total = 0;
    for (size_t at = info.RecordsOffset; at + kWmfRecordHeader <= info.RecordsEnd;) {
        const size_t size = size_t(LoadU32(data + at)) * 2; // checked by ParseMetafile
        const uint16_t function = LoadU16(data + at + 4);
        const uint8_t* p = data + at + kWmfRecordHeader;
        const size_t n = size - kWmfRecordHeader;
        if (function == kMetaEscape && n >= kEmfPieceHeader && LoadU16(p) == kMfComment &&
            LoadU32(p + 4) == kEmfCommentId && LoadU32(p + 8) == 1) {
            const size_t bytes = LoadU16(p + 2);
            const uint32_t count = LoadU32(p + 22), piece = LoadU32(p + 26);
            const uint32_t remaining = LoadU32(p + 30), whole = LoadU32(p + 34);
            if (pieces == 0)
                expectedPieces = count, total = whole;
            // Each piece must say the same of the whole and fit its record.
            if (count != expectedPieces || whole != total || total > kMaxMetafileBytes ||
                bytes + 4 > n || piece > bytes - (kEmfPieceHeader - 4) ||
                uint64_t(emf.size()) + piece + remaining != total)
                return {};
            emf.insert(emf.end(), p + kEmfPieceHeader, p + kEmfPieceHeader + piece);
            ++pieces;
        }
        at += size;
    }
    if (pieces == 0 || pieces != expectedPieces || emf.size() != total)
        return {};
    // The platform keeps the EMF only while the WMF is as it wrote it: the
    // words its header counts add up to 0.
    const size_t start = info.RecordsOffset - kWmfHeaderSize;
    const size_t end =
        start + std::min<size_t>(size_t(LoadU32(data + start + 6)) * 2, size - start);
    uint16_t sum = 0;
    for (size_t i = start; i + 1 < end; i += 2)
        sum = uint16_t(sum + LoadU16(data + i));
    if (sum != 0)
        return {};
    return emf;
}
