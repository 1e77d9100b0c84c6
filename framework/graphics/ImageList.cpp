#include "framework/graphics/ImageList.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"
#include "framework/base/Endian.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/base/Streams.h"

// The stored images: a header of three little-endian 32-bit fields (image
// count, width, height), then per image its pixels (width x height 32-bit
// colours, top row first) followed by its opacity (width x height bytes,
// 0 transparent, 255 opaque).
namespace {
constexpr size_t kImageCountField = 0;
constexpr size_t kImageWidthField = 4;
constexpr size_t kImageHeightField = 8;
constexpr size_t kImageHeaderSize = 12;
constexpr uint64_t kBytesPerPixel = 4 + 1;
} // namespace

SSI_DEFINE_CLASS(TImageList, TComponent)

void TImageList::DeclarePublished(TPropertyBuilder& p) {
    p.Integer("Height", &TImageList::Height, &TImageList::SetHeight)
        .Default(16)
        .Boolean("Masked", &TImageList::Masked, &TImageList::SetMasked)
        .Default(1)
        .Integer("Width", &TImageList::Width, &TImageList::SetWidth)
        .Default(16)
        .Binary("Bitmap", &TImageList::HasImages, &TImageList::ReadImages,
                &TImageList::WriteImages);
}

TImageList::TImageList(TComponent* owner) : TComponent(owner), FWidth(16), FHeight(16) {}

TImageList::TImageList(int32_t width, int32_t height)
    : TComponent(nullptr), FWidth(std::max(width, 0)), FHeight(std::max(height, 0)) {}

void TImageList::SetWidth(int32_t value) {
    if (std::max(value, 0) != FWidth)
        SetSize(value, FHeight);
}

void TImageList::SetHeight(int32_t value) {
    if (std::max(value, 0) != FHeight)
        SetSize(FWidth, value);
}

void TImageList::ReadImages(TStream& stream) {
    const int64_t size = stream.Size() - stream.Position();
    auto damaged = [](const char* what) {
        throw EReadError(Format("Image list data is damaged (%s)", what));
    };
    if (size < int64_t(kImageHeaderSize))
        damaged("no header");
    uint8_t header[kImageHeaderSize];
    stream.ReadBuffer(header, kImageHeaderSize);
    const uint64_t count = LoadU32(header + kImageCountField);
    if (int32_t(LoadU32(header + kImageWidthField)) != FWidth ||
        int32_t(LoadU32(header + kImageHeightField)) != FHeight)
        damaged("image size differs from the list's");
    const uint64_t pixels = uint64_t(FWidth) * uint64_t(FHeight);
    // 32-bit count times at most kMaxBitmapPixels-sized pixels cannot wrap 64 bits.
    // Images of no pixels would let any count through the length check.
    if (pixels == 0 && count != 0)
        damaged("images of no pixels");
    if (pixels > uint64_t(kMaxBitmapPixels) ||
        uint64_t(size) - kImageHeaderSize != count * pixels * kBytesPerPixel)
        damaged("wrong length");
    std::vector<TImage> images;
    images.reserve(size_t(count));
    std::vector<uint8_t> raw(size_t(pixels * 4));
    for (uint64_t i = 0; i < count; ++i) {
        TImage img{TBitmap(FWidth, FHeight), std::vector<uint8_t>(size_t(pixels))};
        if (pixels != 0) {
            stream.ReadBuffer(raw.data(), int64_t(raw.size()));
            stream.ReadBuffer(img.Opaque.data(), int64_t(pixels));
        }
        for (int32_t y = 0; y < FHeight; ++y)
            for (int32_t x = 0; x < FWidth; ++x) {
                const size_t k = size_t(y) * size_t(FWidth) + size_t(x);
                img.Pixels.ScanLine(y)[x] = LoadU32(raw.data() + k * 4) & 0x00FFFFFF;
                img.Opaque[k] = img.Opaque[k] ? 255 : 0;
            }
        images.push_back(std::move(img));
    }
    FImages = std::move(images);
}

void TImageList::WriteImages(TStream& stream) const {
    uint8_t header[kImageHeaderSize];
    StoreU32(header + kImageCountField, uint32_t(FImages.size()));
    StoreU32(header + kImageWidthField, uint32_t(FWidth));
    StoreU32(header + kImageHeightField, uint32_t(FHeight));
    stream.WriteBuffer(header, kImageHeaderSize);
    std::vector<uint8_t> raw(size_t(FWidth) * size_t(FHeight) * 4);
    for (const TImage& img : FImages) {
        for (int32_t y = 0; y < FHeight; ++y)
            for (int32_t x = 0; x < FWidth; ++x)
                StoreU32(raw.data() + (size_t(y) * size_t(FWidth) + size_t(x)) * 4,
                         img.Pixels.ScanLine(y)[x]);
        stream.WriteBuffer(raw.data(), int64_t(raw.size()));
        stream.WriteBuffer(img.Opaque.data(), int64_t(img.Opaque.size()));
    }
}

void TImageList::SetSize(int32_t width, int32_t height) {
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    FImages.clear();
}

int TImageList::AddImages(const TBitmap& image,
                          const std::function<bool(int32_t, int32_t)>& transparent) {
    if (FWidth == 0 || FHeight == 0 || image.Width() < FWidth)
        throw EInvalidOperation("Invalid image size");
    const int first = Count();
    const int pieces = image.Width() / FWidth;
    for (int k = 0; k < pieces; ++k) {
        TImage img{TBitmap(FWidth, FHeight),
                   std::vector<uint8_t>(size_t(FWidth) * size_t(FHeight), 0)};
        for (int32_t y = 0; y < std::min(FHeight, image.Height()); ++y)
            for (int32_t x = 0; x < FWidth; ++x) {
                const int32_t sx = k * FWidth + x;
                img.Pixels.ScanLine(y)[x] = image.Pixel(sx, y);
                img.Opaque[size_t(y) * size_t(FWidth) + size_t(x)] = transparent(sx, y) ? 0 : 255;
            }
        FImages.push_back(std::move(img));
    }
    return first;
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
    if (!mask || !FMasked)
        return AddImages(image, [](int32_t, int32_t) { return false; });
    return AddImages(image, [mask](int32_t x, int32_t y) {
        TColor m = mask->Pixel(x, y);
        return m != clNone && m != clBlack;
    });
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    const TColor key = ColorToRGB(maskColor);
    if (!FMasked)
        return Add(image);
    return AddImages(image,
                     [&image, key](int32_t x, int32_t y) { return image.Pixel(x, y) == key; });
}

void TImageList::Delete(int index) {
    if (index >= 0 && index < Count())
        FImages.erase(FImages.begin() + index);
}

void TImageList::Draw(TCanvas& canvas, int32_t x, int32_t y, int index, bool enabled) const {
    if (index < 0 || index >= Count())
        return;
    const TImage& img = FImages[size_t(index)];
    const TRect src = Rect(0, 0, FWidth, FHeight);
    if (enabled) {
        canvas.StretchBlt(Bounds(x, y, FWidth, FHeight), img.Pixels, src, clNone, &img.Opaque);
        return;
    }
    // The image reduced to one bit: opaque and not white.
    std::vector<uint8_t> ink(img.Opaque.size(), 0);
    for (int32_t py = 0; py < FHeight; ++py)
        for (int32_t px = 0; px < FWidth; ++px) {
            size_t i = size_t(py) * size_t(FWidth) + size_t(px);
            ink[i] = (img.Opaque[i] && img.Pixels.Pixel(px, py) != clWhite) ? 255 : 0;
        }
    TBitmap highlight(FWidth, FHeight), shadow(FWidth, FHeight);
    for (int32_t py = 0; py < FHeight; ++py) {
        std::fill_n(highlight.ScanLine(py), FWidth, ColorToRGB(clBtnHighlight));
        std::fill_n(shadow.ScanLine(py), FWidth, ColorToRGB(clBtnShadow));
    }
    canvas.StretchBlt(Bounds(x + 1, y + 1, FWidth, FHeight), highlight, src, clNone, &ink);
    canvas.StretchBlt(Bounds(x, y, FWidth, FHeight), shadow, src, clNone, &ink);
}

void TImageList::GetBitmap(int index, TBitmap& out, TColor background) const {
    if (index < 0 || index >= Count())
        return;
    const TImage& img = FImages[size_t(index)];
    out.SetSize(FWidth, FHeight);
    for (int32_t y = 0; y < FHeight; ++y)
        for (int32_t x = 0; x < FWidth; ++x)
            out.ScanLine(y)[x] = img.Opaque[size_t(y) * size_t(FWidth) + size_t(x)]
                                     ? img.Pixels.ScanLine(y)[x]
                                     : ColorToRGB(background);
}
