#include "framework/graphics/JPEGImage.h"

#include <climits>

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Canvas.h"
#include "framework/base/Streams.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw EInvalidGraphic("JPEG error: " + what);
}

// Walks the marker segments up to the frame header and returns its size.
void ReadFrameSize(const uint8_t* d, size_t size, uint32_t& width, uint32_t& height) {
    if (size < 4 || d[0] != 0xFF || d[1] != 0xD8)
        Fail("no start-of-image marker at offset 0");
    size_t pos = 2;
    while (pos + 4 <= size) {
        if (d[pos] != 0xFF)
            Fail(Format("no marker at offset %zu", pos));
        const uint8_t marker = d[pos + 1];
        if (marker == 0xFF) {
            ++pos;
            continue;
        } // fill byte
        const size_t length = size_t(d[pos + 2] << 8 | d[pos + 3]);
        if (length < 2 || pos + 2 + length > size)
            Fail(Format("segment at offset %zu is truncated", pos));
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 7)
                Fail(Format("frame header at offset %zu is truncated", pos));
            height = uint32_t(d[pos + 5] << 8 | d[pos + 6]);
            width = uint32_t(d[pos + 7] << 8 | d[pos + 8]);
            return;
        }
        pos += 2 + length;
    }
    Fail("no frame header");
}

} // namespace

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) const {
    FBitmap.Draw(canvas, rect);
}

void TJPEGImage::LoadFromStream(TStream& stream) {
    std::vector<uint8_t> data = ReadRemaining(stream);
    LoadFromMemory(data.data(), data.size());
}

void TJPEGImage::LoadFromMemory(const uint8_t* data, size_t size) {
    uint32_t width = 0, height = 0;
    ReadFrameSize(data, size, width, height);
    if (width == 0 || height == 0 || width > uint32_t(kMaxBitmapSide) ||
        height > uint32_t(kMaxBitmapSide) || int64_t(width) * height > kMaxDecodedPixels)
        Fail(Format("image size %u x %u is out of range", width, height));
    if (size > size_t(INT32_MAX))
        Fail(Format("file of %zu bytes is too large", size));
    SDL_RWops* rw = SDL_RWFromConstMem(data, int(size));
    SDL_Surface* surface = rw ? IMG_LoadJPG_RW(rw) : nullptr;
    if (rw)
        SDL_RWclose(rw);
    if (!surface)
        Fail(IMG_GetError());
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_XBGR8888, 0);
    SDL_FreeSurface(surface);
    if (!converted)
        Fail(SDL_GetError());
    TBitmap bitmap(converted->w, converted->h);
    for (int y = 0; y < converted->h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(converted->pixels) + size_t(y) * size_t(converted->pitch));
        for (int x = 0; x < converted->w; ++x)
            bitmap.ScanLine(y)[x] = row[x] & 0xFFFFFF;
    }
    SDL_FreeSurface(converted);
    FBitmap = std::move(bitmap);
    FData.assign(data, data + size);
    Changed();
}

void TJPEGImage::SaveToStream(TStream& stream) const {
    if (FData.empty())
        throw EInvalidGraphic("Cannot save an empty JPEG image");
    stream.WriteBuffer(FData.data(), int64_t(FData.size()));
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
    auto copy = std::make_unique<TJPEGImage>();
    copy->FBitmap = FBitmap;
    copy->FData = FData;
    copy->SetTransparent(Transparent());
    return copy;
}
