// The progress bar on the headless window system: the fill and its border,
// the percentage, the vertical bar, the look and file theme, the stored
// order of a layout, and the repaint that happens at once.

#include "SkinnedControlsFixture.h"

#include "controls/SUIProgressBar.h"
#include "controls/SUIRegister.h"
#include "framework/components/LayoutReader.h"
#include "framework/graphics/BmpCodec.h"
#include "skin/SUIMgr.h"
#include "skin/SUIThemeFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

constexpr TColor kFill = clRed;
constexpr TColor kEmpty = clLime;
constexpr TColor kBorder = clBlue;

class ProgressBarTest : public SkinnedControlsTest {
protected:
    // A bar in plain colours: a red picture over a green background in a
    // blue frame, without caption.
    TsuiProgressBar* PlainBar() {
        auto* bar = Add<TsuiProgressBar>(10, 10, 150, 12);
        bar->SetShowCaption(false);
        bar->SetColor(kEmpty);
        bar->SetBorderColor(kBorder);
        TPersistentPicture picture;
        picture.SetGraphic(std::make_unique<TBitmap>(Solid(4, 4, kFill)));
        bar->SetPicture(picture);
        return bar;
    }
    // The colours of row `y` of the bar, as shown.
    std::vector<TColor> Row(TControl* bar, int y) {
        std::vector<TColor> row;
        for (int x = 0; x < bar->Width(); ++x)
            row.push_back(Pixel(bar, x, y));
        return row;
    }
};

} // namespace

TEST_F(ProgressBarTest, DefaultsFillSeventyFourPixelsOfAHundredAndFifty) {
    auto* bar = new TsuiProgressBar(Form());
    EXPECT_EQ(bar->Width(), 150);
    EXPECT_EQ(bar->Height(), 12);
    EXPECT_EQ(bar->Caption(), "50%");
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Position(), 50);
    EXPECT_TRUE(bar->ShowCaption());
    EXPECT_FALSE(bar->SmartShowCaption());
    EXPECT_EQ(bar->Orientation(), TsuiProgressBarOrientation::suiHorizontal);
    EXPECT_EQ(bar->Color(), GetThemeColor(TsuiUIStyle::DeepBlue, 26)) << "the look's";
    EXPECT_EQ(bar->BorderColor(), GetThemeColor(TsuiUIStyle::DeepBlue, 25));
    EXPECT_EQ(bar->FillLength(149), 74);
    bar->Free();

    TsuiProgressBar* plain = PlainBar();
    Settle();
    // The picture over (1, 1)-(74, 11), the background from x = 74.
    for (int y = 1; y <= 10; ++y) {
        EXPECT_EQ(Pixel(plain, 1, y), kFill);
        EXPECT_EQ(Pixel(plain, 73, y), kFill);
        EXPECT_EQ(Pixel(plain, 74, y), kEmpty);
        EXPECT_EQ(Pixel(plain, 148, y), kEmpty);
    }
    for (int x = 0; x < 150; ++x) {
        EXPECT_EQ(Pixel(plain, x, 0), kBorder);
        EXPECT_EQ(Pixel(plain, x, 11), kBorder);
    }
    EXPECT_EQ(Pixel(plain, 0, 5), kBorder);
    EXPECT_EQ(Pixel(plain, 149, 5), kBorder);
}

TEST_F(ProgressBarTest, EmptyFullAndOverfullBars) {
    TsuiProgressBar* bar = PlainBar();
    bar->SetPosition(0);
    Settle();
    EXPECT_EQ(bar->Caption(), "0%");
    EXPECT_EQ(Pixel(bar, 1, 5), kEmpty) << "Position = Min: the background starts at x = 1";

    bar->SetPosition(101);
    Settle();
    EXPECT_EQ(bar->Caption(), "101%");
    EXPECT_EQ(Pixel(bar, 148, 5), kFill) << "past Max: the whole inner width";
    EXPECT_EQ(Pixel(bar, 149, 5), kBorder);

    bar->SetMin(10);
    bar->SetMax(10);
    Settle();
    EXPECT_EQ(bar->Caption(), "0%");
    EXPECT_EQ(Pixel(bar, 1, 5), kEmpty);
    EXPECT_EQ(Pixel(bar, 100, 5), kEmpty);

    // Extreme ranges neither overflow nor divide by zero.
    bar->SetMin(INT32_MIN);
    bar->SetMax(INT32_MAX);
    bar->SetPosition(0);
    EXPECT_EQ(bar->Caption(), "50%");
    EXPECT_EQ(bar->FillLength(149), 74);
    bar->SetMin(5);
    bar->SetMax(1);
    EXPECT_EQ(bar->FillLength(149), 0) << "Min above Max: empty";
}

TEST_F(ProgressBarTest, TheCaptionIsCentredAndSmartlyHiddenAtMin) {
    auto* bar = Add<TsuiProgressBar>(10, 10, 150, 16);
    bar->SetColor(clWhite);
    bar->SetPicture(TPersistentPicture());
    bar->SetPosition(0);
    bar->SetCaptionColor(clRed);
    Settle();
    auto ink = [&] {
        return PixelsWhere(Grab(bar), [](int, int, TColor c) { return c == clRed; }).size();
    };
    EXPECT_GT(ink(), 0u) << "ShowCaption shows 0% too";
    bar->SetSmartShowCaption(true);
    Settle();
    EXPECT_EQ(ink(), 0u);
    bar->SetPosition(1);
    Settle();
    EXPECT_GT(ink(), 0u);
}

TEST_F(ProgressBarTest, ATurnedBarFillsFromTheBottomAndDropsItsCaption) {
    auto* bar = Add<TsuiProgressBar>(10, 10, 150, 12);
    bar->SetUIStyle(TsuiUIStyle::WinXP);
    TBitmap upright;
    GetThemeBitmap(TsuiUIStyle::WinXP, 24, &upright);
    bar->SetOrientation(TsuiProgressBarOrientation::suiVertical);
    EXPECT_EQ(bar->Width(), 12);
    EXPECT_EQ(bar->Height(), 150);
    TBitmap& turned = bar->Picture()->Bitmap();
    ASSERT_EQ(turned.Width(), upright.Height());
    ASSERT_EQ(turned.Height(), upright.Width());
    for (int y = 0; y < upright.Height(); ++y)
        for (int x = 0; x < upright.Width(); ++x)
            EXPECT_EQ(turned.Pixel(y, upright.Width() - 1 - x), upright.Pixel(x, y));

    EXPECT_TRUE(bar->ShowCaption());
    bar->SetColor(kEmpty);
    TPersistentPicture red;
    red.SetGraphic(std::make_unique<TBitmap>(Solid(4, 4, kFill)));
    bar->SetPicture(red);
    Settle();
    EXPECT_FALSE(bar->ShowCaption()) << "painted upright, it lost its caption";
    // 74 of 149 rows filled from the bottom: rows 75 to 148.
    EXPECT_EQ(Pixel(bar, 5, 148), kFill);
    EXPECT_EQ(Pixel(bar, 5, 75), kFill);
    EXPECT_EQ(Pixel(bar, 5, 74), kEmpty);
    EXPECT_EQ(Pixel(bar, 5, 1), kEmpty);

    bar->SetOrientation(TsuiProgressBarOrientation::suiHorizontal);
    EXPECT_EQ(bar->Width(), 150);
    EXPECT_EQ(bar->Height(), 12);
    EXPECT_FALSE(bar->ShowCaption());
}

TEST_F(ProgressBarTest, PositionRepaintsWithoutTheMessageLoop) {
    TsuiProgressBar* bar = PlainBar();
    Settle();
    EXPECT_EQ(Pixel(bar, 100, 5), kEmpty);
    for (int position : {10, 30, 70, 100}) {
        bar->SetPosition(position);
        const int fill = position * 149 / 100;
        EXPECT_EQ(Pixel(bar, fill - 1, 5), kFill) << position;
        if (fill < 149) {
            EXPECT_EQ(Pixel(bar, fill, 5), kEmpty) << position;
        }
    }
}

TEST_F(ProgressBarTest, ALayoutsLaterColoursWinOverItsStyle) {
    RegisterSkinnedControls();
    ReadLayout(*Form(),
               "object F: TForm\n"
               "  object Bar: TsuiProgressBar\n"
               "    UIStyle = WinXP\n"
               "    ShowCaption = False\n"
               "    Position = 20\n"
               "    BorderColor = 255\n"
               "    Color = 65280\n"
               "  end\n"
               "end\n",
               TLayoutReadOptions{false, true});
    auto* bar = static_cast<TsuiProgressBar*>(Form()->FindComponent("Bar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_EQ(bar->BorderColor(), 255u);
    EXPECT_EQ(bar->Color(), 65280u);
    EXPECT_EQ(bar->Caption(), "20%");
    bar->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(bar->Color(), GetThemeColor(TsuiUIStyle::WinXP, 26)) << "until the look changes";
}

TEST_F(ProgressBarTest, AFileThemeGivesTheLookAndItsRemovalFallsBackToDeepBlue) {
    std::string dir = (std::filesystem::temp_directory_path() / "ssi-progress-XXXXXX").string();
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    const std::string path = std::string(dir) + "/bar.skin";
    TsuiThemeFileWriter skin;
    skin.AddBitmap("ProgressBarImage", Solid(3, 10, clFuchsia));
    skin.AddInteger("ControlBackgroundColor", 0x123456);
    skin.AddInteger("ControlBorderColor", 0x654321);
    skin.SaveToFile(path);
    auto* theme = new TsuiFileTheme(Form());
    theme->SetThemeFile(path);
    ASSERT_TRUE(theme->IsThemeLoaded());

    auto* bar = Add<TsuiProgressBar>(10, 10, 150, 12);
    bar->SetUIStyle(TsuiUIStyle::FromThemeFile);
    bar->SetFileTheme(theme);
    EXPECT_EQ(bar->Color(), 0x123456u);
    EXPECT_EQ(bar->BorderColor(), 0x654321u);
    EXPECT_EQ(bar->Picture()->Width(), 3);

    theme->Free();
    EXPECT_EQ(bar->FileTheme(), nullptr);
    EXPECT_EQ(bar->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(bar->Color(), GetThemeColor(TsuiUIStyle::DeepBlue, 26));
    std::remove(path.c_str());
    rmdir(dir.c_str());
}
