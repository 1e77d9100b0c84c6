#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "framework/base/Streams.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/PngCodec.h"

namespace {

void CheckSize(int32_t& width, int32_t& height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width > kMaxBitmapSide || height > kMaxBitmapSide ||
        int64_t(width) * int64_t(height) > kMaxBitmapPixels)
        throw EOutOfResources(Format("Cannot create a bitmap of %d x %d pixels", width, height));
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int32_t width, int32_t height) {
    SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& other) : TGraphic() {
    Assign(other);
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this != &other)
        Assign(other);
    return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int32_t width, int32_t height) {
    CheckSize(width, height);
    if (width == FWidth && height == FHeight)
        return;
    std::vector<uint32_t> pixels(size_t(width) * size_t(height), clWhite);
    const int32_t keepW = std::min(width, FWidth), keepH = std::min(height, FHeight);
    for (int32_t y = 0; keepW > 0 && y < keepH; ++y)
        std::memcpy(pixels.data() + size_t(y) * size_t(width), ScanLine(y), size_t(keepW) * 4);
    FPixels.swap(pixels);
    FWidth = width;
    FHeight = height;
    if (FCanvas)
        FCanvas->SetTarget(this); // the clip follows the new size
    Changed();
}

void TBitmap::AdoptImage(TPixelImage&& image) {
    int32_t width = image.Width, height = image.Height;
    CheckSize(width, height);
    if (image.Pixels.size() != size_t(width) * size_t(height))
        throw EInvalidOperation(
            Format("%zu pixels given for a bitmap of %d x %d", image.Pixels.size(), width, height));
    FPixels = std::move(image.Pixels);
    FWidth = width;
    FHeight = height;
    if (FCanvas)
        FCanvas->SetTarget(this);
    Changed();
}

TColor TBitmap::Pixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return clNone;
    return ScanLine(y)[x] & 0xFFFFFF;
}

void TBitmap::SetPixel(int32_t x, int32_t y, TColor color) {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return;
    ScanLine(y)[x] = ColorToRGB(color);
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == FTransparentMode)
        return;
    if (mode == TTransparentMode::tmFixed)
        FTransparentColor = TransparentColor();
    FTransparentMode = mode;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == TTransparentMode::tmFixed)
        return FTransparentColor;
    if (FWidth == 0 || FHeight == 0)
        return clBlack;
    return Pixel(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    FTransparentColor = ColorToRGB(color);
    FTransparentMode = TTransparentMode::tmFixed;
    Changed();
}

TCanvas& TBitmap::Canvas() {
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>(this);
    return *FCanvas;
}

void TBitmap::Assign(const TBitmap& other) {
    if (this == &other)
        return;
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FPixels = other.FPixels;
    FTransparentMode = other.FTransparentMode;
    FTransparentColor = other.FTransparentColor;
    if (FCanvas)
        FCanvas->SetTarget(this);
    if (Transparent() != other.Transparent())
        SetTransparent(other.Transparent());
    Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) const {
    if (Empty())
        return;
    canvas.StretchBlt(rect, *this, Rect(0, 0, FWidth, FHeight),
                      Transparent() ? TransparentColor() : clNone);
}

void TBitmap::LoadFromStream(TStream& stream) {
    std::vector<uint8_t> data = ReadRemaining(stream);
    LoadFromMemory(data.data(), data.size());
}

void TBitmap::LoadFromMemory(const void* data, size_t size) {
    // Only the image is replaced; the transparency settings stay.
    AdoptImage(DecodeBmp(static_cast<const uint8_t*>(data), size));
}

void TBitmap::SaveToStream(TStream& stream) const {
    std::vector<uint8_t> data = EncodeBmp(FWidth, FHeight, FPixels.data());
    stream.WriteBuffer(data.data(), int64_t(data.size()));
}

void TBitmap::SaveToPngFile(const std::string& fileName) const {
    // PNG cannot hold an empty image; write a single white pixel instead.
    TBitmap one(1, 1);
    const TBitmap& image = Empty() ? one : *this;
    TPngImage png{image.Width(), image.Height(),
                  std::vector<uint8_t>(size_t(image.Width()) * size_t(image.Height()) * 4)};
    uint8_t* p = png.Rgba.data();
    for (uint32_t pixel : image.FPixels) {
        *p++ = uint8_t(pixel);
        *p++ = uint8_t(pixel >> 8);
        *p++ = uint8_t(pixel >> 16);
        *p++ = 0xFF;
    }
    try {
        SavePngFile(fileName, png, true);
    } catch (const std::runtime_error& e) {
        throw EInvalidGraphic(Format("Cannot save %s: %s", fileName.c_str(), e.what()));
    }
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    return std::make_unique<TBitmap>(*this);
}
