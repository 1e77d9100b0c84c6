#pragma once
// Icons: the platform's ICO files with several images (typically 16 x 16
// and 32 x 32), each with a transparency mask or an alpha channel. The
// icon's size is that of its standard 32 x 32 image (or the image closest
// to it); drawing into a rectangle uses the image of exactly that size when
// there is one, else the standard one stretched.

#include <cstdint>
#include <vector>

#include "framework/graphics/Bitmap.h"

struct TIconImage {
    TBitmap Pixels;
    std::vector<uint8_t> Alpha; // 0 transparent .. 255 opaque, per pixel
};

class TIcon : public TGraphic {
public:
    TIcon();
    int32_t Width() const override;
    int32_t Height() const override;
    int ImageCount() const { return int(FImages.size()); }
    const TIconImage& Image(int index) const { return FImages.at(size_t(index)); }
    // The image of exactly width x height, else the one closest in size; -1
    // for an empty icon.
    int FindImage(int32_t width, int32_t height) const;

    void Draw(TCanvas& canvas, const TRect& rect) const override;
    // Reads an ICO file (images as DIBs or PNG). A damaged file fails with
    // EInvalidGraphic and leaves the icon unchanged.
    void LoadFromStream(TStream& stream) override;
    void LoadFromMemory(const uint8_t* data, size_t size);
    // Writes the file that was loaded.
    void SaveToStream(TStream& stream) const override;
    std::unique_ptr<TGraphic> Clone() const override;

private:
    std::vector<TIconImage> FImages;
    std::vector<uint8_t> FData;
};

// Decodes a whole ICO file; the building block of TIcon and the fuzz target.
std::vector<TIconImage> DecodeIco(const uint8_t* data, size_t size);
