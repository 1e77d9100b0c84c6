// The demonstration layout in every look and from a skin file, saved for
// people to look at (build/artifacts/skinned-window-<look>.png), with the
// few pixels that tell the looks apart checked on the way.

#include "support/PngFile.h"
#include "SkinnedTestSupport.h"

#include "controls/SUIMainMenu.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/Properties.h"
#include "skin/SUIMgr.h"

#include <fstream>
#include <sstream>

namespace {

class SkinnedWindowLooksTest : public SkinnedTest {
protected:
    TsuiForm* LoadDemo() {
        std::ifstream in(std::string(SSI_SOURCE_DIR) + "/examples/layouts/skinned-window.txt");
        std::stringstream text;
        text << in.rdbuf();
        FHost = Application().CreateForm<TForm>();
        ReadLayout(*FHost, text.str());
        FHost->Show();
        Application().ProcessMessages();
        return static_cast<TsuiForm*>(FHost->FindComponent("suiForm1"));
    }
    void Restyle(TsuiUIStyle style, TsuiFileTheme* theme) {
        for (int i = 0; i < FHost->ComponentCount(); ++i) {
            TComponent* c = FHost->Component(i);
            if (c != theme && HasProperty(c, "UIStyle") && HasProperty(c, "FileTheme")) {
                SetEnumProp(*c, "UIStyle", TsuiUIStyleInfo().Name(static_cast<int>(style)));
                SetComponentProp(*c, "FileTheme", theme);
            }
        }
        Application().ProcessMessages();
    }
    void Save(const std::string& name) {
        ASSERT_TRUE(SavePng(Backend().Framebuffer(FHost->ScreenWindow()),
                            std::string(SSI_ARTIFACTS_DIR) + "/" + name));
    }
};

} // namespace

TEST_F(SkinnedWindowLooksTest, EveryLookPaintsItsOwnFrame) {
    TsuiForm* form = LoadDemo();
    ASSERT_NE(form, nullptr);
    ASSERT_NE(form->MenuBar(), nullptr);
    EXPECT_EQ(form->MenuBar()->ButtonCount(), 3);
    const int w = FHost->Width(), h = FHost->Height();
    for (TsuiUIStyle style : {TsuiUIStyle::MacOS, TsuiUIStyle::WinXP, TsuiUIStyle::DeepBlue,
                              TsuiUIStyle::Protein, TsuiUIStyle::BlueGlass}) {
        Restyle(style, nullptr);
        std::string name = TsuiUIStyleInfo().Name(static_cast<int>(style));
        SCOPED_TRACE(name);
        EXPECT_EQ(Pixel(0, h / 2), GetThemeColor(style, 16));
        EXPECT_EQ(Pixel(w - 1, h / 2), GetThemeColor(style, 16));
        EXPECT_EQ(Pixel(w / 2, h - 1), GetThemeColor(style, 16));
        EXPECT_EQ(form->TitleBar()->Height(),
                  form->TitleBarSections()->Items(0)->Picture()->Height() - 3);
        Save("skinned-window-" + name + ".png");
    }
}

TEST_F(SkinnedWindowLooksTest, ASkinFileLooksAsItsItemsSay) {
    TTempDir dir;
    // WinXP's pictures with a green border and a round corner of 11.
    WriteSkinFileFromLook(dir.File("green.skn"), TsuiUIStyle::WinXP, [](int item, int32_t v) {
        return item == 16 ? 0x00008000 : item == 17 ? 1 : item == 14 ? 11 : v;
    });
    LoadDemo();
    auto* theme = new TsuiFileTheme(FHost);
    theme->SetThemeFile(dir.File("green.skn"));
    ASSERT_TRUE(theme->IsThemeLoaded());
    Restyle(TsuiUIStyle::FromThemeFile, theme);
    auto* form = static_cast<TsuiForm*>(FHost->FindComponent("suiForm1"));
    EXPECT_EQ(form->BorderWidth(), 1);
    EXPECT_EQ(form->RoundCorner(), 11);
    EXPECT_EQ(Pixel(0, FHost->Height() / 2), TColor(0x00008000));
    EXPECT_EQ(Pixel(1, FHost->Height() / 2), TColor(0x00DEEBEF));
    Save("skinned-window-file.png");
}

TEST_F(SkinnedWindowLooksTest, TheWindowMenuOpen) {
    TsuiForm* form = LoadDemo();
    Script({[&] {
        THeadlessImage screen = Backend().Screen();
        TWsRect r = Backend().WindowBounds(FHost->ScreenWindow());
        THeadlessImage shot;
        shot.Width = r.Width();
        shot.Height = r.Height();
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                shot.Pixels.push_back(screen.Pixel(x, y));
        EXPECT_TRUE(SavePng(shot, std::string(SSI_ARTIFACTS_DIR) + "/skinned-window-menu.png"));
        Backend().TypeKey(VK_ESCAPE);
    }});
    form->TitleBar()->PopupWindowMenu();
}
