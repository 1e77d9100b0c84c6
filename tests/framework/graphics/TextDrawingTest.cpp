#include <gtest/gtest.h>

#include <climits>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/FontFace.h"
#include "framework/graphics/TextDrawing.h"

namespace {

// Columns and rows holding ink of `colour` (inclusive bounds); Left > Right
// when there is none.
TRect InkBounds(const TBitmap& b, TColor colour) {
    TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == colour) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x);
                r.Bottom = std::max(r.Bottom, y);
            }
    return r;
}

void UseFont(TCanvas& c, const char* name, int32_t height, TFontStyles style = 0) {
    c.Font().SetName(name);
    c.Font().SetHeight(height);
    c.Font().SetStyle(style);
    c.Font().SetColor(clBlack);
}

} // namespace

TEST(Fonts, SizesInPointsAndFamiliesResolveAsOnThePlatform) {
    TFont f;
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    f.SetSize(10);
    EXPECT_EQ(f.Height(), -13);
    EXPECT_EQ(f.Size(), 10);
    int changes = 0;
    f.OnChange = [&](TFont&) { ++changes; };
    f.SetStyle(fsBold);
    f.SetStyle(fsBold);
    EXPECT_EQ(changes, 1);

    EXPECT_EQ(ResolveFontFile("Tahoma", 0).FileName, "tahoma.ttf");
    EXPECT_EQ(ResolveFontFile("tahoma", fsBold).FileName, "tahomabd.ttf");
    TFontFile sans = ResolveFontFile("MS Sans Serif", fsBold);
    EXPECT_EQ(sans.FileName, "sserife.fon");
    EXPECT_TRUE(sans.SyntheticBold);
    EXPECT_EQ(ResolveFontFile("No Such Family 42", 0).FileName, "tahoma.ttf");
    EXPECT_EQ(ResolveFontFile("Arial", fsBold | fsItalic).FileName, "tahomabd.ttf");

    // Cell heights: 8 pt MS Sans Serif and Tahoma are 13 pixels high, 10 pt
    // MS Sans Serif is 16 (its second face).
    TFont font;
    font.SetName("MS Sans Serif");
    EXPECT_EQ(GetFontFace(font).Height(), 13);
    EXPECT_EQ(GetFontFace(font).Ascent(), 11);
    font.SetHeight(-13);
    EXPECT_EQ(GetFontFace(font).Height(), 16);
    font.SetName("Tahoma");
    font.SetHeight(-11);
    EXPECT_EQ(GetFontFace(font).Height(), 13);
    EXPECT_EQ(GetFontFace(font).Ascent(), 11);
}

TEST(Fonts, MeasuringAndDrawingAgree) {
    for (const char* name : {"MS Sans Serif", "Tahoma", "Arial"})
        for (TFontStyles style : {TFontStyles(0), TFontStyles(fsBold)})
            for (const char* text :
                 {"Screensaver Installar", "Wij", "Ma&ximize/Restore", "\xC9t\xE9 \x80 100%"}) {
                SCOPED_TRACE(testing::Message()
                             << name << " style " << int(style) << " '" << text << "'");
                TBitmap b(200, 30);
                TCanvas& c = b.Canvas();
                UseFont(c, name, -11, style);
                c.Brush().SetStyle(TBrushStyle::bsClear);
                c.TextOut(10, 5, text);
                const int32_t w = c.TextWidth(text), h = c.TextHeight(text);
                TRect ink = InkBounds(b, clBlack);
                ASSERT_LE(ink.Left, ink.Right) << "nothing drawn";
                EXPECT_GE(ink.Left, 10);
                EXPECT_LT(ink.Right, 10 + w);
                EXPECT_GT(ink.Right, 10 + w - 4); // the last glyph ends near the advance
                EXPECT_GE(ink.Top, 5);
                EXPECT_LT(ink.Bottom, 5 + h);
                // Width of a concatenation is the sum of the widths.
                EXPECT_EQ(c.TextWidth(std::string(text) + "x"), w + c.TextWidth("x"));
                EXPECT_EQ(c.PenPos(), Point(10 + w, 5));
            }
}

TEST(Fonts, OpaqueTextFillsExactlyItsBox) {
    TBitmap b(100, 30);
    TCanvas& c = b.Canvas();
    UseFont(c, "MS Sans Serif", -11);
    c.Brush().SetColor(clYellow);
    c.TextOut(3, 4, "Next");
    TRect box = InkBounds(b, clYellow);
    TRect ink = InkBounds(b, clBlack);
    TRect all{std::min(box.Left, ink.Left), std::min(box.Top, ink.Top),
              std::max(box.Right, ink.Right), std::max(box.Bottom, ink.Bottom)};
    EXPECT_EQ(all, Rect(3, 4, 3 + c.TextWidth("Next") - 1, 4 + 13 - 1));

    // Underline and strike-out span the whole text width.
    TBitmap u(100, 30);
    UseFont(u.Canvas(), "MS Sans Serif", -11, fsUnderline);
    u.Canvas().TextOut(0, 0, "a b");
    const int32_t w = u.Canvas().TextWidth("a b");
    for (int32_t x = 0; x < w; ++x)
        EXPECT_EQ(u.Pixel(x, 12), clBlack) << x;
    EXPECT_EQ(u.Pixel(w, 12), clWhite);
}

TEST(Fonts, TextRectClipsAndFillsTheWholeRectangle) {
    TBitmap b(40, 20);
    TCanvas& c = b.Canvas();
    UseFont(c, "MS Sans Serif", -11);
    c.Brush().SetColor(clYellow);
    c.TextRect(Rect(5, 2, 20, 18), 8, 4, "WWWWWW");
    TRect ink = InkBounds(b, clBlack);
    EXPECT_GE(ink.Left, 8);
    EXPECT_LE(ink.Right, 19);
    EXPECT_EQ(b.Pixel(5, 2), clYellow);
    EXPECT_EQ(b.Pixel(19, 17), clYellow);
    EXPECT_EQ(b.Pixel(20, 17), clWhite);
    EXPECT_EQ(b.Pixel(5, 18), clWhite);

    TFont menu;
    AssignSystemMenuFont(menu);
    EXPECT_EQ(menu.Name(), "Tahoma");
    EXPECT_EQ(menu.Size(), 8);
    EXPECT_EQ(menu.Color(), clMenuText);
}

TEST(DrawText, AlignsAndCentresInTheRectangle) {
    TBitmap b(80, 27);
    TCanvas& c = b.Canvas();
    UseFont(c, "MS Sans Serif", -11);
    c.Brush().SetColor(clYellow); // the text box shows where the line went
    TRect r = Rect(0, 0, 80, 27);
    DrawText(c, "Cancel", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    const int32_t w = c.TextWidth("Cancel");
    TRect box = InkBounds(b, clYellow);
    EXPECT_EQ(box.Top, (27 - 13) / 2);
    EXPECT_EQ(box.Bottom, (27 - 13) / 2 + 12);
    EXPECT_LE(box.Left, (80 - w) / 2 + 1);
    EXPECT_GE(box.Left, (80 - w) / 2);

    TBitmap right(60, 20);
    UseFont(right.Canvas(), "MS Sans Serif", -11);
    right.Canvas().Brush().SetColor(clYellow);
    TRect rr = Rect(0, 0, 60, 20);
    DrawText(right.Canvas(), "OK", rr, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(right.Pixel(59, 19), clYellow);
    EXPECT_EQ(right.Pixel(59, 6), clWhite);
    EXPECT_EQ(right.Pixel(60 - right.Canvas().TextWidth("OK") - 1, 19), clWhite);
}

TEST(DrawText, AcceleratorPrefixes) {
    int underline = 0;
    EXPECT_EQ(StripPrefixes("Mi&nimize", underline), "Minimize");
    EXPECT_EQ(underline, 2);
    EXPECT_EQ(StripPrefixes("Fish && &Chips", underline), "Fish & Chips");
    EXPECT_EQ(underline, 7);
    EXPECT_EQ(StripPrefixes("&&", underline), "&");
    EXPECT_EQ(underline, -1);
    EXPECT_EQ(StripPrefixes("end&", underline), "end");

    // "&C" underlines exactly the C's advance on the underline row.
    TBitmap b(100, 20);
    TCanvas& c = b.Canvas();
    UseFont(c, "MS Sans Serif", -11);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    TRect r = Rect(0, 0, 100, 20);
    DrawText(c, "x&Close", r, DT_SINGLELINE);
    const int32_t x0 = c.TextWidth("x"), x1 = x0 + c.TextWidth("C");
    for (int32_t x = 0; x < 100; ++x)
        EXPECT_EQ(b.Pixel(x, 12) == clBlack, x >= x0 && x < x1) << x;
    // With DT_NOPREFIX the ampersand is drawn and nothing is underlined.
    TRect m = Rect(0, 0, 100, 20);
    DrawText(c, "x&Close", m, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    EXPECT_EQ(m.Right, c.TextWidth("x&Close"));
    TRect n = Rect(0, 0, 100, 20);
    DrawText(c, "x&&Close", n, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(n.Right, c.TextWidth("x&Close"));
}

TEST(DrawText, EndEllipsisKeepsAsMuchAsFits) {
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    UseFont(c, "Tahoma", -11, fsBold);
    const std::string caption = "Aquarium Setup Wizard";
    const int32_t full = c.TextWidth(caption);
    EXPECT_EQ(EndEllipsis(c, caption, full), caption);
    for (int32_t width : {full - 1, full / 2, 20, 5, 0}) {
        std::string s = EndEllipsis(c, caption, width);
        ASSERT_GE(s.size(), 3u);
        EXPECT_EQ(s.substr(s.size() - 3), "...");
        std::string kept = s.substr(0, s.size() - 3);
        EXPECT_EQ(caption.compare(0, kept.size(), kept), 0);
        if (!kept.empty()) {
            EXPECT_LE(c.TextWidth(s), width);
        }
        if (kept.size() < caption.size()) { // one more character would not fit
            EXPECT_GT(c.TextWidth(caption.substr(0, kept.size() + 1) + "..."), width) << width;
        }
    }
    EXPECT_EQ(EndEllipsis(c, caption, 0), "...");

    TRect r = Rect(0, 0, 40, 13);
    DrawText(c, caption, r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(r.Right, 40);
}

TEST(DrawText, BreaksLinesAndMeasures) {
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    UseFont(c, "MS Sans Serif", -11);
    TRect r = Rect(0, 0, 1000, 0);
    int32_t h = DrawText(c, "one\r\ntwo\nthree", r, DT_CALCRECT);
    EXPECT_EQ(h, 39);
    EXPECT_EQ(r, Rect(0, 0, c.TextWidth("three"), 39));

    const int32_t narrow = c.TextWidth("aaa bbb") + 1;
    TRect w = Rect(0, 0, narrow, 0);
    DrawText(c, "aaa bbb ccc dddddddddddddd", w, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(w.Height(), 3 * 13); // "aaa bbb", "ccc", the long word alone
    EXPECT_EQ(w.Width(), c.TextWidth("dddddddddddddd"));

    // Single line: line breaks are not honoured.
    TRect s = Rect(0, 0, 1000, 0);
    EXPECT_EQ(DrawText(c, "a\r\nb", s, DT_SINGLELINE | DT_CALCRECT), 13);
}

TEST(DrawText, ClipsToTheRectangleUnlessToldNot) {
    TBitmap b(40, 20);
    TCanvas& c = b.Canvas();
    UseFont(c, "MS Sans Serif", -11);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    TRect r = Rect(0, 0, 10, 20);
    DrawText(c, "WWWW", r, DT_SINGLELINE);
    EXPECT_LE(InkBounds(b, clBlack).Right, 9);
    TRect n = Rect(0, 0, 10, 20);
    DrawText(c, "WWWW", n, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(b, clBlack).Right, 20);
}
