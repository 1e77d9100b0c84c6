// form-preview run as a person runs it: usage, layout errors with their
// place, the bounds list, and a screenshot whose round corners are
// see-through.

#include <gtest/gtest.h>

#include "support/PngFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string kPreview = std::string(SSI_BIN_DIR) + "/form-preview";
const std::string kDemo = std::string(SSI_SOURCE_DIR) + "/examples/layouts/skinned-window.txt";

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result Preview(const std::string& args, const std::string& environment = "") {
    std::string errFile =
        (std::filesystem::temp_directory_path() / ("form-preview-err-" + std::to_string(getpid())))
            .string();
    // Without a display, so that nothing opens a window.
    std::string command =
        "env -u DISPLAY -u WAYLAND_DISPLAY " + environment + " " + kPreview + " " + args + " 2>" +
        errFile;
    Result r{-1, "", ""};
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    size_t n;
    while (pipe != nullptr && (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        r.out.append(buffer.data(), n);
    int status = pipe != nullptr ? pclose(pipe) : -1;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    r.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    std::filesystem::remove(errFile);
    return r;
}

std::string Scratch(const std::string& name) {
    return (std::filesystem::temp_directory_path() /
            ("form-preview-" + std::to_string(getpid()) + "-" + name))
        .string();
}

} // namespace

TEST(FormPreview, UsageAndHelp) {
    Result help = Preview("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: form-preview LAYOUT"), std::string::npos);
    EXPECT_EQ(Preview("").status, 2);
    EXPECT_EQ(Preview(kDemo + " --look Aqua --bounds").status, 2);
    EXPECT_EQ(Preview(kDemo + " --move 10").status, 2);
    EXPECT_EQ(Preview(kDemo + " --look WinXP --skin x.skn --bounds").status, 2);
    Result unknown = Preview(kDemo + " --frobnicate");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown option --frobnicate"), std::string::npos);
}

TEST(FormPreview, LayoutAndFileErrorsSayWhere) {
    std::string bad = Scratch("bad.txt");
    std::ofstream(bad) << "object F: TForm\n  Left = 10\n  Colour = clRed\nend\n";
    Result r = Preview(bad + " --bounds");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(bad), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("line 3"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    std::filesystem::remove(bad);

    Result missing = Preview("/nonexistent/layout.txt --bounds");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("/nonexistent/layout.txt"), std::string::npos);

    Result nothing = Preview(kDemo);
    EXPECT_EQ(nothing.status, 1) << "no display and nothing to save";
}

TEST(FormPreview, BoundsListEveryControlDepthFirst) {
    Result r = Preview(kDemo + " --bounds");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("SkinnedWindow TForm"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n  suiForm1 TsuiForm 0 0 475 203 visible enabled\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\n    - TsuiTitleBar 0 0 475 26 visible enabled\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\n    Welcome TLabel 16 64 440 40 visible enabled\n"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\n      - TToolButton 0 0 "), std::string::npos) << r.out;
}

TEST(FormPreview, ScreenshotKeepsTheRoundCornersSeeThrough) {
    std::string png = Scratch("shot.png");
    Result r = Preview(kDemo + " --look WinXP --move 460,16 --screenshot " + png);
    ASSERT_EQ(r.status, 0) << r.err;
    const TPngPixels s = ReadPngFile(png);
    ASSERT_EQ(s.Width, 481);
    auto pixel = [&](int x, int y) { return s.At(x, y); };
    EXPECT_EQ(s.Width, 481);
    EXPECT_EQ(s.Height, 209);
    EXPECT_EQ(pixel(0, 0) >> 24, 0u);
    EXPECT_EQ(pixel(s.Width - 1, 0) >> 24, 0u);
    EXPECT_EQ(pixel(0, s.Height - 1), 0xFF002CC8u); // WinXP border, opaque
    EXPECT_EQ(pixel(s.Width / 2, s.Height - 1), 0xFF002CC8u);
    std::filesystem::remove(png);
}

// The faces travel inside the program: a machine without any font
// configuration (no fontconfig, no font folders, no home) draws the same
// pixels as this one, for the installer's own layout and for text in the
// fallback face.
TEST(FormPreview, TheSamePixelsWhateverFontsTheMachineHas) {
    for (const std::string& layout :
         {std::string(SSI_SOURCE_DIR) + "/resources/wizard/InstallarForm.txt",
          std::string(SSI_SOURCE_DIR) + "/examples/layouts/controls-gallery.txt"}) {
        const std::string here = Scratch("fonts-here.png"), bare = Scratch("fonts-bare.png");
        ASSERT_EQ(Preview(layout + " --screenshot " + here).status, 0);
        ASSERT_EQ(Preview(layout + " --screenshot " + bare,
                          "FONTCONFIG_FILE=/nonexistent FONTCONFIG_PATH=/nonexistent "
                          "XDG_DATA_HOME=/nonexistent XDG_DATA_DIRS=/nonexistent HOME=/nonexistent")
                      .status,
                  0);
        const TPngPixels a = ReadPngFile(here), b = ReadPngFile(bare);
        EXPECT_GT(a.Width, 0);
        EXPECT_TRUE(a.Pixels == b.Pixels) << layout;
        std::filesystem::remove(here);
        std::filesystem::remove(bare);
    }
}

namespace {

// The skinned window's layout with its caption written as `caption` (a
// layout value: quoted, or character codes), shown and saved; its pixels.
std::vector<uint32_t> CaptionPixels(const std::string& caption, const std::string& environment = "") {
    std::ifstream in(kDemo);
    std::string layout((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t at; (at = layout.find("'Skinned window'")) != std::string::npos;)
        layout.replace(at, 16, caption);
    const std::string file = Scratch("caption.txt"), png = Scratch("caption.png");
    std::ofstream(file) << layout;
    const Result r = Preview(file + " --screenshot " + png, environment);
    EXPECT_EQ(r.status, 0) << r.err;
    const TPngPixels shot = ReadPngFile(png);
    std::filesystem::remove(file);
    std::filesystem::remove(png);
    return shot.Pixels;
}

} // namespace

// A caption in any script, written as UTF-8 in quotes or as the layout's
// character codes (a code per UTF-16 unit), shows its letters: different
// words of one script are different pictures, and none is the box drawn for
// a character no face holds. Chinese comes from the machine's faces: where
// there are none, it is boxes, and the embedded faces' scripts stay as they are.
TEST(FormPreview, CaptionsInEveryScript) {
    struct TScript {
        std::string Quoted, Codes, Other;
        int Letters;
    };
    const std::vector<TScript> scripts = {
        {"'Gr\xC3\xBC\xC3\x9F" "e'", "'Gr'#252#223'e'", "'Gr\xC3\xB6\xC3\x9F" "e'", 5},
        {"'\xD0\x96\xD1\x83\xD0\xBA'", "#1046#1091#1082", "'\xD0\x9A\xD0\xBE\xD1\x82'", 3},
        {"'\xCE\x93\xCE\xB5\xCE\xB9\xCE\xAC'", "#915#949#953#940",
         "'\xCE\x9B\xCF\x8C\xCE\xB3\xCE\xBF'", 4},
        {"'\xE4\xBD\xA0\xE5\xA5\xBD'", "#20320#22909", "'\xE4\xB8\x96\xE7\x95\x8C'", 2},
    };
    for (const TScript& s : scripts) {
        SCOPED_TRACE(s.Quoted);
        const auto quoted = CaptionPixels(s.Quoted);
        EXPECT_EQ(CaptionPixels(s.Codes), quoted);
        EXPECT_NE(CaptionPixels(s.Other), quoted);
        std::string boxes; // U+0378, a code no face holds
        for (int i = 0; i < s.Letters; ++i)
            boxes += "#888";
        EXPECT_NE(CaptionPixels(boxes), quoted);
    }
    // A machine whose fontconfig knows no fonts (without a configuration
    // at all, it falls back to the usual font folders).
    const std::string config = Scratch("fonts.conf");
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    const std::string bare = "FONTCONFIG_FILE=" + config + " HOME=/nonexistent";
    EXPECT_EQ(CaptionPixels("#20320#22909", bare), CaptionPixels("#888#889"))
        << "without the machine's faces, two boxes";
    EXPECT_EQ(CaptionPixels("#1046#1091#1082", bare), CaptionPixels("#1046#1091#1082"))
        << "Cyrillic travels with the program";
    std::filesystem::remove(config);
}
