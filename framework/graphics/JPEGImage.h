#pragma once
// JPEG pictures, decoded by libjpeg into a bitmap. The frame's size is
// checked before any pixel is decoded, so that a file claiming a huge size
// fails cleanly instead of allocating it. A refusal gives libjpeg's reason,
// said plainly where the file is valid but uses what the decoder does not
// support (lossless, hierarchical or 12-bit JPEG) or holds another kind of
// picture; damage libjpeg can read past (stray bytes between segments, a
// file cut short) decodes as far as it goes.

#include "framework/graphics/Bitmap.h"

class TJPEGImage : public TGraphic {
public:
    int32_t Width() const override { return FBitmap.Width(); }
    int32_t Height() const override { return FBitmap.Height(); }
    const TBitmap& Bitmap() const { return FBitmap; }

    void Draw(TCanvas& canvas, const TRect& rect) const override;
    // Fails with EInvalidGraphic ("JPEG error: ...") for a file the
    // decoder cannot read.
    void LoadFromStream(TStream& stream) override;
    void LoadFromMemory(const uint8_t* data, size_t size);
    // Writes the file that was loaded.
    void SaveToStream(TStream& stream) const override;
    std::unique_ptr<TGraphic> Clone() const override;

private:
    TBitmap FBitmap;
    std::vector<uint8_t> FData;
};
