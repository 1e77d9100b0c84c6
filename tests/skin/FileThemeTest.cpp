// Skin files through the TsuiFileTheme component: where the file is looked
// for, what a good file gives, what a bad one does to the theme in force, and
// how the controls of the form follow a reload.

#include "SkinTestComponents.h"
#include "framework/graphics/Bitmap.h"
#include "platform/kernel32/FileIO.h"
#include "skin/SUIMgr.h"
#include "skin/SUIThemeFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <unistd.h>

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr TColor kBackground = 0x00123456; // item 15, FormBackgroundColor

// A skin file with a background colour, a boolean, an integer and a
// three-frame button strip whose frames are red, green and blue.
Bytes GoodSkin(TColor background = kBackground) {
    TsuiThemeFileWriter w;
    w.AddInteger("FormBackgroundColor", int32_t(background));
    w.AddBoolean("ButtonTransparentBool", true);
    w.AddInteger("FormMinWidthInt", 321);
    TBitmap strip(9, 4);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 4; ++y)
            strip.SetPixel(x, y, x < 3 ? clRed : x < 6 ? clLime : clBlue);
    w.AddBitmap("ButtonImage", strip);
    return w.Build();
}

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "<no exception>";
}

// Points the Windows folder (and with it the system folder) at a scratch
// folder for the test's duration.
class TWindowsFolder {
public:
    explicit TWindowsFolder(const std::string& path) {
        if (const char* old = std::getenv("WINDIR"))
            FOld = old;
        setenv("WINDIR", path.c_str(), 1);
        fs::create_directories(path + "/system32");
    }
    ~TWindowsFolder() {
        if (FOld)
            setenv("WINDIR", FOld->c_str(), 1);
        else
            unsetenv("WINDIR");
    }

private:
    std::optional<std::string> FOld;
};

std::string ProgramFolder() {
    return fs::path(GetModuleFileName()).parent_path().string();
}

} // namespace

TEST(FileTheme, StartsUnloadedAndGivesNoReaderValues) {
    TsuiFileTheme theme(nullptr);
    EXPECT_FALSE(theme.IsThemeLoaded());
    EXPECT_EQ(theme.ThemeFile(), "");
    EXPECT_EQ(theme.GetInt(13), 0);
    EXPECT_EQ(theme.GetColor(15), 0u);
    EXPECT_FALSE(theme.GetBool(2));
    TBitmap b(2, 2);
    theme.GetBitmap(1, b);
    EXPECT_EQ(b.Width(), 2);
}

TEST(FileTheme, LoadsAGoodFileAndAnswersByItemNumber) {
    TScratchDir dir;
    WriteFile(dir.File("good.skn"), GoodSkin());
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(dir.File("good.skn"));
    ASSERT_TRUE(theme.IsThemeLoaded());
    EXPECT_EQ(theme.ThemeFile(), dir.File("good.skn"));

    EXPECT_EQ(theme.GetColor(15), kBackground);
    EXPECT_EQ(theme.GetInt(15), int32_t(kBackground)); // colours are integer entries
    EXPECT_EQ(theme.GetInt(13), 321);
    EXPECT_TRUE(theme.GetBool(2));
    // Missing entries with a file loaded.
    EXPECT_EQ(theme.GetInt(17), -1);
    EXPECT_EQ(theme.GetColor(16), TColor(-1));
    EXPECT_FALSE(theme.GetBool(6));

    TBitmap b;
    theme.GetBitmap(1, b);
    EXPECT_EQ(b.Width(), 9);
    theme.GetBitmapFrame(1, b, 3, 2);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 4);
    EXPECT_EQ(b.Pixel(0, 0), clLime);
    EXPECT_EQ(b.Pixel(2, 3), clLime);

    // A missing bitmap leaves a whole picture alone and empties a frame.
    TBitmap kept(5, 5);
    theme.GetBitmap(5, kept);
    EXPECT_EQ(kept.Width(), 5);
    theme.GetBitmapFrame(5, kept, 18, 1);
    EXPECT_EQ(kept.Width(), 0);
}

TEST(FileTheme, NumbersOutsideTheItemsFindNoEntryEvenUnderAnEmptyKey) {
    TScratchDir dir;
    TsuiThemeFileWriter w;
    w.AddInteger("", 77);
    w.AddBoolean("", true);
    w.AddBitmap("", TBitmap(2, 2));
    WriteFile(dir.File("empty-keys.skn"), w.Build());
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(dir.File("empty-keys.skn"));
    ASSERT_TRUE(theme.IsThemeLoaded());

    for (int item : {0, -1, 43, 1000}) {
        EXPECT_EQ(theme.GetInt(item), -1) << item;
        EXPECT_EQ(theme.GetColor(item), TColor(-1)) << item;
        EXPECT_FALSE(theme.GetBool(item)) << item;
        TBitmap kept(5, 5);
        theme.GetBitmap(item, kept);
        EXPECT_EQ(kept.Width(), 5) << item;
    }
    EXPECT_EQ(theme.GetInt(13), -1) << "a real item without its entry";
}

TEST(FileTheme, FindsABareNameInTheProgramWindowsAndSystemFolders) {
    TScratchDir windows;
    TWindowsFolder folder(windows.Path());
    const std::string name = "skin-test-" + std::to_string(::getpid()) + ".skn";

    // Only in the system folder.
    WriteFile(windows.Path() + "/system32/" + name, GoodSkin(1));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(name);
    EXPECT_EQ(theme.ThemeFile(), windows.Path() + "/system32/" + name);
    EXPECT_EQ(theme.GetColor(15), 1u);

    // The Windows folder comes before the system folder; a folder part that
    // leads nowhere is dropped and the file name looked for.
    WriteFile(windows.Path() + "/" + name, GoodSkin(2));
    theme.SetThemeFile("/no/such/folder/" + name);
    EXPECT_EQ(theme.ThemeFile(), windows.Path() + "/" + name);
    EXPECT_EQ(theme.GetColor(15), 2u);

    // The program's folder comes before both.
    const std::string inProgramFolder = ProgramFolder() + "/" + name;
    WriteFile(inProgramFolder, GoodSkin(3));
    theme.SetThemeFile(name);
    EXPECT_EQ(theme.ThemeFile(), inProgramFolder);
    EXPECT_EQ(theme.GetColor(15), 3u);
    fs::remove(inProgramFolder);

    // Found nowhere: silently nothing changes.
    theme.SetThemeFile("no-such-skin-anywhere.skn");
    EXPECT_EQ(theme.ThemeFile(), inProgramFolder);
    EXPECT_EQ(theme.GetColor(15), 3u);
    EXPECT_TRUE(theme.IsThemeLoaded());
}

TEST(FileTheme, TheSameValueDoesNothingButTheSameShortNameReloads) {
    TScratchDir windows;
    TWindowsFolder folder(windows.Path());
    const std::string path = windows.Path() + "/same.skn";
    WriteFile(path, GoodSkin(10));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile("same.skn");
    ASSERT_EQ(theme.ThemeFile(), path);

    WriteFile(path, GoodSkin(11));
    theme.SetThemeFile(path); // what ThemeFile holds: nothing happens
    EXPECT_EQ(theme.GetColor(15), 10u);
    theme.SetThemeFile("same.skn"); // resolved again and reloaded
    EXPECT_EQ(theme.GetColor(15), 11u);
}

TEST(FileTheme, AFileWithoutTheMagicIsRefusedAndChangesNothing) {
    TScratchDir dir;
    WriteFile(dir.File("good.skn"), GoodSkin());
    Bytes wrongMagic = GoodSkin(0x777777);
    wrongMagic[0] = 't'; // case-sensitive
    WriteFile(dir.File("bad.skn"), wrongMagic);

    TsuiFileTheme theme(nullptr);
    EXPECT_FALSE(TsuiFileTheme::IsValidThemeFile(dir.File("bad.skn")));
    EXPECT_EQ(MessageOf([&] { theme.SetThemeFile(dir.File("bad.skn")); }),
              "Invalid skin file for Tessera!");
    EXPECT_FALSE(theme.IsThemeLoaded());
    EXPECT_EQ(theme.ThemeFile(), "");

    theme.SetThemeFile(dir.File("good.skn"));
    EXPECT_EQ(MessageOf([&] { theme.SetThemeFile(dir.File("bad.skn")); }),
              "Invalid skin file for Tessera!");
    EXPECT_EQ(theme.ThemeFile(), dir.File("good.skn"));
    EXPECT_EQ(theme.GetColor(15), kBackground);
}

TEST(FileTheme, TheMagicAloneIsValidButABrokenFileFailsAndKeepsTheThemeInForce) {
    TScratchDir dir;
    WriteFile(dir.File("good.skn"), GoodSkin());
    const Bytes magicOnly = {'T', 'e', 's', 's', 'e', 'r', 'a', '_', 'T', 'B', 0, 0};
    WriteFile(dir.File("magic.skn"), magicOnly);
    // A bitmap entry that runs past the end of the file: its size field,
    // 1000, is far more than the two bytes that are there.
    TsuiThemeFileWriter w;
    w.AddBitmap("ButtonImage", Bytes{'B', 'M'});
    Bytes pastEnd = w.Build();
    const size_t record = pastEnd.size() - 2 * 77;
    pastEnd[record + 69] = 1000 & 0xFF;
    pastEnd[record + 70] = 1000 >> 8;
    WriteFile(dir.File("past-end.skn"), pastEnd);

    EXPECT_TRUE(TsuiFileTheme::IsValidThemeFile(dir.File("magic.skn")));
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile(dir.File("good.skn"));
    for (const char* broken : {"magic.skn", "past-end.skn"}) {
        EXPECT_EQ(MessageOf([&] { theme.SetThemeFile(dir.File(broken)); }), "Stream read error")
            << broken;
        // The theme that was in force stays, whole: path, flag and content.
        EXPECT_EQ(theme.ThemeFile(), dir.File("good.skn"));
        EXPECT_TRUE(theme.IsThemeLoaded());
        EXPECT_EQ(theme.GetColor(15), kBackground);
    }

    // And a theme that never loaded stays unloaded.
    TsuiFileTheme fresh(nullptr);
    EXPECT_EQ(MessageOf([&] { fresh.SetThemeFile(dir.File("past-end.skn")); }),
              "Stream read error");
    EXPECT_FALSE(fresh.IsThemeLoaded());
    EXPECT_EQ(fresh.ThemeFile(), "");
}

TEST(FileTheme, AReloadRefreshesTheFormsSkinnedControlsThatUseIt) {
    TScratchDir dir;
    WriteFile(dir.File("one.skn"), GoodSkin(1));
    WriteFile(dir.File("two.skn"), GoodSkin(2));
    TTestForm form;
    auto* theme = new TsuiFileTheme(&form);
    auto* user = new TsuiTestControl(&form);
    auto* bystander = new TsuiTestControl(&form);
    auto* unprefixed = new TOtherTestControl(&form);
    user->SetUIStyle(TsuiUIStyle::FromThemeFile);
    user->SetFileTheme(theme);
    unprefixed->SetUIStyle(TsuiUIStyle::FromThemeFile);
    unprefixed->SetFileTheme(theme);
    const size_t userBefore = user->SetterCalls.size();
    const size_t bystanderBefore = bystander->SetterCalls.size();
    const size_t unprefixedBefore = unprefixed->SetterCalls.size();

    theme->SetThemeFile(dir.File("one.skn"));
    ASSERT_EQ(user->SetterCalls.size(), userBefore + 1);
    EXPECT_EQ(user->SetterCalls.back(), "FileTheme");
    EXPECT_EQ(user->Refreshes.back().Background, 1u);
    theme->SetThemeFile(dir.File("two.skn"));
    EXPECT_EQ(user->Refreshes.back().Background, 2u);
    EXPECT_EQ(bystander->SetterCalls.size(), bystanderBefore);
    EXPECT_EQ(unprefixed->SetterCalls.size(), unprefixedBefore); // not a "Tsui" class

    // Owned by no form, a theme tells nobody.
    TsuiFileTheme loose(nullptr);
    user->SetFileTheme(&loose);
    const size_t calls = user->SetterCalls.size();
    loose.SetThemeFile(dir.File("one.skn"));
    EXPECT_EQ(user->SetterCalls.size(), calls);
    user->SetFileTheme(nullptr);
}

TEST(FileTheme, ControlsFallBackToDeepBlueWhenTheirThemeIsDestroyed) {
    TScratchDir dir;
    WriteFile(dir.File("one.skn"), GoodSkin(1));
    TTestForm form;
    auto* theme = new TsuiFileTheme(&form);
    theme->SetThemeFile(dir.File("one.skn"));
    auto* control = new TsuiTestControl(&form);
    control->SetUIStyle(TsuiUIStyle::FromThemeFile);
    control->SetFileTheme(theme);
    EXPECT_TRUE(control->Style().UsesFileTheme());
    EXPECT_EQ(control->Refreshes.back().Background, 1u);

    theme->Free();
    EXPECT_EQ(control->FileTheme(), nullptr);
    EXPECT_EQ(control->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(control->Refreshes.back().Style, TsuiUIStyle::DeepBlue);
    EXPECT_EQ(control->Refreshes.back().Background, GetThemeColor(TsuiUIStyle::DeepBlue, 15));
}

TEST(FileTheme, ControlsOnAnotherFormHearOfTheThemesDestruction) {
    TScratchDir dir;
    WriteFile(dir.File("one.skn"), GoodSkin(1));
    auto* themeForm = new TTestForm;
    auto* theme = new TsuiFileTheme(themeForm);
    theme->SetThemeFile(dir.File("one.skn"));
    TTestForm form;
    auto* control = new TsuiTestControl(&form);
    control->SetFileTheme(theme);
    control->SetUIStyle(TsuiUIStyle::FromThemeFile);
    themeForm->Free();
    EXPECT_EQ(control->FileTheme(), nullptr);
    EXPECT_EQ(control->UIStyle(), TsuiUIStyle::DeepBlue);
}

TEST(StyleLink, ReadsTheFileOnlyForFromThemeFileWithALoadedTheme) {
    TScratchDir dir;
    WriteFile(dir.File("one.skn"), GoodSkin(1));
    TTestForm form;
    auto* theme = new TsuiFileTheme(&form);
    auto* control = new TsuiTestControl(&form);
    control->SetUIStyle(TsuiUIStyle::FromThemeFile);
    control->SetFileTheme(theme); // not loaded yet: DeepBlue's look, style kept
    EXPECT_EQ(control->UIStyle(), TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(control->Style().EffectiveStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(control->Refreshes.back().Background, GetThemeColor(TsuiUIStyle::DeepBlue, 15));

    theme->SetThemeFile(dir.File("one.skn"));
    EXPECT_EQ(control->Style().GetColor(15), 1u);
    EXPECT_EQ(control->Style().GetInt(13), 321);
    EXPECT_TRUE(control->Style().GetBool(2));
    TBitmap face;
    control->Style().GetBitmap(1, face, 3, 3);
    EXPECT_EQ(face.Pixel(1, 1), clBlue);

    control->SetUIStyle(TsuiUIStyle::WinXP); // a built-in style wins over the theme
    EXPECT_EQ(control->Refreshes.back().Background, GetThemeColor(TsuiUIStyle::WinXP, 15));
    EXPECT_EQ(control->Style().GetInt(13), 150);
    control->Style().GetBitmap(1, face, 3, 2);
    EXPECT_EQ(face.Width(), 18);
}
