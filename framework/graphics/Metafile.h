#pragma once
// Metafile pictures (WMF, placeable WMF, EMF). They are recognised by their
// headers; drawing them is not available yet, so loading a well-formed
// metafile fails with "Metafile pictures cannot be displayed yet" and a file
// that is not a metafile with "Metafile is not valid". A picture stored in a
// layout keeps a metafile as its raw bytes (SetData) and writes them back.

#include "framework/graphics/Graphic.h"

#include <vector>

enum class TMetafileKind { mkNone, mkWmf, mkPlaceableWmf, mkEmf };

// The kind of metafile the bytes start with.
TMetafileKind DetectMetafile(const uint8_t* data, size_t size);

class TMetafile : public TGraphic {
public:
    int32_t Width() const override { return 0; }
    int32_t Height() const override { return 0; }
    void Draw(TCanvas& canvas, const TRect& rect) const override;
    void LoadFromStream(TStream& stream) override;
    // Writes the bytes kept by SetData; fails for a metafile without any.
    void SaveToStream(TStream& stream) const override;
    std::unique_ptr<TGraphic> Clone() const override;

    // Keeps `data` as the metafile's bytes, without drawing them; data that
    // is not a metafile fails with "Metafile is not valid" and changes nothing.
    void SetData(std::vector<uint8_t> data);
    const std::vector<uint8_t>& Data() const { return FData; }

private:
    std::vector<uint8_t> FData;
};
