// The gallery layout (examples/layouts/controls-gallery.txt) read and shown
// in each of the five looks and from a skin file this test writes, with a
// button under the pointer, one held down and one focused; each rendering
// goes to build/artifacts/controls-<look>.png for people to look at. The
// assertions check that the look reached every control and that the
// states show.

#include "support/PngFile.h"
#include "SkinnedControlsFixture.h"

#include "controls/SUIButton.h"
#include "controls/SUIGroupBox.h"
#include "controls/SUIProgressBar.h"
#include "controls/SUIRegister.h"
#include "controls/SUIURLLabel.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/Properties.h"
#include "framework/graphics/BmpCodec.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"
#include "skin/SUIThemeFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// The skin file's look: BlueGlass with its green and blue swapped (fuchsia,
// the key colour, stays), every bitmap, colour, number and flag of it, so
// that the file alone makes a whole look.
TColor Recolour(TColor c) {
    if (c == clFuchsia)
        return c;
    return RGB(GetRValue(c), GetBValue(c), GetGValue(c));
}

std::vector<uint8_t> GallerySkin() {
    const TsuiUIStyle base = TsuiUIStyle::BlueGlass;
    TsuiThemeFileWriter skin;
    for (int item = 1; item <= SUI_THEME_ITEM_COUNT; ++item) {
        const std::string key = GetThemeKeyName(item);
        switch (GetThemeKind(item)) {
        case TsuiThemeItemKind::suiBitmapItem: {
            TBitmap bitmap;
            GetThemeBitmap(base, item, &bitmap);
            for (int y = 0; y < bitmap.Height(); ++y)
                for (int x = 0; x < bitmap.Width(); ++x)
                    bitmap.SetPixel(x, y, Recolour(bitmap.Pixel(x, y)));
            skin.AddBitmap(key, bitmap);
            break;
        }
        case TsuiThemeItemKind::suiColorItem:
            skin.AddInteger(key, int32_t(Recolour(GetThemeColor(base, item))));
            break;
        case TsuiThemeItemKind::suiBoolItem:
            skin.AddBoolean(key, GetThemeBool(base, item));
            break;
        case TsuiThemeItemKind::suiIntItem:
            skin.AddInteger(key, GetThemeInt(base, item));
            break;
        }
    }
    return skin.Build();
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct TGalleryCase {
    const char* Name;
    TsuiUIStyle Style; // FromThemeFile: the skin file
};

class GalleryTest : public SkinnedControlsTest, public ::testing::WithParamInterface<TGalleryCase> {
protected:
    void TearDown() override {
        SkinnedControlsTest::TearDown();
        if (!FSkinPath.empty())
            std::remove(FSkinPath.c_str());
    }

    TControl* Find(TComponent* form, const char* name) {
        auto* control = dynamic_cast<TControl*>(form->FindComponent(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    std::string FSkinPath;
};

} // namespace

TEST_P(GalleryTest, RendersEveryControlInTheLook) {
    const TGalleryCase& c = GetParam();
    RegisterSkinnedControls();
    TForm* form = Application().CreateForm<TForm>();
    TLayoutReadOptions options;
    options.IgnoreEvents = true;
    options.AnyRootClass = true;
    ReadLayout(*form,
               ReadText(std::string(SSI_SOURCE_DIR) + "/examples/layouts/controls-gallery.txt"),
               options);

    TsuiFileTheme* theme = nullptr;
    if (c.Style == TsuiUIStyle::FromThemeFile) {
        std::string path = (std::filesystem::temp_directory_path() / "ssi-gallery-XXXXXX").string();
        int fd = mkstemp(path.data());
        ASSERT_GE(fd, 0);
        close(fd);
        FSkinPath = path;
        std::vector<uint8_t> bytes = GallerySkin();
        std::ofstream(FSkinPath, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        theme = new TsuiFileTheme(form);
        theme->SetThemeFile(FSkinPath);
        ASSERT_TRUE(theme->IsThemeLoaded());
    }
    // As a theme manager styles its list: the style, then the file theme.
    std::vector<TComponentTracker> components;
    for (int i = 0; i < form->ComponentCount(); ++i)
        components.emplace_back(form->Component(i));
    for (const TComponentTracker& tracker : components) {
        TComponent* component = tracker.Get();
        if (component == nullptr || component == theme || !HasProperty(component, "UIStyle") ||
            !HasProperty(component, "FileTheme"))
            continue;
        SetEnumProp(*component, "UIStyle", TsuiUIStyleInfo().Name(static_cast<int>(c.Style)));
        SetComponentProp(*component, "FileTheme", theme);
    }
    form->Show();
    Application().ProcessMessages();

    auto* pressed = static_cast<TsuiButton*>(Find(form, "PressedButton"));
    auto* hover = static_cast<TsuiButton*>(Find(form, "HoverButton"));
    auto* focused = static_cast<TsuiButton*>(Find(form, "FocusedButton"));
    TPoint p = pressed->ClientToScreen(Point(40, 13));
    Backend().MoveMouse(p.X, p.Y);
    Backend().PressButton(TWsButton::Left);
    Application().ProcessMessages();
    focused->SetFocus();
    // The other hovered controls, as the pointer would leave them.
    for (const char* name : {"HoverButton", "HoverSpeedButton", "HoverLabel"})
        Find(form, name)->Perform(CM_MOUSEENTER);
    Application().ProcessMessages();
    Application().ProcessMessages(); // check boxes size themselves at their first paint

    const std::string file = std::string(SSI_ARTIFACTS_DIR) + "/controls-" + c.Name + ".png";
    EXPECT_TRUE(SavePng(Backend().Framebuffer(form->ScreenWindow()), file));

    EXPECT_TRUE(pressed->Pressed());
    EXPECT_TRUE(hover->MouseOver());
    EXPECT_TRUE(focused->Focused());
    EXPECT_EQ(static_cast<TsuiURLLabel*>(Find(form, "HoverLabel"))->FontRef().Color(), clRed);

    // The look reached the group frames and the progress bars.
    const TColor border = c.Style == TsuiUIStyle::FromThemeFile
                              ? Recolour(GetThemeColor(TsuiUIStyle::BlueGlass, 25))
                              : GetThemeColor(c.Style, 25);
    auto* buttons = static_cast<TsuiGroupBox*>(Find(form, "ButtonsGroup"));
    EXPECT_EQ(buttons->BorderColor(), border);
    TPoint frame = buttons->ClientToScreen(Point(0, 60));
    EXPECT_EQ(WindowPixel(form, frame.X - form->Left(), frame.Y - form->Top()), border);
    auto* bar = static_cast<TsuiProgressBar*>(Find(form, "Progress"));
    TPoint corner = bar->ClientToScreen(Point(0, 0));
    EXPECT_EQ(WindowPixel(form, corner.X - form->Left(), corner.Y - form->Top()), border);

    // The three buttons of the first row show three different faces.
    auto strip = [&](TControl* button) {
        std::vector<TColor> pixels;
        TPoint o = button->ClientToScreen(Point(0, 0));
        for (int y = 0; y < button->Height(); ++y)
            for (int x = 0; x < 8; ++x)
                pixels.push_back(WindowPixel(form, o.X - form->Left() + x, o.Y - form->Top() + y));
        return pixels;
    };
    auto normal = strip(Find(form, "NormalButton"));
    EXPECT_NE(strip(hover), normal);
    EXPECT_NE(strip(pressed), normal);
    EXPECT_NE(strip(pressed), strip(hover));
    Backend().ReleaseButton(TWsButton::Left);
    Application().ProcessMessages();
}

INSTANTIATE_TEST_SUITE_P(Looks, GalleryTest,
                         ::testing::Values(TGalleryCase{"macos", TsuiUIStyle::MacOS},
                                           TGalleryCase{"winxp", TsuiUIStyle::WinXP},
                                           TGalleryCase{"deepblue", TsuiUIStyle::DeepBlue},
                                           TGalleryCase{"protein", TsuiUIStyle::Protein},
                                           TGalleryCase{"blueglass", TsuiUIStyle::BlueGlass},
                                           TGalleryCase{"skinfile", TsuiUIStyle::FromThemeFile}),
                         [](const ::testing::TestParamInfo<TGalleryCase>& info) {
                             return std::string(info.param.Name);
                         });
