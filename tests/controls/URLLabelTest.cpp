// The link label on the headless window system: its colours and pointer
// while the mouse is over it, what a click opens, and its size.

#include "SkinnedControlsFixture.h"

#include "controls/SUIURLLabel.h"

#include <gtest/gtest.h>

namespace {
class URLLabelTest : public SkinnedControlsTest {};
} // namespace

TEST_F(URLLabelTest, StartsAsABlueUnderlinedLinkWithAHandPointer) {
    auto* link = new TsuiURLLabel(Form());
    EXPECT_EQ(link->FontRef().Color(), clBlue);
    EXPECT_TRUE(link->FontRef().Style() & fsUnderline);
    EXPECT_EQ(link->Cursor(), crHandPoint);
    EXPECT_TRUE(link->AutoSize());
    EXPECT_EQ(link->FontHoverColor(), RGB(255, 0, 0));
    EXPECT_EQ(link->FontLinkColor(), RGB(0, 0, 255));
    EXPECT_FALSE(link->URL().empty());
    EXPECT_FALSE(link->Caption().empty());
}

TEST_F(URLLabelTest, TurnsRedUnderThePointerAndBlueAgainAfter) {
    auto* link = Add<TsuiURLLabel>(20, 20, 10, 10);
    link->SetCaption("https://example.org/");
    Settle();
    auto inkOf = [&](TColor colour) {
        return PixelsWhere(Grab(link), [&](int, int, TColor c) { return c == colour; }).size();
    };
    EXPECT_GT(inkOf(clBlue), 0u);
    PointAt(link, 3, 3);
    EXPECT_EQ(link->FontRef().Color(), clRed);
    EXPECT_GT(inkOf(clRed), 0u);
    EXPECT_EQ(inkOf(clBlue), 0u);
    EXPECT_EQ(Backend().Cursor(), TWsCursor::Hand);
    PointAt(link, 300, 200);
    EXPECT_EQ(link->FontRef().Color(), clBlue);
    EXPECT_GT(inkOf(clBlue), 0u);

    // A new hover colour waits for the next entry; a new link colour shows.
    link->SetFontHoverColor(clLime);
    EXPECT_EQ(link->FontRef().Color(), clBlue);
    link->SetFontLinkColor(clNavy);
    EXPECT_EQ(link->FontRef().Color(), clNavy);
    PointAt(link, 3, 3);
    EXPECT_EQ(link->FontRef().Color(), clLime);
}

TEST_F(URLLabelTest, AClickOpensTheURLAsWrittenUnlessItIsBlank) {
    auto* link = Add<TsuiURLLabel>(20, 20, 10, 10);
    TCounter clicks;
    link->SetOnClick(clicks.Event());
    Settle();
    for (const char* blank : {"", "   ", "\t"}) {
        link->SetURL(blank);
        ClickOn(link, 2, 2);
        Advance(1000); // the next click is no double click
    }
    EXPECT_TRUE(Backend().OpenedUrls().empty());
    EXPECT_EQ(clicks.Count, 3) << "OnClick fires all the same";
    link->SetURL(" https://example.org/fish");
    ClickOn(link, 2, 2);
    ASSERT_EQ(Backend().OpenedUrls().size(), 1u);
    EXPECT_EQ(Backend().OpenedUrls()[0], " https://example.org/fish");
    EXPECT_EQ(clicks.Count, 4);
}

TEST_F(URLLabelTest, AutoSizeFollowsTheCaption) {
    auto* link = Add<TsuiURLLabel>(20, 20, 10, 10);
    link->SetCaption("short");
    const int narrow = link->Width();
    link->SetCaption("a much longer address");
    EXPECT_GT(link->Width(), narrow);
    link->SetCaption("");
    Settle();
    EXPECT_TRUE(PixelsWhere(Grab(link), [](int, int, TColor c) { return c == clBlue; }).empty());
}
