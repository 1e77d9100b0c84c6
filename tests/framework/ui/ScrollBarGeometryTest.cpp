// The track arithmetic of a scroll bar, without a control: thumb size and
// place, the part under a point, and the position a dragged thumb gives.

#include "framework/ui/ScrollBarGeometry.h"

#include <gtest/gtest.h>

namespace {

using enum TScrollBarPart;

// 234 pixels: two 17-pixel arrows around a 200-pixel track.
constexpr int kLength = 234;

TScrollBarGeometry Bar(int min, int max, int page, int pos, int length = kLength) {
    return TScrollBarGeometry(length, TScrollRange{min, max, page, pos});
}

} // namespace

TEST(ScrollBarGeometry, ThumbIsThePageShareOfTheTrackAndMovesWithThePosition) {
    // 100 positions, a quarter of them shown: a 50-pixel thumb travelling
    // 150 pixels over the 75 positions it can take.
    TScrollBarGeometry top = Bar(0, 99, 25, 0);
    ASSERT_TRUE(top.Available());
    EXPECT_EQ(top.ArrowSize(), kScrollBarSize);
    EXPECT_EQ(top.ThumbStart(), 17);
    EXPECT_EQ(top.ThumbEnd(), 67);
    EXPECT_EQ(Bar(0, 99, 25, 30).ThumbStart(), 17 + 60);
    TScrollBarGeometry end = Bar(0, 99, 25, 75);
    EXPECT_EQ(end.ThumbEnd(), kLength - kScrollBarSize) << "the last position fills the track";
    // A range that does not start at 0 gives the same bar.
    EXPECT_EQ(Bar(1000, 1099, 25, 1030).ThumbStart(), 17 + 60);
    // Positions past either end keep the thumb on the track.
    EXPECT_EQ(Bar(0, 99, 25, 500).ThumbEnd(), kLength - kScrollBarSize);
    EXPECT_EQ(Bar(0, 99, 25, -8).ThumbStart(), kScrollBarSize);
}

TEST(ScrollBarGeometry, NothingToScrollMeansNoThumb) {
    struct Case {
        const char* What;
        int Min, Max, Page;
    };
    for (Case c :
         {Case{"empty range", 0, -1, 0}, Case{"one position, one page", 0, 0, 1},
          Case{"page equals the range", 0, 9, 10}, Case{"page larger than the range", 5, 9, 100}}) {
        SCOPED_TRACE(c.What);
        TScrollBarGeometry g = Bar(c.Min, c.Max, c.Page, c.Min);
        EXPECT_FALSE(g.Available());
        EXPECT_EQ(g.ThumbLength(), 0);
        EXPECT_EQ(g.PartAt(kLength / 2), spNone) << "the track does nothing";
        EXPECT_EQ(g.PartAt(3), spLineUp) << "the arrows are still there";
        EXPECT_EQ(g.DragPosition(kLength, 0), c.Min) << "dragging keeps the position";
    }
    TScrollBarGeometry disabled(kLength, TScrollRange{0, 99, 25, 30}, false);
    EXPECT_FALSE(disabled.Available());
    EXPECT_EQ(disabled.ThumbStart(), 0);
    EXPECT_EQ(disabled.ThumbEnd(), 0);
}

TEST(ScrollBarGeometry, ThumbNeverShrinksBelowTheMinimumAndNeedsRoomOnTheTrack) {
    // A long range would make a 2-pixel thumb: it keeps kMinThumb, and the
    // last position still puts it at the end of the track.
    TScrollBarGeometry first = Bar(0, 9999, 100, 0);
    EXPECT_EQ(first.ThumbLength(), kMinThumb);
    TScrollBarGeometry last = Bar(0, 9999, 100, 9900);
    EXPECT_EQ(last.ThumbLength(), kMinThumb);
    EXPECT_EQ(last.ThumbEnd(), kLength - kScrollBarSize);
    // A page of no positions gets the smallest thumb too.
    EXPECT_EQ(Bar(0, 99, 0, 0).ThumbLength(), kMinThumb);
    // A custom minimum (a skinned thumb's own length).
    TScrollBarGeometry skinned(kLength, TScrollRange{0, 9999, 100, 0}, true, 12, 30);
    EXPECT_EQ(skinned.ArrowSize(), 12);
    EXPECT_EQ(skinned.ThumbLength(), 30);

    // A track shorter than the smallest thumb shows none.
    int justTooShort = 2 * kScrollBarSize + kMinThumb - 1;
    EXPECT_FALSE(Bar(0, 99, 10, 0, justTooShort).Available());
    EXPECT_TRUE(Bar(0, 99, 10, 0, justTooShort + 1).Available());
    // On a bar shorter than two arrows each arrow takes half of it, and
    // there is no track at all.
    TScrollBarGeometry stub = Bar(0, 99, 10, 0, 21);
    EXPECT_EQ(stub.ArrowSize(), 10);
    EXPECT_FALSE(stub.Available());
    EXPECT_EQ(stub.PartAt(9), spLineUp);
    EXPECT_EQ(stub.PartAt(10), spNone) << "the odd pixel between the arrows";
    EXPECT_EQ(stub.PartAt(11), spLineDown);
    EXPECT_EQ(TScrollBarGeometry(-5, TScrollRange{0, 99, 10, 0}).Length(), 0);
}

TEST(ScrollBarGeometry, PartsMeetAtTheirEdges) {
    TScrollBarGeometry g = Bar(0, 99, 25, 30); // thumb [77, 127)
    ASSERT_EQ(g.ThumbStart(), 77);
    ASSERT_EQ(g.ThumbEnd(), 127);
    struct Case {
        int At;
        TScrollBarPart Part;
    };
    for (Case c :
         {Case{-1, spNone}, Case{0, spLineUp}, Case{16, spLineUp}, Case{17, spPageUp},
          Case{76, spPageUp}, Case{77, spThumb}, Case{126, spThumb}, Case{127, spPageDown},
          Case{216, spPageDown}, Case{217, spLineDown}, Case{233, spLineDown}, Case{234, spNone}}) {
        SCOPED_TRACE(c.At);
        EXPECT_EQ(g.PartAt(c.At), c.Part);
    }
    // With the thumb against an arrow there is no page part on that side.
    EXPECT_EQ(Bar(0, 99, 25, 0).PartAt(17), spThumb);
    EXPECT_EQ(Bar(0, 99, 25, 75).PartAt(216), spThumb);
}

TEST(ScrollBarGeometry, DraggingTheThumbMapsThePointerBackToAPosition) {
    const int grab = 20; // taken 20 pixels below the thumb's start
    // Dropped where it lies, the thumb keeps every position.
    for (int pos = 0; pos <= 75; ++pos) {
        TScrollBarGeometry g = Bar(0, 99, 25, pos);
        ASSERT_EQ(g.DragPosition(g.ThumbStart() + grab, grab), pos) << pos;
    }
    // Pulled past either end, it stops at the first and the last position.
    TScrollBarGeometry g = Bar(10, 109, 25, 40);
    EXPECT_EQ(g.DragPosition(-500, grab), 10);
    EXPECT_EQ(g.DragPosition(kScrollBarSize + grab, grab), 10);
    EXPECT_EQ(g.DragPosition(kLength - kScrollBarSize - 50 + grab, grab), 85);
    EXPECT_EQ(g.DragPosition(kLength + 500, grab), 85);
    // Half a position's worth of pixels rounds to the nearer position.
    EXPECT_EQ(g.DragPosition(kScrollBarSize + grab + 1, grab), 11);
    EXPECT_EQ(g.DragPosition(kScrollBarSize + grab + 0, grab), 10);
}

TEST(ScrollBarGeometry, HugeRangesDoNotOverflow) {
    // A billion positions, half of them a page: the products of track
    // pixels and positions need more than 32 bits.
    const int max = 1'000'000'000, page = 500'000'000;
    TScrollBarGeometry g = Bar(0, max, page, max - page + 1);
    ASSERT_TRUE(g.Available());
    EXPECT_EQ(g.ThumbLength(), 99);
    EXPECT_EQ(g.ThumbEnd(), kLength - kScrollBarSize);
    EXPECT_EQ(g.DragPosition(kLength, 0), max - page + 1);
    EXPECT_EQ(g.DragPosition(0, 0), 0);
    EXPECT_EQ(Bar(-max, max, page, 0).ThumbLength(), 49);
}
