#include "framework/ui/ScrollBarGeometry.h"

#include <algorithm>
#include <cstdint>

// Products are taken in 64 bits: a range of a billion positions on a track
// of a few hundred pixels must not wrap.

TScrollBarGeometry::TScrollBarGeometry(int length, const TScrollRange& range, bool enabled,
                                       int arrowSize, int minThumb)
    : FRange(range), FLength(std::max(length, 0)) {
    FArrowSize = std::clamp(arrowSize, 0, FLength / 2);
    int64_t positions = int64_t(range.Max) - range.Min + 1;
    int64_t page = std::max(range.Page, 0);
    if (!enabled || page >= positions)
        return;
    int track = FLength - 2 * FArrowSize;
    int thumb = int(std::max<int64_t>(minThumb, track * page / positions));
    if (thumb > track)
        return;
    int64_t span = positions - page;
    int64_t from = std::clamp<int64_t>(int64_t(range.Pos) - range.Min, 0, span);
    int offset = int((track - thumb) * from / span);
    FAvailable = true;
    FThumbStart = FArrowSize + offset;
    FThumbEnd = FThumbStart + thumb;
}

TScrollBarPart TScrollBarGeometry::PartAt(int at) const {
    if (at < 0 || at >= FLength)
        return TScrollBarPart::spNone;
    if (at < FArrowSize)
        return TScrollBarPart::spLineUp;
    if (at >= FLength - FArrowSize)
        return TScrollBarPart::spLineDown;
    if (!FAvailable)
        return TScrollBarPart::spNone;
    if (at < FThumbStart)
        return TScrollBarPart::spPageUp;
    if (at >= FThumbEnd)
        return TScrollBarPart::spPageDown;
    return TScrollBarPart::spThumb;
}

int TScrollBarGeometry::DragPosition(int at, int grab) const {
    int track = FLength - 2 * FArrowSize - ThumbLength();
    int64_t span = int64_t(FRange.Max) - FRange.Min + 1 - std::max(FRange.Page, 0);
    if (track <= 0 || span <= 0)
        return FRange.Pos;
    int64_t offset = std::clamp(int64_t(at) - grab - FArrowSize, int64_t(0), int64_t(track));
    return int(FRange.Min + (offset * span + track / 2) / track);
}
