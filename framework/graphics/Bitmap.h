#pragma once
// A 32-bit pixel surface: the off-screen bitmap every skinned control paints
// into, the skin pictures, and (in the window layer) a window's back buffer.
// Pixels are TColor values (0x00BBGGRR); the top byte is not part of the
// colour. A bitmap may be 0 x 0.
//
// Transparent bitmaps leave out their transparent colour when drawn. Unless
// a colour is set, that colour is the bottom-left pixel, as the platform's
// bitmaps choose it.

#include <memory>
#include <vector>

#include "framework/graphics/Colors.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/PixelImage.h"

enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    // A white bitmap of the given size; fails with EOutOfResources when the
    // size is above the limits. Negative sizes count as 0.
    TBitmap(int32_t width, int32_t height);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap() override;

    int32_t Width() const override { return FWidth; }
    int32_t Height() const override { return FHeight; }
    void SetWidth(int32_t width) { SetSize(width, FHeight); }
    void SetHeight(int32_t height) { SetSize(FWidth, height); }
    // Keeps the pixels that remain inside; new pixels are white.
    void SetSize(int32_t width, int32_t height);

    // Out-of-range reads give clNone; out-of-range writes are ignored.
    TColor Pixel(int32_t x, int32_t y) const;
    void SetPixel(int32_t x, int32_t y, TColor color);
    uint32_t* ScanLine(int32_t y) { return FPixels.data() + size_t(y) * size_t(FWidth); }
    const uint32_t* ScanLine(int32_t y) const {
        return FPixels.data() + size_t(y) * size_t(FWidth);
    }

    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode mode);
    // The bottom-left pixel in tmAuto mode (black for an empty bitmap), the
    // colour set last in tmFixed mode.
    TColor TransparentColor() const;
    // Switches to tmFixed.
    void SetTransparentColor(TColor color);

    // A canvas drawing into this bitmap, created on first use.
    TCanvas& Canvas();

    // Takes over the pixels of `image` as the new image; transparency
    // settings stay. Fails with EOutOfResources above the size limits and
    // EInvalidOperation when the pixels do not match the size.
    void AdoptImage(TPixelImage&& image);
    // Replaces size and content by a copy of `other` (transparency included).
    void Assign(const TBitmap& other);
    // Drops the pixels (0 x 0).
    void Clear() { SetSize(0, 0); }

    void Draw(TCanvas& canvas, const TRect& rect) const override;
    // Reads a "BM" bitmap file (see BmpCodec.h).
    void LoadFromStream(TStream& stream) override;
    void LoadFromMemory(const void* data, size_t size);
    // Writes a 24-bit bottom-up bitmap file.
    void SaveToStream(TStream& stream) const override;
    // Writes a PNG file (for pictures meant for people to look at).
    void SaveToPngFile(const std::string& fileName) const;
    std::unique_ptr<TGraphic> Clone() const override;

    // Notifies the owner after direct pixel work (canvas drawing does not).
    void Modified() { Changed(); }

private:
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    std::vector<uint32_t> FPixels;
    TTransparentMode FTransparentMode = TTransparentMode::tmAuto;
    TColor FTransparentColor = clBlack;
    std::unique_ptr<TCanvas> FCanvas;
};
