#include "framework/graphics/Icon.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "framework/base/Endian.h"
#include "framework/base/Streams.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/PngCodec.h"

namespace {

// ICONDIR and ICONDIRENTRY.
constexpr size_t kDirSize = 6;
constexpr size_t kEntrySize = 16;
constexpr size_t kEntryBytesField = 8;
constexpr size_t kEntryOffsetField = 12;
constexpr uint16_t kTypeIcon = 1;
constexpr uint16_t kTypeCursor = 2;

[[noreturn]] void Fail(const std::string& what) {
    throw EInvalidGraphic("Icon image is not valid: " + what);
}

TIconImage DecodePngEntry(const uint8_t* data, size_t size, size_t at) {
    // The PNG header gives the size before anything is decoded.
    if (size < 24)
        Fail(Format("PNG image at offset %zu is truncated", at));
    uint32_t w =
        uint32_t(data[16]) << 24 | uint32_t(data[17]) << 16 | uint32_t(data[18]) << 8 | data[19];
    uint32_t h =
        uint32_t(data[20]) << 24 | uint32_t(data[21]) << 16 | uint32_t(data[22]) << 8 | data[23];
    if (w == 0 || h == 0 || w > 1024 || h > 1024)
        Fail(Format("PNG image of %u x %u at offset %zu", w, h, at));
    TPngImage png;
    try {
        png = DecodePng(data, size, 1024);
    } catch (const std::runtime_error& e) {
        Fail(Format("PNG image at offset %zu: %s", at, e.what()));
    }
    TIconImage img{TBitmap(png.Width, png.Height),
                   std::vector<uint8_t>(size_t(png.Width) * size_t(png.Height))};
    const uint8_t* p = png.Rgba.data();
    for (int y = 0; y < png.Height; ++y)
        for (int x = 0; x < png.Width; ++x, p += 4) {
            img.Pixels.ScanLine(y)[x] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
            img.Alpha[size_t(y) * size_t(png.Width) + size_t(x)] = p[3];
        }
    return img;
}

} // namespace

std::vector<TIconImage> DecodeIco(const uint8_t* data, size_t size) {
    if (size < kDirSize)
        Fail(Format("file of %zu bytes is too short", size));
    if (LoadU16(data) == 0 && LoadU16(data + 2) == kTypeCursor)
        Fail("a cursor file, not an icon (its directory at offset 0 is a cursor directory)");
    if (LoadU16(data) != 0 || LoadU16(data + 2) != kTypeIcon)
        Fail("no icon directory at offset 0");
    const size_t count = LoadU16(data + 4);
    if (count == 0)
        Fail("the directory at offset 0 lists no image");
    if (kDirSize + count * kEntrySize > size)
        Fail(Format("directory of %zu entries is truncated", count));
    std::vector<TIconImage> images;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = data + kDirSize + i * kEntrySize;
        const uint64_t bytes = LoadU32(entry + kEntryBytesField),
                       offset = LoadU32(entry + kEntryOffsetField);
        const size_t at = kDirSize + i * kEntrySize;
        if (offset < kDirSize + count * kEntrySize || offset + bytes > size || bytes < 4)
            Fail(Format("image %zu (entry at offset %zu) lies outside the file", i, at));
        const uint8_t* image = data + offset;
        if (bytes >= 8 && std::memcmp(image, "\x89PNG\r\n\x1a\n", 8) == 0) {
            images.push_back(DecodePngEntry(image, size_t(bytes), size_t(offset)));
            continue;
        }
        TDibImage dib;
        try {
            dib = DecodeDib(image, size_t(bytes), true, 0, size_t(offset));
        } catch (const EInvalidGraphic& e) {
            Fail(Format("image %zu: %s", i, e.what()));
        }
        TIconImage img{TBitmap(), std::move(dib.Alpha)};
        img.Pixels.AdoptImage(std::move(dib));
        images.push_back(std::move(img));
    }
    return images;
}

TIcon::TIcon() {
    SetTransparent(true);
}

int TIcon::FindImage(int32_t width, int32_t height) const {
    int best = -1;
    int64_t bestScore = 0;
    for (int i = 0; i < ImageCount(); ++i) {
        const TBitmap& p = FImages[size_t(i)].Pixels;
        int64_t score =
            std::llabs(int64_t(p.Width()) - width) + std::llabs(int64_t(p.Height()) - height);
        if (best < 0 || score < bestScore)
            best = i, bestScore = score;
    }
    return best;
}

int32_t TIcon::Width() const {
    int i = FindImage(32, 32);
    return i < 0 ? 0 : FImages[size_t(i)].Pixels.Width();
}

int32_t TIcon::Height() const {
    int i = FindImage(32, 32);
    return i < 0 ? 0 : FImages[size_t(i)].Pixels.Height();
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect) const {
    TRect n = NormalizeRect(rect);
    int i = FindImage(n.Width(), n.Height());
    if (i < 0)
        return;
    const TIconImage& img = FImages[size_t(i)];
    if (img.Pixels.Width() != n.Width() || img.Pixels.Height() != n.Height())
        i = FindImage(32, 32);
    const TIconImage& use = FImages[size_t(i)];
    canvas.StretchBlt(rect, use.Pixels, Rect(0, 0, use.Pixels.Width(), use.Pixels.Height()), clNone,
                      &use.Alpha);
}

void TIcon::LoadFromStream(TStream& stream) {
    std::vector<uint8_t> data = ReadRemaining(stream);
    LoadFromMemory(data.data(), data.size());
}

void TIcon::LoadFromMemory(const uint8_t* data, size_t size) {
    std::vector<TIconImage> images = DecodeIco(data, size);
    FImages = std::move(images);
    FData.assign(data, data + size);
    Changed();
}

void TIcon::SaveToStream(TStream& stream) const {
    if (FData.empty())
        throw EInvalidGraphic("Cannot save an empty icon");
    stream.WriteBuffer(FData.data(), int64_t(FData.size()));
}

std::unique_ptr<TGraphic> TIcon::Clone() const {
    auto copy = std::make_unique<TIcon>(*this);
    copy->OnChange = nullptr; // the copy belongs to whoever takes it
    return copy;
}
