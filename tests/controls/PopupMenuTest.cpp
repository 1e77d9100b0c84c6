// The skinned pop-up menu: its values after construction and per look, the
// items it measures and draws in an open menu, and the shared check mark.

#include "SkinnedTestSupport.h"

#include "controls/SUIPopupMenu.h"
#include "framework/components/Properties.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "skin/SUIMgr.h"

namespace {

class PopupMenuTest : public SkinnedTest {
protected:
    void SetUp() override {
        SkinnedTest::SetUp();
        FForm = NewForm(0, 0, 300, 200);
        FForm->Show();
    }
    TMenuItem* Add(TMenu* menu, const std::string& caption) {
        auto* item = new TMenuItem(FForm);
        item->SetCaption(caption);
        menu->Items()->Add(item);
        return item;
    }
    // Opens `menu` at (100, 50), runs `look` on its window, closes it.
    void WithOpenMenu(TPopupMenu* menu, const std::function<void(TWsWindow)>& look,
                      const std::vector<std::function<void()>>& before = {}) {
        std::vector<std::function<void()>> steps = before;
        steps.push_back([&] {
            std::vector<TWsWindow> popups = PopupWindows();
            ASSERT_FALSE(popups.empty());
            look(popups.back());
            Backend().TypeKey(VK_ESCAPE);
        });
        Script(steps);
        menu->Popup(100, 50);
    }

    TForm* FForm = nullptr;
};

constexpr int kFrame = 3; // the menu window's own frame, drawn by the framework

} // namespace

TEST_F(PopupMenuTest, ValuesAfterConstructionFollowTheLook) {
    auto* menu = new TsuiPopupMenu(FForm);
    EXPECT_TRUE(menu->OwnerDraw());
    menu->SetOwnerDraw(false);
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::DeepBlue); // a form without a TsuiForm
    EXPECT_EQ(menu->BarWidth(), 26);
    EXPECT_EQ(menu->MenuItemHeight(), 21);
    EXPECT_EQ(menu->SeparatorHeight(), 5);
    EXPECT_EQ(menu->SeparatorColor(), TColor(0x00848284));
    EXPECT_EQ(menu->BorderColor(), TColor(0));
    EXPECT_FALSE(menu->FlatMenu());
    EXPECT_EQ(menu->FontName(), "MS Sans Serif");
    EXPECT_EQ(menu->FontSize(), 8);
    EXPECT_EQ(menu->FontCharset(), 1);
    EXPECT_TRUE(menu->UseSystemFont());

    menu->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(menu->BarColor(), TColor(0x00CED3D6));
    EXPECT_EQ(menu->Color(), TColor(0x00FFFFFF));
    EXPECT_EQ(menu->SelectedBorderColor(), TColor(0x00C66931));
    EXPECT_EQ(menu->SelectedColor(), TColor(0x00EFD3C6));
    EXPECT_EQ(menu->SelectedFontColor(), TColor(0));
    EXPECT_EQ(menu->FontColor(), TColor(0));

    // MacOS fixes the heights: the setters do nothing there.
    menu->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(menu->MenuItemHeight(), 20);
    EXPECT_EQ(menu->SeparatorHeight(), 12);
    EXPECT_EQ(menu->SeparatorColor(), TColor(0));
    menu->SetMenuItemHeight(30);
    menu->SetSeparatorHeight(9);
    EXPECT_EQ(menu->MenuItemHeight(), 20);
    EXPECT_EQ(menu->SeparatorHeight(), 12);
    menu->SetUIStyle(TsuiUIStyle::WinXP);
    menu->SetMenuItemHeight(30);
    EXPECT_EQ(menu->MenuItemHeight(), 30);
}

TEST_F(PopupMenuTest, TheLayoutStoresEveryPropertyInItsOrder) {
    auto* menu = new TsuiPopupMenu(FForm);
    std::vector<std::string> names;
    for (const TPropInfo& p : menu->ClassInfo().Properties())
        names.push_back(p.Name());
    std::vector<std::string> look = {"OwnerDraw",       "FileTheme",
                                     "UIStyle",         "MenuItemHeight",
                                     "SeparatorHeight", "BarWidth",
                                     "BarColor",        "Color",
                                     "SeparatorColor",  "SelectedBorderColor",
                                     "SelectedColor",   "SelectedFontColor",
                                     "FontColor",       "BorderColor",
                                     "FlatMenu",        "FontName",
                                     "FontSize",        "FontCharset",
                                     "UseSystemFont"};
    // The look's properties come in this order after the menu's own.
    std::vector<std::string> tail;
    for (const std::string& n : names)
        if (std::find(look.begin(), look.end(), n) != look.end())
            tail.push_back(n);
    EXPECT_EQ(tail, look);
}

TEST_F(PopupMenuTest, WinXPItemsInAnOpenMenu) {
    auto* menu = new TsuiPopupMenu(FForm);
    menu->SetUIStyle(TsuiUIStyle::WinXP);
    Add(menu, "&Open");
    Add(menu, "-");
    TMenuItem* disabled = Add(menu, "&Disabled");
    disabled->SetEnabled(false);
    Add(menu, "&Close");
    WithOpenMenu(menu, [&](TWsWindow w) {
        TWsRect r = Backend().WindowBounds(w);
        EXPECT_EQ(r.Height(), 3 * 21 + 5 + 2 * kFrame);
        // The bar, the background, and black text somewhere in the item.
        EXPECT_EQ(Pixel(w, kFrame + 5, kFrame + 10), TColor(0x00CED3D6));
        EXPECT_EQ(Pixel(w, kFrame + 25, kFrame + 10), TColor(0x00CED3D6));
        EXPECT_EQ(Pixel(w, kFrame + 26, kFrame + 1), TColor(0x00FFFFFF));
        bool black = false, gray = false;
        for (int x = kFrame + 30; x < kFrame + 60; ++x)
            for (int y = kFrame; y < kFrame + 21; ++y)
                black |= Pixel(w, x, y) == TColor(0);
        for (int x = kFrame + 30; x < kFrame + 70; ++x)
            for (int y = kFrame + 26; y < kFrame + 47; ++y)
                gray |= Pixel(w, x, y) == TColor(0x00808080);
        EXPECT_TRUE(black);
        EXPECT_TRUE(gray); // the disabled item's text
        // The separator: 5 high, its line 2 below its top from bar + 4 on.
        int sep = kFrame + 21;
        EXPECT_EQ(Pixel(w, kFrame + 26 + 4, sep + 2), TColor(0x00848284));
        EXPECT_EQ(Pixel(w, kFrame + 26 + 3, sep + 2), TColor(0x00FFFFFF));
        EXPECT_EQ(Pixel(w, kFrame + 26 + 4, sep + 1), TColor(0x00FFFFFF));
        EXPECT_EQ(Pixel(w, kFrame + 5, sep + 2), TColor(0x00CED3D6));
    });
}

TEST_F(PopupMenuTest, TheHighlightedItemIsFilledAndFramed) {
    auto* menu = new TsuiPopupMenu(FForm);
    menu->SetUIStyle(TsuiUIStyle::WinXP);
    Add(menu, "&Open");
    TMenuItem* disabled = Add(menu, "&Disabled");
    disabled->SetEnabled(false);
    WithOpenMenu(menu,
                 [&](TWsWindow w) {
                     TWsRect r = Backend().WindowBounds(w);
                     int right = r.Width() - kFrame - 1;
                     EXPECT_EQ(Pixel(w, kFrame, kFrame), TColor(0x00C66931));
                     EXPECT_EQ(Pixel(w, right, kFrame + 20), TColor(0x00C66931));
                     EXPECT_EQ(Pixel(w, kFrame + 5, kFrame + 10), TColor(0x00EFD3C6));
                     EXPECT_EQ(Pixel(w, right - 2, kFrame + 10), TColor(0x00EFD3C6));
                     // The disabled item under the pointer is not highlighted.
                     EXPECT_EQ(Pixel(w, kFrame + 5, kFrame + 30), TColor(0x00CED3D6));
                 },
                 {[&] { Backend().MoveMouse(100 + 40, 50 + kFrame + 10); },
                  [&] { Backend().MoveMouse(100 + 40, 50 + kFrame + 30); },
                  [&] { Backend().MoveMouse(100 + 40, 50 + kFrame + 10); }});
}

TEST_F(PopupMenuTest, MeasuredWidthIsTextPlusBarPlusForty) {
    auto* menu = new TsuiPopupMenu(FForm);
    TMenuItem* close = Add(menu, "&Close");
    TMenuItem* save = Add(menu, "&Save");
    save->SetShortCut(ShortCut('S', ssCtrl));
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    int w = 0, h = 0;
    close->MeasureItem(c, w, h);
    EXPECT_EQ(w, c.TextWidth("&Close") + 26 + 40);
    EXPECT_EQ(h, 21);
    save->MeasureItem(c, w, h);
    EXPECT_EQ(w, c.TextWidth("&Save") + c.TextWidth("Ctrl+S") + 26 + 40);
}

TEST_F(PopupMenuTest, CheckedItemsShowTheCheckMarkOrAFramedImage) {
    auto* menu = new TsuiPopupMenu(FForm);
    menu->SetUIStyle(TsuiUIStyle::WinXP);
    TMenuItem* plain = Add(menu, "&Plain");
    plain->SetChecked(true);
    TMenuItem* withImage = Add(menu, "&Image");
    withImage->SetChecked(true);
    withImage->SetImageIndex(0);
    auto* images = new TImageList(FForm);
    TBitmap red(16, 16);
    red.Canvas().Brush().SetColor(0x000000FF);
    red.Canvas().FillRect(Rect(0, 0, 16, 16));
    images->Add(red);
    menu->SetImages(images);
    TBitmap mark;
    LoadSkinBitmap("MENU_CHECKED", mark);
    WithOpenMenu(menu, [&](TWsWindow w) {
        // The check mark at (L + 4, T + 3): its non-white pixels show.
        int shown = 0, marked = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (mark.Pixel(x, y) != clWhite) {
                    ++marked;
                    shown += Pixel(w, kFrame + 4 + x, kFrame + 3 + y) == mark.Pixel(x, y);
                }
        EXPECT_GT(marked, 0);
        EXPECT_EQ(shown, marked);
        // The image item: a black frame from (L + 2, T + 1), the image over it.
        int top = kFrame + 21;
        EXPECT_EQ(Pixel(w, kFrame + 2, top + 1), TColor(0));
        EXPECT_EQ(Pixel(w, kFrame + 20, top + 19), TColor(0));
        EXPECT_EQ(Pixel(w, kFrame + 3, top + 2), TColor(0x00EFD3C6));
        EXPECT_EQ(Pixel(w, kFrame + 4 + 8, top + 3 + 8), TColor(0x000000FF));
    });
}

TEST_F(PopupMenuTest, MacOSDrawsItsOwnBitmaps) {
    auto* menu = new TsuiPopupMenu(FForm);
    menu->SetUIStyle(TsuiUIStyle::MacOS);
    Add(menu, "&Open");
    Add(menu, "-");
    TBitmap bar;
    LoadSkinBitmap("MACOS_MENU_BAR", bar);
    WithOpenMenu(menu, [&](TWsWindow w) {
        EXPECT_EQ(Backend().WindowBounds(w).Height(), 20 + 12 + 2 * kFrame);
        // Rows of MACOS_MENU_BAR stretched over the item, bar included.
        EXPECT_EQ(Pixel(w, kFrame + 2, kFrame + 15), bar.Pixel(0, 15));
        EXPECT_EQ(Pixel(w, kFrame + 2, kFrame + 20 + 5), bar.Pixel(0, 5));
    });
}

TEST_F(PopupMenuTest, ItemsAddedLaterAreDrawnByTheMenuToo) {
    auto* menu = new TsuiPopupMenu(FForm);
    TMenuItem* later = Add(menu, "&Later");
    EXPECT_TRUE(later->OnDrawItem().Assigned());
    EXPECT_TRUE(later->OnMeasureItem().Assigned());
    auto* sub = new TMenuItem(FForm);
    sub->SetCaption("&Sub");
    later->Add(sub);
    EXPECT_TRUE(sub->OnDrawItem().Assigned());
}

TEST_F(PopupMenuTest, AnItemOutlivingItsMenuIsDrawnTheDefaultWay) {
    auto* menu = new TsuiPopupMenu(FForm);
    TMenuItem* item = Add(menu, "&Kept");
    menu->Items()->Remove(item);
    menu->Free();
    auto* plain = new TPopupMenu(FForm);
    plain->Items()->Add(item);
    TBitmap scratch(1, 1);
    int w = 0, h = 0;
    item->MeasureItem(scratch.Canvas(), w, h);
    EXPECT_EQ(h, 19); // the framework's own height, not 21
}

TEST_F(PopupMenuTest, LosingTheFileThemeFallsBackToDeepBlue) {
    TTempDir dir;
    WriteSkinFileFromLook(dir.File("look.skn"), TsuiUIStyle::WinXP);
    auto* theme = new TsuiFileTheme(FForm);
    theme->SetThemeFile(dir.File("look.skn"));
    auto* menu = new TsuiPopupMenu(FForm);
    menu->SetFileTheme(theme);
    menu->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(menu->SelectedColor(), TColor(0x00EFD3C6));
    theme->Free();
    EXPECT_EQ(menu->FileTheme(), nullptr);
    EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(menu->SelectedColor(), GetThemeColor(TsuiUIStyle::DeepBlue, 19));
}

TEST_F(PopupMenuTest, AFlatMenuDrawsItsFrameOverTheWindow) {
    auto* menu = new TsuiPopupMenu(FForm);
    menu->SetUIStyle(TsuiUIStyle::WinXP);
    menu->SetFlatMenu(true);
    Add(menu, "&Open");
    WithOpenMenu(menu, [&](TWsWindow w) {
        TWsRect r = Backend().WindowBounds(w);
        // Black outside, white inside, the form colour along the top edge.
        EXPECT_EQ(Pixel(w, 0, 5), TColor(0));
        EXPECT_EQ(Pixel(w, 1, 5), TColor(0x00FFFFFF));
        EXPECT_EQ(Pixel(w, 5, 0), TColor(0x00DEEBEF));
        EXPECT_EQ(Pixel(w, r.Width() - 1, 5), TColor(0x00DEEBEF));
    });
}
