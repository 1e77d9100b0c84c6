#pragma once
// A bitmap that layouts can store: the graphics layer's TBitmap as a
// published sub-object whose binary "Data" is the bitmap file preceded by
// its length (32 bits, little-endian), the way the platform stores a
// button's glyph:
//
//     Glyph.Data = {36030000424D3603...}
//
// An empty bitmap stores nothing. The owner hears of every change through
// TGraphic::OnChange; reading data is one change, made only once the whole
// file has been decoded.

#include "framework/components/Persistent.h"
#include "framework/graphics/Bitmap.h"

class TPersistentBitmap : public TPersistent, public TBitmap {
    SSI_CLASS(TPersistentBitmap, TPersistent)
public:
    TPersistentBitmap() = default;
    // Published: Data (binary, when the bitmap has pixels).
    static void DeclarePublished(TPropertyBuilder& p);

    void Assign(const TPersistent& source) override;
    // Size, pixels and transparency of `source`; one change notification.
    void Assign(const TBitmap& source);
    void Assign(const TPersistentBitmap& source) { Assign(static_cast<const TBitmap&>(source)); }

    // Replaces the bitmap by the one `stream` holds from its position to its
    // end (no bytes: the bitmap is emptied). Damaged data fails with
    // EReadError or EInvalidGraphic and leaves the bitmap unchanged.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

private:
    bool HasData() const { return !Empty(); }
};
