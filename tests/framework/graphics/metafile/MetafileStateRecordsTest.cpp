// The state records real files set around their drawing: how pens and
// brushes mix with what is under them, how shrunk bitmaps lose pixels,
// miter limits, brush origins, meta regions, palettes and palette-index
// colours, the right-to-left layout, comments and escapes that draw
// nothing, and the EMF a WMF carries in its comments.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/metafile/Metafile.h"
#include "support/GraphicsTestSupport.h"
#include "support/MetafileWriter.h"

using namespace gfxtest;
using namespace gfxtest::gdi;

namespace {

// EMF record numbers the writer has no call for.
enum : uint32_t {
    EMR_SETBRUSHORGEX = 13,
    EMR_SETROP2 = 20,
    EMR_SETSTRETCHBLTMODE = 21,
    EMR_SETMETARGN = 28,
    EMR_SELECTPALETTE = 48,
    EMR_CREATEPALETTE = 49,
    EMR_SETPALETTEENTRIES = 50,
    EMR_SETMITERLIMIT = 58,
    EMR_POLYLINE = 4,
    EMR_EXTSELECTCLIPRGN = 75,
    EMR_GDICOMMENT = 70,
    EMR_SETLAYOUT = 115,
    EMR_SETICMMODE = 98,
    EMR_STRETCHDIBITS = 81,
};
constexpr uint32_t PALETTEINDEX = 0x01000000;

// One inch on a reference device of 96 pixels per inch, played into 96 x 96:
// logical units are pixels.
TBitmap Play(const std::vector<uint8_t>& bytes, int32_t size = 96) {
    TMetafile m;
    m.LoadFromMemory(bytes.data(), bytes.size());
    TBitmap b(size, size);
    m.Draw(b.Canvas(), Rect(0, 0, size, size));
    return b;
}

std::vector<uint8_t> Emf(const TEmfWriter& w) {
    return w.Finish(Rect(0, 0, 2540, 2540), Rect(0, 0, 95, 95), 960, 960, 254, 254);
}

// A solid brush of `c` in slot `index`, selected, with no pen.
void SolidBrush(TEmfWriter& w, uint32_t index, uint32_t colour) {
    w.Record32(39, {int32_t(index), 0, int32_t(colour), 0});
    w.SelectObject(index);
    w.SelectObject(NULL_PEN);
}

int Count(const TBitmap& b, TColor c) {
    int n = 0;
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x)
            n += b.Pixel(x, y) == c;
    return n;
}

std::vector<uint8_t> Bytes32(const std::vector<uint32_t>& values) {
    TBytes b;
    for (uint32_t v : values)
        b.U32(v);
    return b.Data;
}

} // namespace

// Shapes mix with what lies under them as the mode says; XOR twice
// restores, NOP leaves; the opaque text background is painted whatever
// the mode.
TEST(MetafileStateRecords, Rop2MixesPensAndBrushes) {
    TEmfWriter w;
    SolidBrush(w, 1, 0xFF0000); // blue
    w.Rectangle(0, 0, 96, 96);
    w.Record32(EMR_SETROP2, {9}); // R2_MASKPEN: blue AND green is black
    SolidBrush(w, 2, 0x00FF00);
    w.Rectangle(10, 10, 30, 30);
    w.Record32(EMR_SETROP2, {6}); // R2_NOT: blue becomes yellow
    w.Rectangle(40, 10, 60, 30);
    w.Record32(EMR_SETROP2, {7}); // R2_XORPEN twice
    SolidBrush(w, 3, 0x123456);
    w.Rectangle(70, 10, 90, 30);
    w.Rectangle(70, 10, 90, 30);
    w.Record32(EMR_SETROP2, {11}); // R2_NOP
    w.Rectangle(10, 40, 30, 60);
    w.SetBkColor(clWhite);
    const TRect box = Rect(40, 70, 60, 90);
    w.ExtTextOutW(40, 70, "", ETO_OPAQUE, &box);
    const TBitmap b = Play(Emf(w));
    EXPECT_EQ(b.Pixel(20, 20), clBlack);
    EXPECT_EQ(b.Pixel(50, 20), RGB(255, 255, 0));
    EXPECT_EQ(b.Pixel(80, 20), RGB(0, 0, 255));
    EXPECT_EQ(b.Pixel(20, 50), RGB(0, 0, 255));
    EXPECT_EQ(b.Pixel(50, 80), clWhite);
    EXPECT_EQ(Count(b, clBlack), 19 * 19); // without a pen, the last row and column stay

    // WMF's record says the same.
    TWmfWriter m;
    m.SetWindowExt(96, 96);
    m.CreatePen(PS_NULL, 0, 0);
    m.SelectObject(0);
    m.CreateBrush(BS_SOLID, RGB(0, 0, 255));
    m.SelectObject(1);
    m.Rectangle(0, 0, 97, 97);
    m.Record(0x0104, {6}); // META_SETROP2, R2_NOT
    m.Rectangle(10, 10, 31, 31);
    EXPECT_EQ(Play(m.Finish()).Pixel(20, 20), RGB(255, 255, 0));
}

// Four columns white, black, white, black shrunk to two: BLACKONWHITE
// ANDs them (black), WHITEONBLACK ORs them (white), HALFTONE averages them
// (grey), COLORONCOLOR keeps one; enlarged, every mode keeps each pixel.
TEST(MetafileStateRecords, StretchModesCombineTheDroppedPixels) {
    const std::vector<uint8_t> dib = DibOf(
        MakeBmp(4, 1, 24, {}, [](int32_t x, int32_t) { return x % 2 ? 0x000000u : 0xFFFFFFu; }));
    const struct {
        int32_t Mode;
        TColor Shrunk;
    } cases[] = {{1, clBlack}, {2, clWhite}, {4, RGB(128, 128, 128)}, {3, clBlack}};
    for (const auto& c : cases) {
        TEmfWriter w;
        w.Record32(EMR_SETSTRETCHBLTMODE, {c.Mode});
        w.StretchDibits(10, 10, 2, 1, dib, 4, 1, SRCCOPY);
        w.StretchDibits(10, 20, 8, 1, dib, 4, 1, SRCCOPY);
        const TBitmap b = Play(Emf(w));
        EXPECT_EQ(b.Pixel(10, 10), c.Shrunk) << c.Mode;
        EXPECT_EQ(b.Pixel(11, 10), c.Shrunk) << c.Mode;
        for (int32_t x = 0; x < 8; ++x)
            EXPECT_EQ(b.Pixel(10 + x, 20), (x / 2) % 2 ? clBlack : clWhite) << c.Mode << " " << x;
    }
}

// A sharp corner of a wide mitered pen reaches far out at the default
// limit of 10 and is bevelled under a limit of 1, written as a whole
// number (as the format has it) or as a float (as some writers do).
TEST(MetafileStateRecords, TheMiterLimitBevelsSharpCorners) {
    auto corner = [](const std::vector<uint8_t>* limit) {
        TEmfWriter w;
        w.ExtCreatePen(1, PS_GEOMETRIC | PS_JOIN_MITER, 10, clBlack);
        w.SelectObject(1);
        if (limit)
            w.Record(EMR_SETMITERLIMIT, *limit);
        w.Poly(EMR_POLYLINE, {{10, 80}, {48, 20}, {86, 80}});
        return Play(Emf(w));
    };
    float one = 1;
    std::vector<uint8_t> asFloat(4);
    std::memcpy(asFloat.data(), &one, 4);
    const std::vector<uint8_t> asWord = Bytes32({1});
    const TBitmap mitered = corner(nullptr), word = corner(&asWord), real = corner(&asFloat);
    // The tip of the miter lies above the corner's pen edge.
    EXPECT_EQ(mitered.Pixel(48, 12), clBlack);
    EXPECT_EQ(word.Pixel(48, 12), clWhite);
    EXPECT_EQ(PixelsOf(real), PixelsOf(word));
    EXPECT_GT(Count(mitered, clBlack), Count(word, clBlack));
}

// A vertical hatch lies on columns 4 of every 8 from the target's left;
// the brush origin moves it.
TEST(MetafileStateRecords, TheBrushOriginShiftsHatches) {
    for (int32_t origin : {0, 2}) {
        TEmfWriter w;
        w.Record32(EMR_SETBRUSHORGEX, {origin, 0});
        w.CreateBrush(1, BS_HATCHED, clRed, HS_VERTICAL);
        w.SelectObject(1);
        w.SelectObject(NULL_PEN);
        w.SetBkMode(TRANSPARENT);
        w.Rectangle(0, 0, 40, 40);
        const TBitmap b = Play(Emf(w));
        for (int32_t x = 0; x < 16; ++x)
            EXPECT_EQ(b.Pixel(x, 5) == clRed, (x - origin + 8) % 8 == 4) << origin << " " << x;
    }
}

// The clip at SETMETARGN bounds all later clipping: neither a wider
// rectangle nor resetting the clip region reaches beyond it.
TEST(MetafileStateRecords, TheMetaRegionBoundsLaterClipping) {
    TEmfWriter w;
    w.IntersectClipRect(10, 10, 30, 30);
    w.Record32(EMR_SETMETARGN, {});
    w.IntersectClipRect(0, 0, 60, 60);
    SolidBrush(w, 1, 0x0000FF);
    w.Rectangle(0, 0, 96, 96);
    w.Record32(EMR_EXTSELECTCLIPRGN, {0, 5}); // no region, RGN_COPY: reset
    SolidBrush(w, 2, 0x00FF00);
    w.Rectangle(20, 0, 96, 96);
    const TBitmap b = Play(Emf(w));
    EXPECT_EQ(Count(b, clRed) + Count(b, clLime), 400);
    EXPECT_EQ(Count(b, clLime), 200);
    EXPECT_EQ(b.Pixel(35, 35), clWhite);
}

// Palette indices name the selected palette's colours (the default
// palette's 20 before one is selected); changed entries show in what is
// created after; DIBs with palette-index colour tables take them too.
TEST(MetafileStateRecords, PalettesGiveIndexedColours) {
    TEmfWriter w;
    SolidBrush(w, 1, PALETTEINDEX | 13); // the default palette's red
    w.Rectangle(0, 0, 10, 10);
    // A palette of red, green, blue in slot 2.
    TBytes pal;
    pal.U32(2);
    pal.U16(0x0300);
    pal.U16(3);
    for (uint32_t c : {0x000000FFu, 0x0000FF00u, 0x00FF0000u})
        pal.U32(c); // red, green, blue, flags (bytes in that order)
    w.Record(EMR_CREATEPALETTE, pal.Data);
    w.Record32(EMR_SELECTPALETTE, {2});
    SolidBrush(w, 3, PALETTEINDEX | 1);
    w.Rectangle(10, 0, 20, 10);
    w.Record(EMR_SETPALETTEENTRIES, Bytes32({2, 1, 1, 0x0000FFFF})); // entry 1: yellow
    SolidBrush(w, 4, PALETTEINDEX | 1);
    w.Rectangle(20, 0, 30, 10);
    SolidBrush(w, 5, PALETTEINDEX | 9); // beyond the palette: its first entry
    w.Rectangle(30, 0, 40, 10);
    // A 2 x 1 8-bit DIB whose table holds palette indices 2 and 0.
    TBytes bmi;
    InfoHeader(bmi, 2, 1, 8, 0, 2);
    bmi.U16(2);
    bmi.U16(0);
    const std::vector<uint8_t> bits = {0, 1, 0, 0};
    TBytes r;
    for (int i = 0; i < 4; ++i)
        r.U32(0);
    for (int32_t v : {0, 20, 0, 0, 2, 1})
        r.U32(uint32_t(v));
    r.U32(80);
    r.U32(uint32_t(bmi.Data.size()));
    r.U32(uint32_t(80 + bmi.Data.size()));
    r.U32(uint32_t(bits.size()));
    r.U32(1); // DIB_PAL_COLORS
    r.U32(SRCCOPY);
    r.U32(20);
    r.U32(10);
    r.Raw(bmi.Data);
    r.Raw(bits);
    w.Record(EMR_STRETCHDIBITS, r.Data);
    const TBitmap b = Play(Emf(w));
    EXPECT_EQ(b.Pixel(5, 5), clRed);
    EXPECT_EQ(b.Pixel(15, 5), clLime);
    EXPECT_EQ(b.Pixel(25, 5), clYellow);
    EXPECT_EQ(b.Pixel(35, 5), clRed);
    EXPECT_EQ(b.Pixel(5, 25), clBlue);
    EXPECT_EQ(b.Pixel(15, 25), clRed);
}

// LAYOUT_RTL mirrors the picture in its rectangle.
TEST(MetafileStateRecords, TheRightToLeftLayoutMirrorsThePicture) {
    TEmfWriter w;
    w.Record32(EMR_SETLAYOUT, {1});
    SolidBrush(w, 1, 0x0000FF);
    w.Rectangle(0, 0, 10, 10);
    const TBitmap b = Play(Emf(w));
    EXPECT_EQ(b.Pixel(90, 5), clRed);
    EXPECT_EQ(b.Pixel(5, 5), clWhite);
    EXPECT_EQ(Count(b, clRed), 9 * 9);
}

// Comments (EMF+ records among them), colour matching and WMF escapes
// draw nothing.
TEST(MetafileStateRecords, CommentsAndEscapesDrawNothing) {
    auto emf = [](bool extras) {
        TEmfWriter w;
        if (extras) {
            TBytes c;
            c.U32(16);
            c.Raw({'E', 'M', 'F', '+'});
            c.Raw(std::vector<uint8_t>(12, 0xAB));
            w.Record(EMR_GDICOMMENT, c.Data);
            w.Record32(EMR_SETICMMODE, {1});
        }
        SolidBrush(w, 1, 0x00FF00);
        w.Ellipse(10, 10, 80, 60);
        return Play(Emf(w));
    };
    EXPECT_EQ(PixelsOf(emf(true)), PixelsOf(emf(false)));
    auto wmf = [](bool extras) {
        TWmfWriter m;
        m.SetWindowExt(96, 96);
        if (extras) {
            m.Record(0x0626, {15, 4, 'h' | 'i' << 8, '!' | '!' << 8}); // MFCOMMENT
            m.Record(0x0626, {21, 4, 2, 0});                           // SETLINECAP
        }
        m.CreateBrush(BS_SOLID, clLime);
        m.SelectObject(0);
        m.Ellipse(10, 10, 80, 60);
        return Play(m.Finish());
    };
    EXPECT_EQ(PixelsOf(wmf(true)), PixelsOf(wmf(false)));
}

// A WMF made from an EMF carries it in comment pieces and a checksum that
// makes its words add up to 0: it draws as the EMF. Changed since (the
// sum is off) or with a piece missing, it draws its own records.
TEST(MetafileStateRecords, AWmfCarryingItsEmfDrawsTheEmf) {
    // The WMF header, and the records before the pieces: window extent (5
    // words), pen (8), select (4), brush (7), select (4), rectangle (7).
    constexpr size_t kHeader = 18, kRecordsBefore = 2 * (5 + 8 + 4 + 7 + 4 + 7);
    TEmfWriter e;
    SolidBrush(e, 1, 0x0000FF);
    e.Rectangle(0, 0, 2540, 2540);
    const std::vector<uint8_t> emf =
        e.Finish(Rect(0, 0, 2540, 2540), Rect(0, 0, 95, 95), 960, 960, 254, 254);
    auto build = [&](bool allPieces) {
        TWmfWriter m;
        m.SetWindowExt(96, 96);
        m.CreatePen(PS_NULL, 0, 0);
        m.SelectObject(0);
        m.CreateBrush(BS_SOLID, clBlue);
        m.SelectObject(1);
        m.Rectangle(0, 0, 97, 97);
        const size_t half = (emf.size() / 2) & ~size_t(1);
        for (int piece = 0; piece < (allPieces ? 2 : 1); ++piece) {
            const size_t from = piece == 0 ? 0 : half, to = piece == 0 ? half : emf.size();
            TBytes p;
            p.U16(15);
            p.U16(uint32_t(34 + to - from));
            p.Raw({'W', 'M', 'F', 'C'});
            p.U32(1);
            p.U32(0x00010000);
            p.U16(0); // checksum, filled in below
            p.U32(0);
            p.U32(2);
            p.U32(uint32_t(to - from));
            p.U32(uint32_t(emf.size() - to));
            p.U32(uint32_t(emf.size()));
            p.Raw(std::vector<uint8_t>(emf.begin() + ptrdiff_t(from), emf.begin() + ptrdiff_t(to)));
            std::vector<uint16_t> words;
            for (size_t i = 0; i < p.Data.size(); i += 2)
                words.push_back(uint16_t(p.Data[i] | p.Data[i + 1] << 8));
            m.Record(0x0626, words);
        }
        std::vector<uint8_t> file = m.Finish();
        // The first piece's checksum: the words' sum made 0. It follows the
        // header, the records before the pieces and the escape's first 16
        // bytes.
        const size_t checksum = kHeader + kRecordsBefore + 6 + 16;
        uint16_t sum = 0;
        for (size_t i = 0; i + 1 < file.size(); i += 2)
            sum = uint16_t(sum + (file[i] | file[i + 1] << 8));
        const uint16_t value = uint16_t(0x10000 - sum);
        file[checksum] = uint8_t(value), file[checksum + 1] = uint8_t(value >> 8);
        return file;
    };
    EXPECT_EQ(Count(Play(build(true)), clRed), 96 * 96);
    EXPECT_EQ(Count(Play(build(false)), clBlue), 96 * 96);
    std::vector<uint8_t> changed = build(true);
    changed[kHeader + kRecordsBefore - 2] ^= 1; // the rectangle's left edge
    EXPECT_EQ(Count(Play(changed), clRed), 0);
}
