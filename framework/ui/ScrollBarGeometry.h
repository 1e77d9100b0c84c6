#pragma once
// The arithmetic of a scroll bar along its length, apart from any control:
// how long the thumb is and where it sits for a range, a page and a
// position; which part of the bar a point falls in; and which position a
// dragged thumb stands for. Lengths are pixels from the bar's top (left)
// end, arrows included. The native scroll bars (the memo's) use it, and a
// bar that draws itself differently (a skinned one) can use the same track
// mechanics.

// Width of a vertical (height of a horizontal) scroll bar and of its arrows.
constexpr int kScrollBarSize = 17;
// Smallest thumb the platform draws.
constexpr int kMinThumb = 8;

// What a bar scrolls, as the platform's scroll information gives it:
// positions Min..Max, Page of them shown at once, Pos the first one shown.
struct TScrollRange {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
};

// The parts of a bar, top (left) to bottom (right); spNone outside the bar
// and on the track of a bar that cannot scroll.
enum class TScrollBarPart { spNone, spLineUp, spPageUp, spThumb, spPageDown, spLineDown };

class TScrollBarGeometry {
public:
    // A bar `length` long showing `range`, with an arrow of `arrowSize` at
    // each end (on a bar shorter than two arrows each takes half) and a
    // thumb no shorter than `minThumb`. A disabled bar cannot scroll.
    TScrollBarGeometry(int length, const TScrollRange& range, bool enabled = true,
                       int arrowSize = kScrollBarSize, int minThumb = kMinThumb);

    int Length() const { return FLength; }
    int ArrowSize() const { return FArrowSize; }
    // Whether the bar can scroll: it is enabled, there is more than a page
    // to show and the track has room for the thumb. One that cannot shows
    // no thumb (ThumbStart and ThumbEnd are 0), as the platform's disabled
    // bar does.
    bool Available() const { return FAvailable; }
    // The thumb: [ThumbStart, ThumbEnd).
    int ThumbStart() const { return FThumbStart; }
    int ThumbEnd() const { return FThumbEnd; }
    int ThumbLength() const { return FThumbEnd - FThumbStart; }

    // The part at `at` pixels from the top (left) end.
    TScrollBarPart PartAt(int at) const;
    // The position for the thumb dragged so that the point it was taken at,
    // `grab` pixels below (right of) its start, is at `at`; the thumb stops
    // at both ends of the track. Pos when there is nothing to drag.
    int DragPosition(int at, int grab) const;

private:
    TScrollRange FRange;
    int FLength = 0;
    int FArrowSize = 0;
    bool FAvailable = false;
    int FThumbStart = 0;
    int FThumbEnd = 0;
};
