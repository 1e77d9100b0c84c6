#include "framework/graphics/metafile/Metafile.h"

#include "framework/base/Streams.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/metafile/EmfPlayer.h"
#include "framework/graphics/metafile/MetafileDC.h"
#include "framework/graphics/metafile/MetafileFormat.h"
#include "framework/graphics/metafile/WmfPlayer.h"

namespace {

// Plays the records into `rect` of the canvas; the canvas's pen, brush,
// font, clip and origin are as before afterwards.
void PlayMetafile(const std::vector<uint8_t>& data, const TMetafileInfo& info, TCanvas& canvas,
                  const TRect& rect, TMetafileCache& cache) {
    TMetafileDC dc(canvas, rect, info.Objects, cache);
    try {
        if (info.Kind == TMetafileKind::mkEmf)
            PlayEmfRecords(data.data(), info, dc);
        else
            PlayWmfRecords(data.data(), info, dc);
    } catch (const Exception&) {
        // A record that cannot be drawn (a bitmap above the limits, a font
        // that cannot be opened) ends the picture; what was drawn stays.
    }
}

} // namespace

TMetafile::TMetafile() = default;
TMetafile::~TMetafile() = default;

int32_t TMetafile::Width() const {
    return FInfo ? FInfo->Width : 0;
}

int32_t TMetafile::Height() const {
    return FInfo ? FInfo->Height : 0;
}

TMetafileKind TMetafile::Kind() const {
    return FInfo ? FInfo->Kind : TMetafileKind::mkNone;
}

void TMetafile::Draw(TCanvas& canvas, const TRect& rect) const {
    if (!FInfo || rect.Left == rect.Right || rect.Top == rect.Bottom || !canvas.Target())
        return;
    if (!FCache)
        FCache = std::make_shared<TMetafileCache>();
    if (FEmbedded)
        PlayMetafile(*FEmbedded, *FEmbeddedInfo, canvas, rect, *FCache);
    else
        PlayMetafile(FData, *FInfo, canvas, rect, *FCache);
}

void TMetafile::LoadFromStream(TStream& stream) {
    SetData(ReadRemaining(stream));
}

void TMetafile::LoadFromMemory(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    SetData(std::vector<uint8_t>(bytes, bytes + size));
}

void TMetafile::SaveToStream(TStream& stream) const {
    if (FData.empty())
        throw EInvalidGraphic("Cannot save an empty metafile");
    stream.WriteBuffer(FData.data(), int64_t(FData.size()));
}

std::unique_ptr<TGraphic> TMetafile::Clone() const {
    auto copy = std::make_unique<TMetafile>();
    copy->FData = FData;
    copy->FInfo = FInfo;
    copy->FEmbedded = FEmbedded;
    copy->FEmbeddedInfo = FEmbeddedInfo;
    return copy;
}

void TMetafile::SetData(std::vector<uint8_t> data) {
    auto info = std::make_shared<TMetafileInfo>(ParseMetafile(data.data(), data.size()));
    std::shared_ptr<const std::vector<uint8_t>> embedded;
    std::shared_ptr<const TMetafileInfo> embeddedInfo;
    std::vector<uint8_t> emf = EmbeddedEmf(data.data(), data.size(), *info);
    if (!emf.empty()) {
        try {
            auto parsed = std::make_shared<TMetafileInfo>(ParseMetafile(emf.data(), emf.size()));
            if (parsed->Kind == TMetafileKind::mkEmf) {
                embeddedInfo = std::move(parsed);
                embedded = std::make_shared<const std::vector<uint8_t>>(std::move(emf));
            }
        } catch (const EInvalidGraphic&) {
            // A damaged EMF leaves the WMF's own records to draw.
        }
    }
    FData = std::move(data);
    FInfo = std::move(info);
    FEmbedded = std::move(embedded);
    FEmbeddedInfo = std::move(embeddedInfo);
    FCache.reset();
    Changed();
}
