// Text beyond Latin: every character drawn from a face that holds it (the
// embedded ones, else the machine's), on the common baseline, in the style
// asked for; one box for a character no face holds; Windows-1252 bytes read
// as their letters. The machine's faces are those scripts/setup.sh installs
// (DejaVu for Greek and Cyrillic, WenQuanYi Micro Hei for Chinese).
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/FontFace.h"
#include "framework/graphics/SystemFonts.h"
#include "framework/graphics/TextDrawing.h"
#include "platform/kernel32/CodePage.h"

namespace {

const std::string kNoFaceHasIt = "\xCD\xB8"; // U+0378, unassigned

// The ink of `text` drawn at (2, 2) in black on white: one string per row.
std::vector<std::string> Ink(const std::string& text, const char* family = "Tahoma",
                             int32_t height = -11, TFontStyles style = 0) {
    TBitmap b(320, 24);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clWhite);
    c.FillRect(Rect(0, 0, 320, 24));
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Font().SetName(family);
    c.Font().SetHeight(height);
    c.Font().SetStyle(style);
    c.Font().SetColor(clBlack);
    c.TextOut(2, 2, text);
    std::vector<std::string> rows;
    for (int32_t y = 0; y < b.Height(); ++y) {
        std::string row;
        for (int32_t x = 0; x < b.Width(); ++x)
            row += b.Pixel(x, y) == clBlack ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

int32_t Width(const std::string& text, const char* family = "Tahoma", TFontStyles style = 0) {
    TBitmap b(1, 1);
    b.Canvas().Font().SetName(family);
    b.Canvas().Font().SetHeight(-11);
    b.Canvas().Font().SetStyle(style);
    return b.Canvas().TextWidth(text);
}

bool HasInk(const std::vector<std::string>& rows) {
    for (const std::string& row : rows)
        if (row.find('#') != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(Scripts, EveryLetterOfEveryScriptHasAGlyphOfItsOwn) {
    // Pairs of different words of one script: different pictures, and no
    // letter drawn as the box that stands for a missing one.
    const std::vector<std::pair<std::string, std::string>> words = {
        {"Gr\xC3\xBC\xC3\x9F" "e", "Gr\xC3\xB6\xC3\x9F" "e"}, // Grüße, Größe
        {"\xD0\x96\xD1\x83\xD0\xBA", "\xD0\x9A\xD0\xBE\xD1\x82"}, // Жук, Кот
        {"\xCE\x93\xCE\xB5\xCE\xB9\xCE\xAC", "\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x82"}, // Γειά, λόγος
        {"\xE4\xBD\xA0\xE5\xA5\xBD", "\xE4\xB8\x96\xE7\x95\x8C"}, // 你好, 世界
    };
    const auto box = Ink(kNoFaceHasIt);
    for (const char* family : {"Tahoma", "MS Sans Serif"})
        for (const auto& [a, b] : words) {
            SCOPED_TRACE(std::string(family) + ": " + a + " / " + b);
            EXPECT_NE(Ink(a, family), Ink(b, family));
            for (const std::string& word : {a, b})
                for (size_t pos = 0; pos < word.size(); pos = NextCharacter(word, pos)) {
                    const std::string letter = word.substr(pos, NextCharacter(word, pos) - pos);
                    const auto ink = Ink(letter, family);
                    EXPECT_TRUE(HasInk(ink)) << letter;
                    EXPECT_NE(ink, box) << letter;
                }
        }
}

TEST(Scripts, ALetterTheFaceLacksIsTheFallbackFaceOnTheSameBaseline) {
    // MS Sans Serif holds no Cyrillic: Ж comes from the embedded Tahoma at
    // the same size, exactly as Tahoma draws it.
    EXPECT_EQ(Ink("\xD0\x96", "MS Sans Serif"), Ink("\xD0\x96", "Tahoma"));
    EXPECT_EQ(Width("\xD0\x96", "MS Sans Serif"), Width("\xD0\x96", "Tahoma"));

    // 你 comes from the machine's face: the pixels are those FreeType draws
    // from that file at 11 pixels per em, placed after "A" with the glyph's
    // baseline on the text's.
    const char32_t ni = 0x4F60;
    const TSystemFontFile file = FindSystemFont("Tahoma", false, false, ni);
    ASSERT_FALSE(file.Path.empty()) << "no face for Chinese: scripts/setup.sh installs one";
    unsetenv("FREETYPE_PROPERTIES");
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library, file.Path.c_str(), file.Index, &face), 0);
    ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, 11), 0);
    ASSERT_EQ(FT_Load_Char(face, ni, FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO), 0);
    ASSERT_EQ(FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO), 0);
    const FT_Bitmap& glyph = face->glyph->bitmap;
    TFont tahoma;
    tahoma.SetName("Tahoma");
    tahoma.SetHeight(-11);
    const int32_t left = 2 + Width("A") + face->glyph->bitmap_left;
    const int32_t top = 2 + GetFontFace(tahoma).Ascent() - face->glyph->bitmap_top;
    std::vector<std::string> expected = Ink("A");
    for (unsigned y = 0; y < glyph.rows; ++y)
        for (unsigned x = 0; x < glyph.width; ++x)
            if (glyph.buffer[y * unsigned(glyph.pitch) + (x >> 3)] & (0x80 >> (x & 7)))
                expected[size_t(top) + y][size_t(left) + x] = '#';
    EXPECT_EQ(Ink("A\xE4\xBD\xA0"), expected);
    EXPECT_EQ(Width("A\xE4\xBD\xA0"),
              Width("A") + int32_t((face->glyph->metrics.horiAdvance + 63) / 64));
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

TEST(Scripts, FallbackLettersFollowTheStyle) {
    const std::string ni = "\xE4\xBD\xA0";
    const auto regular = Ink(ni);
    EXPECT_NE(Ink(ni, "Tahoma", -11, fsBold), regular);
    EXPECT_EQ(Width(ni, "Tahoma", fsBold), Width(ni) + 1) << "emboldened by one pixel";
    EXPECT_NE(Ink(ni, "Tahoma", -11, fsItalic), regular);
    EXPECT_EQ(Width(ni, "Tahoma", fsItalic), Width(ni)) << "slanted, not widened";
}

TEST(Scripts, ACharacterNoFaceHoldsIsOneBox) {
    const auto box = Ink(kNoFaceHasIt);
    // A hollow rectangle standing on the baseline.
    int32_t top = -1, bottom = -1, left = -1, right = -1;
    for (size_t y = 0; y < box.size(); ++y)
        if (box[y].find('#') != std::string::npos) {
            if (top < 0)
                top = int32_t(y);
            bottom = int32_t(y);
            left = int32_t(box[y].find('#'));
            right = int32_t(box[y].rfind('#'));
        }
    ASSERT_GE(top, 0);
    EXPECT_GT(bottom - top, 4);
    EXPECT_GT(right - left, 2);
    EXPECT_EQ(box[size_t(top)].substr(size_t(left), size_t(right - left + 1)),
              std::string(size_t(right - left + 1), '#'));
    EXPECT_EQ(box[size_t(top + bottom) / 2][size_t(left + right) / 2], '.') << "hollow";
    TFont tahoma;
    tahoma.SetName("Tahoma");
    tahoma.SetHeight(-11);
    EXPECT_EQ(bottom, 2 + GetFontFace(tahoma).Ascent() - 1) << "on the baseline";

    // One box per character, however many bytes it takes, never a "?" per byte.
    const int32_t boxWidth = Width(kNoFaceHasIt);
    EXPECT_EQ(Width("\xF4\x8F\xBF\xBD"), boxWidth) << "U+10FFFD, four bytes";
    EXPECT_EQ(Width("a" + kNoFaceHasIt + "b"), Width("a") + boxWidth + Width("b"));
    EXPECT_NE(boxWidth, Width("??"));
}

TEST(Scripts, Windows1252BytesAreTheirLetters) {
    // "Café € – ß" as Windows-1252 wrote it draws as the UTF-8 text does.
    for (const char* family : {"Tahoma", "MS Sans Serif"})
        EXPECT_EQ(Ink("Caf\xE9 \x80 \x96 \xDF", family),
                  Ink("Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x93 \xC3\x9F", family))
            << family;
}

TEST(Scripts, ShorteningAndPrefixesKeepCharactersWhole) {
    TBitmap b(200, 20);
    TCanvas& c = b.Canvas();
    c.Font().SetName("Tahoma");
    c.Font().SetHeight(-11);
    const std::string text = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 "
                             "\xE4\xBD\xA0\xE5\xA5\xBD\xE4\xB8\x96\xE7\x95\x8C";
    for (int32_t width = 0; width < c.TextWidth(text); ++width) {
        const std::string shortened = EndEllipsis(c, text, width);
        ASSERT_TRUE(IsUtf8(shortened)) << width;
        EXPECT_EQ(shortened.rfind("...") + 3, shortened.size());
    }

    // "&Ж" underlines the whole of Ж, however many bytes it takes.
    int underline = -1;
    EXPECT_EQ(StripPrefixes("&\xD0\x96\xD1\x83\xD0\xBA", underline), "\xD0\x96\xD1\x83\xD0\xBA");
    EXPECT_EQ(underline, 0);
    EXPECT_EQ(StripPrefixes("\xD0\x96&\xE4\xBD\xA0", underline), "\xD0\x96\xE4\xBD\xA0");
    EXPECT_EQ(underline, 2);
    c.Brush().SetColor(clWhite);
    c.FillRect(Rect(0, 0, 200, 20));
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Font().SetColor(clBlack);
    TRect r = Rect(0, 0, 200, 20);
    DrawText(c, "&\xD0\x96\xD0\xB0", r, DT_SINGLELINE); // "&Жа": no descender below
    const int32_t row = GetFontFace(c.Font()).UnderlineTop();
    int32_t inked = 0;
    for (int32_t x = 0; x < 200; ++x)
        inked += b.Pixel(x, row) == clBlack ? 1 : 0;
    EXPECT_EQ(inked, c.TextWidth("\xD0\x96"));
}
