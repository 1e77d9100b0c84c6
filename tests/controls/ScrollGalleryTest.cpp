// The scroll-bar layout (examples/layouts/scroll-gallery.txt) read and shown
// in each of the five looks, with the licence memo scrolled part of the way
// down and across and the pointer over an arrow; each rendering goes to
// build/artifacts/scroll-<look>.png for people to look at. The assertions
// check that the look reached the bars and the memo's frame and that the
// memo's bars stand where its native scroll state puts them.

#include "support/PngFile.h"
#include "SkinnedControlsFixture.h"

#include "controls/SUIMemo.h"
#include "controls/SUIRegister.h"
#include "controls/SUIScrollBar.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/Properties.h"
#include "skin/SUIPublic.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

struct TLookCase {
    const char* Name;
    TsuiUIStyle Style;
};

class ScrollGalleryTest : public SkinnedControlsTest,
                          public ::testing::WithParamInterface<TLookCase> {
protected:
    template <class T> T* Find(TComponent* form, const char* name) {
        auto* found = dynamic_cast<T*>(form->FindComponent(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    TColor At(TCustomForm* form, const TControl* control, int x, int y) {
        TPoint p = control->ClientToScreen(Point(x, y));
        return WindowPixel(form, p.X - form->Left(), p.Y - form->Top());
    }
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST_P(ScrollGalleryTest, ShowsTheBarsAndTheMemoInTheLook) {
    const TsuiUIStyle style = GetParam().Style;
    RegisterSkinnedControls();
    TForm* form = Application().CreateForm<TForm>();
    TLayoutReadOptions options;
    options.IgnoreEvents = true;
    options.AnyRootClass = true;
    ReadLayout(*form,
               ReadText(std::string(SSI_SOURCE_DIR) + "/examples/layouts/scroll-gallery.txt"),
               options);
    // As a theme manager styles its list.
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* component = form->Component(i);
        if (HasProperty(component, "UIStyle") && HasProperty(component, "FileTheme"))
            SetEnumProp(*component, "UIStyle", TsuiUIStyleInfo().Name(static_cast<int>(style)));
    }
    form->Show();
    Application().ProcessMessages();

    auto* memo = Find<TsuiMemo>(form, "LicenseMemo");
    auto* vbar = Find<TsuiScrollBar>(form, "MemoVBar");
    auto* hbar = Find<TsuiScrollBar>(form, "MemoHBar");
    memo->Perform(WM_VSCROLL, MakeLParam(SB_THUMBPOSITION, 6) & 0xFFFFFFFF);
    memo->Perform(WM_HSCROLL, MakeLParam(SB_THUMBPOSITION, 40) & 0xFFFFFFFF);
    auto* tall = Find<TsuiScrollBar>(form, "TallBar");
    TPoint over = tall->EndButton()->ClientToScreen(Point(5, 5));
    Backend().MoveMouse(over.X, over.Y);
    Application().ProcessMessages();

    const std::string file = std::string(SSI_ARTIFACTS_DIR) + "/scroll-" + GetParam().Name + ".png";
    EXPECT_TRUE(SavePng(Backend().Framebuffer(form->ScreenWindow()), file));

    // The memo's bars follow its native scroll state.
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssBoth);
    EXPECT_EQ(vbar->Position(), memo->TopLine());
    EXPECT_EQ(memo->TopLine(), 6);
    EXPECT_EQ(hbar->Position(), memo->HorzOffset());
    EXPECT_EQ(memo->HorzOffset(), 40);
    EXPECT_TRUE(vbar->Enabled() && hbar->Enabled());
    EXPECT_EQ(vbar->Track()->Slider()->Top(), vbar->Track()->SliderPlace());
    EXPECT_GT(vbar->Track()->Slider()->Top(), 0);

    // The look reached every bar and the memo's frame.
    const TColor background = GetThemeColor(style, 31);
    for (const char* name :
         {"MemoVBar", "MemoHBar", "PageBar", "LineBar", "TallBar", "FixedBar", "DisabledBar"}) {
        auto* bar = Find<TsuiScrollBar>(form, name);
        EXPECT_EQ(bar->UIStyle(), style) << name;
        EXPECT_EQ(bar->Color(), background) << name;
    }
    EXPECT_EQ(At(form, memo, -2, 40), GetThemeColor(style, 25)) << "the frame";
    EXPECT_EQ(At(form, tall, tall->Width() / 2, tall->StartButton()->Height()), background)
        << "the track";
    EXPECT_TRUE(tall->EndButton()->MouseOver());
    // The end arrow under the pointer shows its hover frame.
    TBitmap hover;
    GetThemeBitmap(style, 32, &hover, 6, 5);
    const TsuiImageButton* arrow = tall->EndButton();
    for (int y = 0; y < hover.Height(); y += 3)
        for (int x = 0; x < hover.Width(); x += 3)
            ASSERT_EQ(At(form, arrow, x, y), hover.Pixel(x, y)) << x << "," << y;
    auto* fixed = Find<TsuiScrollBar>(form, "FixedBar");
    EXPECT_EQ(fixed->Track()->Slider()->Height(), 60);
    EXPECT_EQ(fixed->Track()->Slider()->Top() + 60, fixed->Track()->Height()) << "at Max";
}

INSTANTIATE_TEST_SUITE_P(Looks, ScrollGalleryTest,
                         ::testing::Values(TLookCase{"macos", TsuiUIStyle::MacOS},
                                           TLookCase{"winxp", TsuiUIStyle::WinXP},
                                           TLookCase{"deepblue", TsuiUIStyle::DeepBlue},
                                           TLookCase{"protein", TsuiUIStyle::Protein},
                                           TLookCase{"blueglass", TsuiUIStyle::BlueGlass}),
                         [](const ::testing::TestParamInfo<TLookCase>& info) {
                             return std::string(info.param.Name);
                         });
