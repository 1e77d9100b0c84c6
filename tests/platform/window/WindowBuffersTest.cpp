#include "platform/window/WindowBuffers.h"

#include <gtest/gtest.h>

namespace {

// Paints every back-buffer pixel with a value that says where it is.
void PaintCoordinates(TWindowBuffers& buffers) {
    TWsPixels back = buffers.Back();
    for (int y = 0; y < back.Height; ++y)
        for (int x = 0; x < back.Width; ++x)
            back.Row(y)[x] = 0x100u * (y + 1) + (x + 1);
}

} // namespace

TEST(WindowBuffers, PresentCopiesOnlyTheClippedRectangle) {
    TWindowBuffers buffers(4, 3);
    PaintCoordinates(buffers);
    EXPECT_EQ(buffers.FrontPixel(1, 1), 0u) << "nothing is shown before a present";

    EXPECT_EQ(buffers.Present(TWsRect{2, 1, 10, 10}), (TWsRect{2, 1, 4, 3}));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(buffers.FrontPixel(x, y), x >= 2 && y >= 1 ? 0x100u * (y + 1) + (x + 1) : 0u)
                << x << "," << y;

    EXPECT_TRUE(buffers.Present(TWsRect{4, 0, 9, 3}).IsEmpty()) << "beside the window";
    EXPECT_TRUE(buffers.Present(TWsRect{-5, -5, -1, -1}).IsEmpty());
    EXPECT_EQ(buffers.FrontPixel(0, 0), 0u);
}

TEST(WindowBuffers, ResizingKeepsTheTopLeftOfBothBuffers) {
    TWindowBuffers buffers(3, 2);
    PaintCoordinates(buffers);
    buffers.Present(TWsRect{0, 0, 1, 1}); // the front holds one pixel only

    buffers.Resize(5, 1);
    ASSERT_EQ(buffers.Width(), 5);
    ASSERT_EQ(buffers.Height(), 1);
    TWsPixels back = buffers.Back();
    EXPECT_EQ(back.Pitch, 5);
    const uint32_t row[] = {0x101, 0x102, 0x103, 0, 0};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(back.Row(0)[x], row[x]) << x;
    EXPECT_EQ(buffers.FrontPixel(0, 0), 0x101u);
    EXPECT_EQ(buffers.FrontPixel(1, 0), 0u) << "never presented, so not kept as shown";

    buffers.Resize(2, 2);
    EXPECT_EQ(buffers.Back().Row(0)[1], 0x102u);
    EXPECT_EQ(buffers.Back().Row(1)[0], 0u) << "the row that was cut off comes back black";
}

TEST(WindowBuffers, AWindowWithoutPixelsHasNoBackBuffer) {
    TWindowBuffers buffers(-4, 7);
    EXPECT_EQ(buffers.Width(), 0);
    EXPECT_EQ(buffers.Back().Pixels, nullptr);
    EXPECT_TRUE(buffers.Present(TWsRect{0, 0, 10, 10}).IsEmpty());
    buffers.Resize(2, 2);
    ASSERT_NE(buffers.Back().Pixels, nullptr);
    EXPECT_EQ(buffers.Back().Row(1)[1], 0u);
    buffers.Resize(0, 2);
    EXPECT_EQ(buffers.Back().Pixels, nullptr);
    EXPECT_TRUE(buffers.Front().empty());
}
