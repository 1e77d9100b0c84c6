#pragma once
// Metafile pictures: Windows metafiles (WMF), placeable WMF and enhanced
// metafiles (EMF), recognised by their headers and played record by record
// onto a canvas, scaled into the rectangle they are drawn in.
//
// Size: a placeable WMF's bounding box at its units per inch, an EMF's frame
// (0.01 mm units), or a plain WMF's window extent (one logical unit per
// pixel), in pixels at 96 per inch.
//
// A WMF made from an EMF by the platform carries that EMF in its comments;
// such a WMF, unchanged since, draws as the EMF (at the WMF's size), as
// the platform's picture shows it.
//
// Loading checks the header and walks the whole record chain; a damaged
// file fails with EInvalidGraphic "Metafile is not valid: <what> at offset
// <n>" (bytes that are no metafile at all: "no WMF, placeable WMF or EMF
// header at offset 0"). Records with damaged contents are skipped when
// drawn; records the player does not know are skipped too. The players
// (WmfPlayer.cpp, EmfPlayer.cpp) list the records they draw and those they
// skip.
//
// Limits, so that no file can make drawing crash, hang or allocate without
// bound: files up to kMaxMetafileBytes and kMaxMetafileRecords records; a
// picture size up to 65535 pixels a side; per paint a work budget of 2^28
// units (about a pixel written or an edge crossing visited; each drawing is
// charged from its visible bounds, points and pen before it is drawn, and
// once the budget is spent the remaining records are skipped); 65536 points
// a record, 8192 characters a text, 256 saved states (deeper saves restore
// nothing), 65536 objects, paths of 2^20 points, 32 different fonts of at
// most 512 pixels, DIBs within the bitmap decoder's 16 Mi pixels, 16 Mi
// pixels of decoded DIBs cached per metafile, pattern brushes up to 256 x
// 256 pixels. World transforms, extents and scales that are not finite or
// beyond 1e12 are refused as the platform refuses empty extents.
// Drawing is clipped to the rectangle.

#include "framework/graphics/Graphic.h"
#include "framework/graphics/metafile/MetafileFormat.h"

#include <memory>
#include <vector>

struct TMetafileCache;

class TMetafile : public TGraphic {
public:
    TMetafile();
    ~TMetafile() override;

    int32_t Width() const override;
    int32_t Height() const override;
    TMetafileKind Kind() const;
    // Plays the records scaled into `rect` (mirrored for reversed edges),
    // clipped to it; an empty metafile draws nothing.
    void Draw(TCanvas& canvas, const TRect& rect) const override;
    void LoadFromStream(TStream& stream) override;
    void LoadFromMemory(const void* data, size_t size);
    // Writes the metafile's bytes as loaded; fails for an empty metafile.
    void SaveToStream(TStream& stream) const override;
    std::unique_ptr<TGraphic> Clone() const override;

    // Takes `data` as the metafile (as loading does); data that is not a
    // valid metafile fails and changes nothing.
    void SetData(std::vector<uint8_t> data);
    const std::vector<uint8_t>& Data() const { return FData; }

private:
    std::vector<uint8_t> FData;
    std::shared_ptr<const TMetafileInfo> FInfo;
    // The EMF a WMF carries (see EmbeddedEmf), drawn in its place.
    std::shared_ptr<const std::vector<uint8_t>> FEmbedded;
    std::shared_ptr<const TMetafileInfo> FEmbeddedInfo;
    // Decoded bitmaps of the records, kept between paints.
    mutable std::shared_ptr<TMetafileCache> FCache;
};
