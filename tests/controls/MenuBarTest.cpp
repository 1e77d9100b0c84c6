// The menu bar on its own: a plain main menu drawn in the site's look, the
// height reaching every button, and the bar going when it has no menu.

#include "SkinnedTestSupport.h"

#include "controls/SUIMenuBar.h"
#include "framework/ui/Panel.h"

namespace {

class MenuBarTest : public SkinnedTest {
protected:
    TMenuItem* Add(TMainMenu* menu, const std::string& caption) {
        auto* item = new TMenuItem(Host());
        item->SetCaption(caption);
        menu->Items()->Add(item);
        return item;
    }
};

} // namespace

TEST_F(MenuBarTest, APlainMenuIsDrawnInTheFormsLook) {
    TsuiForm* form = NewSkinnedForm(TsuiUIStyle::DeepBlue);
    auto* menu = new TMainMenu(Host());
    Add(menu, "&File");
    Add(menu, "&Edit");
    form->SetMenu(menu);
    ASSERT_NE(form->MenuBar(), nullptr);
    ASSERT_EQ(form->MenuBar()->ButtonCount(), 2);
    Application().ProcessMessages();
    TToolButton* button = form->MenuBar()->Buttons(1);
    TPoint p = button->ClientToScreen(Point(5, 5));
    Backend().MoveMouse(p.X, p.Y);
    Application().ProcessMessages();
    TPoint corner = button->ClientToForm(Point(0, 0));
    TPoint window = Point(corner.X + Host()->ClientOffset().X, corner.Y + Host()->ClientOffset().Y);
    EXPECT_EQ(Pixel(window.X, window.Y), GetThemeColor(TsuiUIStyle::DeepBlue, 18));
    EXPECT_EQ(Pixel(window.X + 2, window.Y + 2), GetThemeColor(TsuiUIStyle::DeepBlue, 19));
}

TEST_F(MenuBarTest, TheHeightReachesTheBarAndEveryButton) {
    TsuiForm* form = NewSkinnedForm();
    auto* menu = new TMainMenu(Host());
    Add(menu, "&File");
    Add(menu, "&Help");
    form->SetMenu(menu);
    form->SetMenuBarHeight(30);
    EXPECT_EQ(form->MenuBar()->ButtonHeight(), 30);
    for (int i = 0; i < form->MenuBar()->ButtonCount(); ++i)
        EXPECT_EQ(form->MenuBar()->Buttons(i)->Height(), 30) << i;
    // Kept while there is no bar, and used by the next one.
    form->SetMenu(nullptr);
    form->SetMenuBarHeight(26);
    form->SetMenu(menu);
    EXPECT_EQ(form->MenuBar()->ButtonHeight(), 26);
}

TEST_F(MenuBarTest, WithoutAMenuARebuildRemovesTheBarAndTellsTheSiteOnce) {
    FHost = NewForm(100, 100, 300, 200);
    auto* site = new TPanel(FHost);
    site->SetParent(FHost);
    site->SetAlign(TAlign::alClient);
    TsuiStyleLink look(*site, {});
    int freed = 0;
    TsuiMenuBar bar(*site, look, [&] { ++freed; });
    auto* menu = new TMainMenu(FHost);
    Add(menu, "&File");
    bar.SetMenu(menu);
    // Nothing to rebuild before the bar exists.
    bar.Rebuild();
    EXPECT_EQ(bar.ToolBar(), nullptr);
    bar.CreateBar(nullptr);
    ASSERT_NE(bar.ToolBar(), nullptr);
    EXPECT_EQ(bar.ToolBar()->Parent(), site);
    EXPECT_EQ(bar.ToolBar()->ButtonCount(), 0);
    bar.Rebuild();
    EXPECT_EQ(bar.ToolBar()->ButtonCount(), 1);
    bar.SetMenu(nullptr);
    bar.Rebuild();
    EXPECT_EQ(bar.ToolBar(), nullptr);
    EXPECT_EQ(freed, 1);
    bar.FreeBar();
    EXPECT_EQ(freed, 1);
}
