// Skin folders and skinpack: every built-in look survives export, build and
// loading as a file theme item for item; a window drawn from the built file
// looks as it does in the built-in look; broken folders are refused with the
// file and line at fault; the command line behaves as the other tools do.

#include "framework/components/TypeInfo.h"
#include "framework/graphics/Bitmap.h"
#include "skin/SUIMgr.h"
#include "skin/SUIThemeFile.h"
#include "skin/SUIThemes.h"
#include "support/PngFile.h"
#include "tools/SkinFolder.h"

#include <gtest/gtest.h>

#include "support/PngFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kSkinpack = std::string(SSI_BIN_DIR) + "/skinpack";
const std::string kPreview = std::string(SSI_BIN_DIR) + "/form-preview";
const std::string kDemo = std::string(SSI_SOURCE_DIR) + "/examples/layouts/skinned-window.txt";
constexpr TsuiUIStyle kLooks[] = {TsuiUIStyle::MacOS, TsuiUIStyle::WinXP, TsuiUIStyle::DeepBlue,
                                  TsuiUIStyle::Protein, TsuiUIStyle::BlueGlass};

std::string LookName(TsuiUIStyle look) {
    return TsuiUIStyleInfo().Name(static_cast<int>(look));
}

class Skinpack : public ::testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        FDir = fs::temp_directory_path() /
               ("skinpack-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(FDir);
        fs::create_directories(FDir);
    }
    void TearDown() override { fs::remove_all(FDir); }

    std::string Path(const std::string& name) const { return (FDir / name).string(); }

    struct TResult {
        int Status;
        std::string Out;
        std::string Err;
    };
    // Runs a program without a display, so that nothing opens a window.
    TResult Run(const std::string& program, const std::string& args) const {
        const std::string errFile = Path("stderr.txt");
        const std::string command =
            "env -u DISPLAY -u WAYLAND_DISPLAY " + program + " " + args + " 2>" + errFile;
        TResult r{-1, "", ""};
        FILE* pipe = popen(command.c_str(), "r");
        std::array<char, 4096> buffer;
        size_t n;
        while (pipe != nullptr && (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            r.Out.append(buffer.data(), n);
        const int status = pipe != nullptr ? pclose(pipe) : -1;
        r.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream err(errFile);
        r.Err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
        return r;
    }

    // The message a folder is refused with, "" when it builds.
    static std::string Refusal(const std::string& dir) {
        try {
            ReadSkinFolder(dir);
        } catch (const Exception& e) {
            return e.Message();
        }
        return "";
    }

    static std::string ReadText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void WriteText(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }
    // Replaces the one line of theme.txt that starts with `key` + "=".
    static void SetLine(const std::string& dir, const std::string& key, const std::string& line) {
        const std::string path = dir + "/theme.txt";
        std::string text = ReadText(path);
        const size_t at = text.find("\n" + key + "=");
        ASSERT_NE(at, std::string::npos) << key;
        text.replace(at + 1, text.find('\n', at + 1) - at - 1, line);
        WriteText(path, text);
    }
    // The 1-based line of theme.txt that starts with `prefix`.
    static int LineOf(const std::string& dir, const std::string& prefix) {
        std::istringstream text(ReadText(dir + "/theme.txt"));
        std::string line;
        for (int n = 1; std::getline(text, line); ++n)
            if (line.rfind(prefix, 0) == 0)
                return n;
        return 0;
    }

    fs::path FDir;
};

bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

// A PNG's pixels as 0xAARRGGBB.
using TImage = TPngPixels;

TImage LoadPng(const std::string& path) {
    return ReadPngFile(path);
}

// The height of the first control of `className` in form-preview's --bounds
// list, -1 when there is none.
int BoundsHeight(const std::string& bounds, const std::string& className) {
    std::istringstream lines(bounds);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name, cls;
        int left, top, width, height;
        if (fields >> name >> cls >> left >> top >> width >> height && cls == className)
            return height;
    }
    return -1;
}

} // namespace

TEST_F(Skinpack, EveryLookSurvivesExportBuildAndLoadingItemForItem) {
    for (TsuiUIStyle look : kLooks) {
        const std::string name = LookName(look);
        SCOPED_TRACE(name);
        const std::string dir = Path(name);
        ExportLook(look, dir);
        ReadSkinFolder(dir).SaveToFile(Path(name + ".skn"));

        TsuiFileTheme theme(nullptr);
        theme.SetThemeFile(Path(name + ".skn"));
        ASSERT_TRUE(theme.IsThemeLoaded());
        for (int item = 1; item <= SUI_THEME_ITEM_COUNT; ++item) {
            SCOPED_TRACE(GetThemeKeyName(item));
            switch (GetThemeKind(item)) {
            case TsuiThemeItemKind::suiBitmapItem: {
                TBitmap fromFile, builtIn;
                theme.GetBitmap(item, fromFile);
                GetThemeBitmap(look, item, &builtIn);
                EXPECT_GT(builtIn.Width(), 0);
                EXPECT_TRUE(SamePixels(fromFile, builtIn));
                break;
            }
            case TsuiThemeItemKind::suiBoolItem:
                EXPECT_EQ(theme.GetBool(item), GetThemeBool(look, item));
                break;
            case TsuiThemeItemKind::suiIntItem:
                EXPECT_EQ(theme.GetInt(item), GetThemeInt(look, item));
                break;
            case TsuiThemeItemKind::suiColorItem:
                EXPECT_EQ(theme.GetColor(item), GetThemeColor(look, item));
                break;
            }
        }
    }
}

// The window drawn from the built file against the built-in look. The
// skinned form and its title bar also draw a few pictures of MacOS and
// Protein that are no theme item (the tiled background; MacOS's menu bar and
// black caption), so no skin file can carry them: in those two looks the
// client area may differ, and in MacOS's title bar only the caption's text,
// black in the built-in look and white from a file. Everything else must be
// identical, pixel for pixel.
TEST_F(Skinpack, AWindowDrawnFromTheBuiltFileLooksAsInTheBuiltInLook) {
    for (TsuiUIStyle look : kLooks) {
        const std::string name = LookName(look);
        SCOPED_TRACE(name);
        const std::string dir = Path(name), skin = Path(name + ".skn");
        TResult r = Run(kSkinpack, "export " + name + " -o " + dir);
        ASSERT_EQ(r.Status, 0) << r.Err;
        r = Run(kSkinpack, "build " + dir + " -o " + skin);
        ASSERT_EQ(r.Status, 0) << r.Err;
        TResult builtIn =
            Run(kPreview, kDemo + " --bounds --look " + name + " --screenshot " + Path("look.png"));
        ASSERT_EQ(builtIn.Status, 0) << builtIn.Err;
        r = Run(kPreview, kDemo + " --skin " + skin + " --screenshot " + Path("skin.png"));
        ASSERT_EQ(r.Status, 0) << r.Err;

        const TImage want = LoadPng(Path("look.png")), got = LoadPng(Path("skin.png"));
        ASSERT_GT(want.Width, 0);
        ASSERT_EQ(got.Width, want.Width);
        ASSERT_EQ(got.Height, want.Height);
        const bool drawsOwnPictures = look == TsuiUIStyle::MacOS || look == TsuiUIStyle::Protein;
        // The skinned form sits in the middle of the window's frame.
        const int formWidth = 475, frame = (want.Width - formWidth) / 2;
        const int titleBottom = frame + BoundsHeight(builtIn.Out, "TsuiTitleBar");
        ASSERT_GT(titleBottom, frame) << builtIn.Out;
        int differences = 0, captionPixels = 0;
        for (int y = 0; y < want.Height; ++y)
            for (int x = 0; x < want.Width; ++x) {
                if (want.At(x, y) == got.At(x, y))
                    continue;
                const bool inFrame =
                    x < frame || x >= want.Width - frame || y < frame || y >= want.Height - frame;
                if (drawsOwnPictures && !inFrame && y >= titleBottom)
                    continue;
                if (look == TsuiUIStyle::MacOS && !inFrame && y < titleBottom &&
                    want.At(x, y) == 0xFF000000u && got.At(x, y) == 0xFFFFFFFFu) {
                    ++captionPixels;
                    continue;
                }
                if (differences++ < 5)
                    ADD_FAILURE() << "differs at " << x << "," << y << ": " << std::hex
                                  << want.At(x, y) << " in the look, " << got.At(x, y)
                                  << " from the file";
            }
        EXPECT_EQ(differences, 0);
        if (look == TsuiUIStyle::MacOS) {
            EXPECT_GT(captionPixels, 20) << "the caption's text is where the rule expects it";
        }
    }
}

TEST_F(Skinpack, AnEditedFolderBuildsWhatItSays) {
    const std::string dir = Path("edited");
    ExportLook(TsuiUIStyle::WinXP, dir);
    SetLine(dir, "FormBorderColor", "  formbordercolor =  #112233 ");
    SetLine(dir, "FormBackgroundColor", "FormBackgroundColor=$80000005");
    SetLine(dir, "ButtonTransparentBool", "ButtonTransparentBool=true");
    SetLine(dir, "TitleBarButtonRightOffsetInt", "TitleBarButtonRightOffsetInt=-7");
    // Windows line ends, ';' comments, other files and a whole picture of
    // any size are all fine.
    std::string text = ReadText(dir + "/theme.txt");
    for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
        text.insert(at, "\r");
    WriteText(dir + "/theme.txt", "; edited\r\n" + text);
    WriteText(dir + "/notes.md", "not part of the skin");
    TBitmap left(7, 3);
    left.SetPixel(6, 2, 0x000000FF);
    TMemoryStream bmp;
    left.SaveToStream(bmp);
    fs::remove(dir + "/TitleBarLeftImage.bmp");
    WriteText(dir + "/titlebarleftimage.BMP",
              std::string(reinterpret_cast<const char*>(bmp.Memory()), size_t(bmp.Size())));

    ReadSkinFolder(dir).SaveToFile(Path("edited.skn"));
    TsuiThemeFileReader reader(Path("edited.skn"));
    ASSERT_EQ(reader.Entries().size(), size_t(SUI_THEME_ITEM_COUNT));
    for (int item = 1; item <= SUI_THEME_ITEM_COUNT; ++item)
        EXPECT_EQ(reader.Entries()[item - 1].Key, GetThemeKeyName(item)) << "item order";
    EXPECT_EQ(reader.GetInt("FormBorderColor"), 0x00332211);
    EXPECT_EQ(reader.GetInt("FormBackgroundColor"), int32_t(0x80000005));
    EXPECT_TRUE(reader.GetBool("ButtonTransparentBool"));
    EXPECT_EQ(reader.GetInt("TitleBarButtonRightOffsetInt"), -7);
    TBitmap back;
    back.LoadFromStream(*reader.GetStream("TitleBarLeftImage"));
    EXPECT_TRUE(SamePixels(back, left));
}

TEST_F(Skinpack, BrokenFoldersAreRefusedNamingFileAndLine) {
    const std::string dir = Path("broken");
    ExportLook(TsuiUIStyle::WinXP, dir);
    const std::string values = dir + "/theme.txt";
    const std::string original = ReadText(values);
    const int colourLine = LineOf(dir, "FormBackgroundColor=");
    auto at = [&](int line) { return values + ":" + std::to_string(line) + ": "; };

    const struct {
        const char* key;
        std::string line;
        std::string message;
    } lines[] = {
        {"FormBackgroundColor", "FormBackgroundColour=$00FFFFFF",
         at(colourLine) + "unknown key 'FormBackgroundColour'"},
        {"FormBackgroundColor", "FormBackgroundColor=True",
         at(colourLine) +
             "FormBackgroundColor is a colour item: expected $00BBGGRR or #RRGGBB, not 'True'"},
        {"FormBackgroundColor", "FormBackgroundColor=14609391",
         at(colourLine) +
             "FormBackgroundColor is a colour item: expected $00BBGGRR or #RRGGBB, not "
             "'14609391'"},
        {"FormBackgroundColor", "FormBackgroundColor=$100000000",
         at(colourLine) + "FormBackgroundColor is a colour item: expected $00BBGGRR or #RRGGBB, "
                          "not '$100000000'"},
        {"FormBackgroundColor", "FormBackgroundColor=#FFF",
         at(colourLine) +
             "FormBackgroundColor is a colour item: expected $00BBGGRR or #RRGGBB, not '#FFF'"},
        {"FormMinWidthInt", "FormMinWidthInt=$96",
         at(LineOf(dir, "FormMinWidthInt=")) +
             "FormMinWidthInt is an integer item: expected a decimal number such as -2, not '$96'"},
        {"FormMinWidthInt", "FormMinWidthInt=2147483648",
         at(LineOf(dir, "FormMinWidthInt=")) +
             "FormMinWidthInt is an integer item: expected a decimal number such as "
             "-2, not '2147483648'"},
        {"ButtonTransparentBool", "ButtonTransparentBool=1",
         at(LineOf(dir, "ButtonTransparentBool=")) +
             "ButtonTransparentBool is a boolean item: expected True or False, not '1'"},
        {"FormBackgroundColor", "ButtonImage=mine.bmp",
         at(colourLine) +
             "ButtonImage is a bitmap item: its picture is ButtonImage.bmp, not a line "
             "here"},
        {"FormBackgroundColor", "FormBackgroundColor",
         at(colourLine) + "expected KeyName=value, not 'FormBackgroundColor'"},
        {"FormBackgroundColor", "ButtonTransparentBool=False",
         at(colourLine) + "ButtonTransparentBool is given twice (first on line " +
             std::to_string(LineOf(dir, "ButtonTransparentBool=")) + ")"},
        {"FormBackgroundColor", "# FormBackgroundColor left out",
         values + ": no line for FormBackgroundColor"},
    };
    for (const auto& c : lines) {
        WriteText(values, original);
        SetLine(dir, c.key, c.line);
        EXPECT_EQ(Refusal(dir), c.message) << c.line;
    }
    WriteText(values, original);

    // Bitmaps: written as a person's tools would, one problem at a time.
    auto writeBmp = [&](const std::string& name, int width, int height) {
        TMemoryStream bmp;
        TBitmap(width, height).SaveToStream(bmp);
        WriteText(dir + "/" + name,
                  std::string(reinterpret_cast<const char*>(bmp.Memory()), size_t(bmp.Size())));
    };
    const std::string button = dir + "/ButtonImage.bmp";
    const std::string buttonBytes = ReadText(button);
    writeBmp("ButtonImage.bmp", 55, 21);
    EXPECT_EQ(Refusal(dir), button + ": 55x21 does not fit ButtonImage, a strip of 3 frames side "
                                     "by side: its width must be a multiple of 3 (54 or 57 would "
                                     "do)");
    writeBmp("ButtonImage.bmp", 2, 21);
    EXPECT_EQ(Refusal(dir), button + ": 2x21 does not fit ButtonImage, a strip of 3 frames side by "
                                     "side: its width must be a multiple of 3 (3 would do)");
    writeBmp("ButtonImage.bmp", 57, 30); // any height, any multiple
    EXPECT_EQ(Refusal(dir), "");
    WriteText(button, "BM not really a bitmap");
    EXPECT_EQ(Refusal(dir).rfind(button + ": not a bitmap that can be read: ", 0), 0u)
        << Refusal(dir);
    WriteText(button, buttonBytes.substr(0, 100));
    EXPECT_EQ(Refusal(dir).rfind(button + ": not a bitmap that can be read: ", 0), 0u)
        << Refusal(dir);
    WriteText(button, buttonBytes);

    writeBmp("ButonImage.bmp", 3, 3);
    EXPECT_EQ(Refusal(dir), dir + "/ButonImage.bmp: unknown key 'ButonImage' (a bitmap is named "
                                  "after its item, such as ButtonImage.bmp)");
    fs::remove(dir + "/ButonImage.bmp");
    writeBmp("FormBorderColor.bmp", 3, 3);
    EXPECT_EQ(Refusal(dir), dir + "/FormBorderColor.bmp: FormBorderColor is a colour item: it "
                                  "belongs in theme.txt, not in a bitmap");
    fs::remove(dir + "/FormBorderColor.bmp");
    fs::rename(dir + "/ProgressBarImage.bmp", dir + "/progressbarimage.bmp.old");
    EXPECT_EQ(Refusal(dir), dir + ": no ProgressBarImage.bmp");
    fs::rename(dir + "/progressbarimage.bmp.old", dir + "/ProgressBarImage.bmp");
    fs::remove(values);
    EXPECT_EQ(Refusal(dir), values + ": cannot open it: no such file");
    EXPECT_EQ(Refusal(Path("nowhere")), Path("nowhere") + " is not a folder");
}

TEST_F(Skinpack, CommandLine) {
    TResult help = Run(kSkinpack, "--help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("skinpack export LOOK -o DIR"), std::string::npos) << help.Out;
    for (const std::string args :
         {"", "frobnicate", "export Aqua -o x", "export WinXP", "build", "list a b",
          "extract f.skn -o x", "build dir -o a -o b", "list --verbose f.skn"}) {
        TResult r = Run(kSkinpack, args);
        EXPECT_EQ(r.Status, 2) << args;
        EXPECT_NE(r.Err.find("Usage:"), std::string::npos) << args;
    }

    const std::string dir = Path("xp"), skin = Path("xp.skn");
    ASSERT_EQ(Run(kSkinpack, "export winxp -o " + dir).Status, 0);
    TResult again = Run(kSkinpack, "export WinXP -o " + dir);
    EXPECT_EQ(again.Status, 1);
    EXPECT_EQ(again.Err, "skinpack: " + dir + " is not empty: export into a new or empty folder\n");
    ASSERT_EQ(Run(kSkinpack, "build " + dir + " -o " + skin).Status, 0);

    TResult list = Run(kSkinpack, "list " + skin);
    ASSERT_EQ(list.Status, 0) << list.Err;
    EXPECT_EQ(std::count(list.Out.begin(), list.Out.end(), '\n'), SUI_THEME_ITEM_COUNT);
    for (const char* line :
         {"bitmap ButtonImage 54x21 (3498 bytes)\n", "boolean ButtonTransparentBool False\n",
          "integer TitleBarButtonRightOffsetInt -2\n", "colour FormBorderColor $00C82C00\n",
          "bitmap TitleBarButtonImage 378x21 ("})
        EXPECT_NE(list.Out.find(line), std::string::npos) << line << list.Out;

    ASSERT_EQ(Run(kSkinpack, "extract " + skin + " checkboximage -o " + Path("c.bmp")).Status, 0);
    EXPECT_EQ(ReadText(Path("c.bmp")), ReadText(dir + "/CheckBoxImage.bmp"));
    TResult notBitmap = Run(kSkinpack, "extract " + skin + " FormBorderColor -o " + Path("x.bmp"));
    EXPECT_EQ(notBitmap.Status, 1);
    EXPECT_EQ(notBitmap.Err,
              "skinpack: " + skin + ": FormBorderColor is an integer entry, not a bitmap\n");
    EXPECT_FALSE(fs::exists(Path("x.bmp")));
    EXPECT_EQ(Run(kSkinpack, "extract " + skin + " Nothing -o " + Path("x.bmp")).Err,
              "skinpack: " + skin + " has no entry Nothing\n");
    EXPECT_EQ(Run(kSkinpack, "list " + dir + "/theme.txt").Err,
              "skinpack: " + dir + "/theme.txt is not a skin file\n");

    // A failed build says what and where on one line, and writes nothing.
    SetLine(dir, "MenuFontColor", "MenuFontColor=black");
    TResult broken = Run(kSkinpack, "build " + dir + " -o " + Path("broken.skn"));
    EXPECT_EQ(broken.Status, 1);
    EXPECT_EQ(broken.Err.rfind("skinpack: " + dir +
                                   "/theme.txt:" + std::to_string(LineOf(dir, "MenuFontColor=")) +
                                   ": MenuFontColor is a colour item",
                               0),
              0u)
        << broken.Err;
    EXPECT_EQ(std::count(broken.Err.begin(), broken.Err.end(), '\n'), 1) << broken.Err;
    EXPECT_FALSE(fs::exists(Path("broken.skn")));
}
