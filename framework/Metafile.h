#pragma once
// Metafile pictures (WMF, placeable WMF, EMF). They are recognised by their
// headers; drawing them is not available yet, so loading a well-formed
// metafile fails with "Metafile pictures cannot be displayed yet" and a file
// that is not a metafile with "Metafile is not valid".

#include "framework/Graphic.h"

enum class TMetafileKind { mkNone, mkWmf, mkPlaceableWmf, mkEmf };

// The kind of metafile the bytes start with.
TMetafileKind DetectMetafile(const uint8_t* data, size_t size);

class TMetafile : public TGraphic {
public:
    int32_t Width() const override { return 0; }
    int32_t Height() const override { return 0; }
    void Draw(TCanvas& canvas, const TRect& rect) const override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;
    std::unique_ptr<TGraphic> Clone() const override;
};
