// Push buttons on the headless window system: the face each state shows,
// captions, glyphs and focus marks on the screen, the repeat timer on the
// virtual clock, and the keys, accelerators, default and cancel buttons and
// ModalResult.

#include "SkinnedControlsFixture.h"

#include "controls/SUIButton.h"
#include "controls/SUIRegister.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/LayoutWriter.h"
#include "framework/components/Properties.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/ui/Timer.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class ButtonTest : public SkinnedControlsTest {
protected:
    // A DeepBlue button exactly as large as the face, so that the face's
    // top-left quarter reaches the screen 1:1.
    TsuiButton* FaceSizedButton() {
        auto* button = Add<TsuiButton>(10, 10, 74, 21);
        button->SetUIStyle(TsuiUIStyle::DeepBlue);
        return button;
    }
};

} // namespace

TEST_F(ButtonTest, StartsWithTheDocumentedValuesAndTheLooksTransparency) {
    auto* button = new TsuiButton(Form());
    EXPECT_EQ(button->Width(), 80);
    EXPECT_EQ(button->Height(), 27);
    EXPECT_EQ(button->Caption(), "");
    EXPECT_EQ(button->UIStyle(), TsuiUIStyle::DeepBlue) << "no TsuiForm on the owner";
    EXPECT_FALSE(button->Transparent());
    EXPECT_FALSE(button->Cancel());
    EXPECT_FALSE(button->Default());
    EXPECT_EQ(button->ModalResult(), 0);
    EXPECT_FALSE(button->AutoSize());
    EXPECT_EQ(button->FocusedRectMargin(), 2);
    EXPECT_TRUE(button->Glyph()->Empty());
    EXPECT_EQ(button->Layout(), TButtonLayout::blGlyphLeft);
    EXPECT_EQ(button->Spacing(), 4);
    EXPECT_EQ(button->MouseContinuouslyDownInterval(), 100);
    EXPECT_TRUE(button->TabStop());
    button->SetResHandle(1234);
    EXPECT_EQ(button->ResHandle(), 0);

    // The look decides Transparent, and a later value wins until the next
    // change of look.
    button->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_TRUE(button->Transparent());
    button->SetTransparent(false);
    button->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_FALSE(button->Transparent());
    button->SetUIStyle(TsuiUIStyle::BlueGlass);
    EXPECT_TRUE(button->Transparent());

    auto* image = new TsuiImageButton(Form());
    EXPECT_EQ(image->UIStyle(), TsuiUIStyle::FromThemeFile);
    image->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(image->UIStyle(), TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(GetEnumProp(*image, "UIStyle"), "FromThemeFile");
}

TEST_F(ButtonTest, AutoSizeTakesAFrameOfTheBuiltInStrip) {
    auto* button = Add<TsuiButton>(0, 0, 80, 27);
    button->SetUIStyle(TsuiUIStyle::WinXP);
    button->SetAutoSize(true);
    EXPECT_EQ(button->Width(), 18);
    EXPECT_EQ(button->Height(), 21);
    // No built-in strip for FromThemeFile: a 74 x 21 stand-in, a third of
    // it wide.
    button->SetUIStyle(TsuiUIStyle::FromThemeFile);
    button->SetAutoSize(true);
    EXPECT_EQ(button->Width(), 24);
    EXPECT_EQ(button->Height(), 21);
}

TEST_F(ButtonTest, EachStateShowsItsFrameOfTheLooksStrip) {
    TsuiButton* button = FaceSizedButton();
    TBitmap frames[4];
    for (int k = 1; k <= 3; ++k)
        frames[k] = ThemeFrame(TsuiUIStyle::DeepBlue, 1, 3, k);
    // A pixel of the top-left quarter where all three frames differ.
    std::vector<TPoint> distinct = PixelsWhere(frames[1], [&](int x, int y, TColor c) {
        return x < 37 && y < 10 && c != frames[2].Pixel(x, y) && c != frames[3].Pixel(x, y) &&
               frames[2].Pixel(x, y) != frames[3].Pixel(x, y);
    });
    ASSERT_FALSE(distinct.empty()) << "the three faces differ somewhere";
    const TPoint p = distinct.front();

    Settle();
    EXPECT_EQ(Pixel(button, p.X, p.Y), frames[1].Pixel(p.X, p.Y)) << "normal";
    PointAt(button, 50, 15);
    EXPECT_TRUE(button->MouseOver());
    EXPECT_EQ(Pixel(button, p.X, p.Y), frames[2].Pixel(p.X, p.Y)) << "under the pointer";
    Press();
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(Pixel(button, p.X, p.Y), frames[3].Pixel(p.X, p.Y)) << "pressed";
    Release();
    EXPECT_EQ(Pixel(button, p.X, p.Y), frames[2].Pixel(p.X, p.Y)) << "released, still hovered";
    button->SetEnabled(false);
    Settle();
    EXPECT_EQ(Pixel(button, p.X, p.Y), frames[1].Pixel(p.X, p.Y)) << "disabled";
    PointAt(button, 200, 200);
    EXPECT_FALSE(button->MouseOver());

    // Another look of the same face size: the next paint takes its strip.
    const TBitmap protein = ThemeFrame(TsuiUIStyle::Protein, 1, 3, 1);
    auto differs = PixelsWhere(protein, [&](int x, int y, TColor c) {
        return x < 37 && y < 10 && c != frames[1].Pixel(x, y);
    });
    ASSERT_FALSE(differs.empty());
    const TPoint q = differs.front();
    button->SetUIStyle(TsuiUIStyle::Protein);
    Settle();
    EXPECT_EQ(Pixel(button, q.X, q.Y), protein.Pixel(q.X, q.Y));
}

TEST_F(ButtonTest, ADisabledCaptionIsDrawnTwiceWhiteBelowRightThenGrey) {
    TsuiButton* button = FaceSizedButton();
    button->SetEnabled(false);
    Settle();
    const TBitmap bare = Grab(button);
    button->SetCaption("HIM");
    Settle();
    const TBitmap written = Grab(button);
    std::set<std::pair<int, int>> grey;
    std::vector<TPoint> white;
    for (const TPoint& p :
         PixelsWhere(written, [&](int x, int y, TColor c) { return c != bare.Pixel(x, y); })) {
        TColor c = written.Pixel(p.X, p.Y);
        ASSERT_TRUE(c == 0x808080 || c == 0xFFFFFF) << std::hex << c;
        if (c == 0x808080)
            grey.insert({p.X, p.Y});
        else
            white.push_back(p);
    }
    ASSERT_FALSE(grey.empty());
    ASSERT_FALSE(white.empty());
    for (const TPoint& p : white)
        EXPECT_TRUE(grey.count({p.X - 1, p.Y - 1})) << "white at " << p.X << "," << p.Y;
}

TEST_F(ButtonTest, FocusIsADottedFrameInWinXPAndABoldCaptionInMacOS) {
    auto* button = Add<TsuiButton>(10, 10, 80, 27);
    auto* other = Add<TsuiButton>(100, 10, 80, 27);
    button->SetUIStyle(TsuiUIStyle::WinXP);
    button->SetFocusedRectMargin(3);
    Settle();
    other->SetFocus();
    Settle();
    const TBitmap plain = Grab(button);
    button->SetFocus();
    Settle();
    const TBitmap focused = Grab(button);
    auto changed =
        PixelsWhere(focused, [&](int x, int y, TColor c) { return c != plain.Pixel(x, y); });
    ASSERT_FALSE(changed.empty());
    for (const TPoint& p : changed)
        EXPECT_TRUE(((p.X == 3 || p.X == 76) && p.Y >= 3 && p.Y <= 23) ||
                    ((p.Y == 3 || p.Y == 23) && p.X >= 3 && p.X <= 76))
            << p.X << "," << p.Y << " lies off the rectangle inset by 3";

    // MacOS: nothing but the caption changes, and only when there is one
    // (a focused paint without a caption leaves nothing bold behind).
    button->SetUIStyle(TsuiUIStyle::MacOS);
    other->SetFocus();
    Settle();
    const TBitmap macPlain = Grab(button);
    button->SetFocus();
    Settle();
    EXPECT_TRUE(SamePixels(Grab(button), macPlain)) << "no frame without a caption";
    button->SetCaption("Wide");
    other->SetFocus();
    Settle();
    const TBitmap macCaption = Grab(button);
    button->SetFocus();
    Settle();
    const TBitmap macBold = Grab(button);
    EXPECT_GT(PixelsWhere(macBold, [&](int x, int y,
                                       TColor c) { return c == 0 && macCaption.Pixel(x, y) != 0; })
                  .size(),
              0u)
        << "the focused caption is bolder";
}

TEST_F(ButtonTest, AGlyphOfTwoFramesShowsItsSecondWhenDisabledAndOneFrameIsGreyed) {
    auto* button = Add<TsuiButton>(10, 10, 80, 27);
    TBitmap strip = Solid(32, 16, clRed);
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x)
            strip.SetPixel(x, y, clBlue);
    strip.SetPixel(0, 0, clFuchsia); // the key colour, from the top-left pixel
    button->Glyph()->Assign(strip);
    Settle();
    // No caption: the glyph is centred, (80 - 16 - 0 - 4) / 2 = 30 across.
    EXPECT_EQ(Pixel(button, 38, 13), clRed);
    EXPECT_NE(Pixel(button, 30, 5), clFuchsia) << "the key colour is left out";
    button->SetEnabled(false);
    Settle();
    EXPECT_EQ(Pixel(button, 38, 13), clBlue) << "frame 2, not greyed";

    TBitmap single = Solid(16, 16, clRed);
    single.SetPixel(0, 0, clFuchsia);
    button->Glyph()->Assign(single);
    Settle();
    const TBitmap greyed = Grab(button);
    EXPECT_TRUE(PixelsWhere(greyed, [](int, int, TColor c) { return c == clRed; }).empty());
    button->SetEnabled(true);
    Settle();
    EXPECT_EQ(Pixel(button, 38, 13), clRed);
}

TEST_F(ButtonTest, HeldDownItFiresAtEveryIntervalAndStopsWhenReleased) {
    auto* button = Add<TsuiButton>(10, 10, 80, 27);
    TCounter repeats;
    button->SetOnMouseContinuouslyDown(repeats.Event());
    button->SetMouseContinuouslyDownInterval(100);
    Settle();
    PointAt(button, 20, 10);
    Press();
    ASSERT_NE(button->RepeatTimer(), nullptr);
    Advance(99);
    EXPECT_EQ(repeats.Count, 0) << "the first one comes one interval after the press";
    Advance(1);
    EXPECT_EQ(repeats.Count, 1);
    Advance(100);
    EXPECT_EQ(repeats.Count, 2);
    Advance(100);
    EXPECT_EQ(repeats.Count, 3);
    Release();
    EXPECT_EQ(button->RepeatTimer(), nullptr);
    Advance(500);
    EXPECT_EQ(repeats.Count, 3);
}

TEST_F(ButtonTest, ANegativeOrZeroIntervalFiresNothing) {
    auto* button = Add<TsuiButton>(10, 10, 80, 27);
    TCounter repeats;
    button->SetOnMouseContinuouslyDown(repeats.Event());
    Settle();
    for (int interval : {-50, 0}) {
        button->SetMouseContinuouslyDownInterval(interval);
        PointAt(button, 20, 10);
        Press();
        Advance(1000);
        Release();
    }
    EXPECT_EQ(repeats.Count, 0);
}

TEST_F(ButtonTest, AReleaseOutsideClicksNothingAndEndsThePress) {
    auto* button = Add<TsuiButton>(10, 10, 80, 27);
    TCounter clicks, exits;
    button->SetOnClick(clicks.Event());
    button->SetOnMouseExit(exits.Event());
    Settle();
    PointAt(button, 20, 10);
    Press();
    EXPECT_TRUE(button->Pressed());
    PointAt(button, 150, 60);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(button->RepeatTimer(), nullptr);
    EXPECT_EQ(exits.Count, 1);
    Release();
    EXPECT_EQ(clicks.Count, 0);

    ClickOn(button, 20, 10);
    EXPECT_EQ(clicks.Count, 1);
    EXPECT_FALSE(button->Pressed());
}

TEST_F(ButtonTest, AClickWritesItsModalResultIntoTheForm) {
    auto* ok = Add<TsuiButton>(10, 10, 80, 27);
    auto* plain = Add<TsuiButton>(100, 10, 80, 27);
    ok->SetModalResult(mrOk);
    Settle();
    ClickOn(ok);
    EXPECT_EQ(Form()->ModalResult(), mrOk);
    plain->Click();
    EXPECT_EQ(Form()->ModalResult(), mrNone) << "0 is written too";

    auto* loose = new TsuiButton(nullptr);
    loose->SetModalResult(mrCancel);
    loose->Click(); // no parent, no form: nothing to write
    delete loose;
}

TEST_F(ButtonTest, EnterClicksTheFocusedButtonOrElseTheDefaultAndEscapeTheCancelButton) {
    auto* box = Add<TsuiCheckBox>(10, 60, 93, 17);
    auto* ok = Add<TsuiButton>(10, 10, 80, 27);
    auto* cancel = Add<TsuiButton>(100, 10, 80, 27);
    auto* other = Add<TsuiButton>(190, 10, 80, 27);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    TCounter okClicks, cancelClicks, otherClicks;
    ok->SetOnClick(okClicks.Event());
    cancel->SetOnClick(cancelClicks.Event());
    other->SetOnClick(otherClicks.Event());
    Settle();
    box->SetFocus();
    Settle();
    Key(VK_RETURN);
    EXPECT_EQ(okClicks.Count, 1) << "Enter on a check box clicks the default button";

    Backend().PressKey(VK_SHIFT);
    Key(VK_RETURN);
    Backend().ReleaseKey(VK_SHIFT);
    Application().ProcessMessages();
    EXPECT_EQ(okClicks.Count, 1) << "Shift+Enter clicks nothing";

    other->SetFocus();
    Settle();
    EXPECT_TRUE(other->ActiveDefault());
    EXPECT_FALSE(ok->ActiveDefault());
    Key(VK_RETURN);
    EXPECT_EQ(otherClicks.Count, 1);
    EXPECT_EQ(okClicks.Count, 1) << "the focused button, not the default one";

    Key(VK_ESCAPE);
    EXPECT_EQ(cancelClicks.Count, 1);

    // Default moved to another button takes effect at once.
    box->SetFocus();
    ok->SetDefault(false);
    cancel->SetDefault(true);
    Settle();
    Key(VK_RETURN);
    EXPECT_EQ(cancelClicks.Count, 2);
    EXPECT_EQ(okClicks.Count, 1);
}

TEST_F(ButtonTest, SpaceClicksOnReleaseAndTheAcceleratorClicksAtOnce) {
    auto* button = Add<TsuiButton>(10, 10, 80, 27);
    auto* box = Add<TsuiCheckBox>(10, 60, 93, 17);
    button->SetCaption("&Next");
    TCounter clicks;
    button->SetOnClick(clicks.Event());
    Settle();
    button->SetFocus();
    Backend().PressKey(VK_SPACE);
    Application().ProcessMessages();
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(clicks.Count, 0);
    Backend().ReleaseKey(VK_SPACE);
    Application().ProcessMessages();
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(clicks.Count, 1);

    box->SetFocus();
    Backend().TypeText("n");
    Application().ProcessMessages();
    EXPECT_EQ(clicks.Count, 2);
    button->SetEnabled(false);
    Backend().TypeText("n");
    Application().ProcessMessages();
    EXPECT_EQ(clicks.Count, 2) << "a disabled button takes no accelerator";
}

TEST_F(ButtonTest, DisablingAPressedButtonStopsItsRepeatTimer) {
    auto* button = Add<TsuiButton>(10, 10, 80, 27);
    TCounter repeats;
    button->SetOnMouseContinuouslyDown(repeats.Event());
    Settle();
    PointAt(button, 20, 10);
    Press();
    Advance(100);
    EXPECT_EQ(repeats.Count, 1);
    button->SetEnabled(false);
    Advance(300);
    EXPECT_EQ(repeats.Count, 1);
    Release();
}

TEST_F(ButtonTest, AnImageButtonShowsItsPicturesAndFallsBackToTheNormalOne) {
    auto* button = Add<TsuiImageButton>(10, 10, 40, 20);
    TPersistentPicture normal, hover;
    normal.SetGraphic(std::make_unique<TBitmap>(Solid(30, 16, clLime)));
    hover.SetGraphic(std::make_unique<TBitmap>(Solid(30, 16, clYellow)));
    button->SetAutoSize(true);
    button->SetPicNormal(normal);
    EXPECT_EQ(button->Width(), 30) << "AutoSize takes PicNormal's size";
    EXPECT_EQ(button->Height(), 16);
    button->SetPicMouseOn(hover);
    Settle();
    EXPECT_EQ(Pixel(button, 5, 5), clLime);
    PointAt(button, 5, 5);
    EXPECT_EQ(Pixel(button, 5, 5), clYellow);
    Press();
    EXPECT_EQ(Pixel(button, 5, 5), clLime) << "no PicMouseDown: PicNormal";
    Release();
}

TEST_F(ButtonTest, GlyphAndLookSurviveALayoutRoundTrip) {
    RegisterSkinnedControls();
    auto* button = Add<TsuiButton>(10, 10, 80, 27);
    button->SetName("Next");
    button->SetUIStyle(TsuiUIStyle::MacOS);
    button->SetTransparent(false); // after the style: the stored order keeps it
    TBitmap glyph = Solid(16, 16, clRed);
    glyph.SetPixel(0, 0, clFuchsia);
    glyph.SetPixel(5, 7, clBlue);
    button->Glyph()->Assign(glyph);
    const std::string text = WriteLayout(*Form());
    EXPECT_NE(text.find("Glyph.Data = {"), std::string::npos);

    TForm* copy = Application().CreateForm<TForm>();
    ReadLayout(*copy, text);
    auto* read = static_cast<TsuiButton*>(copy->FindComponent("Next"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->UIStyle(), TsuiUIStyle::MacOS);
    EXPECT_FALSE(read->Transparent());
    EXPECT_TRUE(SamePixels(*read->Glyph(), glyph));
}
