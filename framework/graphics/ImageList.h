#pragma once
// A list of equally sized images with optional masks, drawn at a point
// normally or greyed (the platform's disabled look: every opaque pixel that
// is not white drawn in the button-highlight colour one pixel right and
// down, then in the button-shadow colour in place).
//
// It is a component, so that layouts can hold one and menus refer to it:
//
//     object MenuImages: TImageList
//       Height = 16
//       Width = 16
//       Bitmap = {...}
//     end
//
// The stored "Bitmap" data is the list's own format (image count, width and
// height, then each image's colours and opacity; ImageList.cpp), read only
// when it matches the Width and Height stored before it.

#include <functional>
#include <vector>

#include "framework/components/Components.h"
#include "framework/graphics/Bitmap.h"

class TImageList : public TComponent {
    SSI_CLASS(TImageList, TComponent)
public:
    explicit TImageList(TComponent* owner);
    TImageList(int32_t width = 16, int32_t height = 16);
    static void DeclarePublished(TPropertyBuilder& p);

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    // Changing the size drops every image.
    void SetSize(int32_t width, int32_t height);
    void SetWidth(int32_t value);
    void SetHeight(int32_t value);
    int Count() const { return int(FImages.size()); }
    // Whether images keep their transparent parts (the default); images added
    // while it is off are opaque whatever their mask.
    bool Masked() const { return FMasked; }
    void SetMasked(bool value) { FMasked = value; }

    // Adds image.Width() / Width images cut from left to right (images of
    // the list's size are copied, larger ones cropped). With `mask`, its
    // non-black pixels are transparent; without, the images are opaque.
    // Returns the index of the first image added; an image narrower than
    // the list's width fails with EInvalidOperation.
    int Add(const TBitmap& image, const TBitmap* mask = nullptr);
    // As Add, with the pixels of `maskColor` transparent.
    int AddMasked(const TBitmap& image, TColor maskColor);
    void Delete(int index);
    void Clear() { FImages.clear(); }

    // Draws image `index` with its top-left corner at (x, y); nothing for an
    // index out of range.
    void Draw(TCanvas& canvas, int32_t x, int32_t y, int index, bool enabled = true) const;
    // The image with its transparent pixels in `background`.
    void GetBitmap(int index, TBitmap& out, TColor background = clBlack) const;

    // The images as stored in layouts. Reading replaces every image, or, for
    // data that does not fit this list, fails with EReadError and changes
    // nothing.
    void ReadImages(TStream& stream);
    void WriteImages(TStream& stream) const;

private:
    bool HasImages() const { return !FImages.empty(); }
    struct TImage {
        TBitmap Pixels;
        std::vector<uint8_t> Opaque; // 255 opaque, 0 transparent
    };
    int AddImages(const TBitmap& image, const std::function<bool(int32_t, int32_t)>& transparent);

    int32_t FWidth;
    int32_t FHeight;
    bool FMasked = true;
    std::vector<TImage> FImages;
};
