#include "support/MetafileLogos.h"

#include <cmath>
#include <numbers>
#include <string>

#include "support/MetafileWriter.h"

namespace gfxtest {

using namespace gdi;

namespace {

TWmfWriter WmfLogo() {
    TWmfWriter w;
    w.SetMapMode(MM_ANISOTROPIC);
    w.SetWindowOrg(0, 0);
    w.SetWindowExt(1000, 1000);
    w.CreatePen(PS_NULL, 0, 0); // object 0
    w.SelectObject(0);
    // Sky: bands from deep to pale blue.
    for (int i = 0; i < 16; ++i) {
        w.CreateBrush(BS_SOLID, RGB(uint8_t(40 + i * 10), uint8_t(90 + i * 8), 230));
        w.SelectObject(1);
        w.Rectangle(0, int16_t(i * 40), 1001, int16_t(i * 40 + 60)); // overlapping: no seams
        w.DeleteObject(1);
    }
    // Sun with a thick orange rim and twelve rays.
    w.CreatePen(PS_SOLID, 16, RGB(255, 140, 0)); // 1
    w.CreateBrush(BS_SOLID, RGB(255, 220, 40));  // 2
    w.SelectObject(1);
    w.SelectObject(2);
    w.Ellipse(380, 120, 620, 360);
    w.SelectObject(0);
    for (int i = 0; i < 12; ++i) {
        const double a = i * std::numbers::pi / 6, b = a + 0.12, c = a - 0.12;
        auto at = [](double angle, double r) {
            return TPoint{int32_t(500 + r * std::cos(angle)), int32_t(240 - r * std::sin(angle))};
        };
        w.Polygon({at(c, 140), at(a, 210), at(b, 140)});
    }
    w.DeleteObject(1);
    w.DeleteObject(2);
    // Clouds.
    w.CreateBrush(BS_SOLID, clWhite); // 1
    w.SelectObject(1);
    for (int i = 0; i < 4; ++i) {
        w.Ellipse(int16_t(60 + i * 50), 160, int16_t(160 + i * 50), 230);
        w.Ellipse(int16_t(700 + i * 40), int16_t(90 - (i % 2) * 20), int16_t(800 + i * 40), 150);
    }
    w.DeleteObject(1);
    // Hills: chords of green, light to dark, and a hatched field.
    const TColor hills[3] = {RGB(120, 200, 80), RGB(70, 170, 60), RGB(30, 130, 40)};
    for (int i = 0; i < 3; ++i) {
        w.CreateBrush(BS_SOLID, hills[i]);
        w.SelectObject(1);
        w.ArcRecord(0x0830, int16_t(-300 + i * 350), int16_t(560 + i * 60), int16_t(700 + i * 350),
                    int16_t(1300 + i * 60), int16_t(700 + i * 350), int16_t(930 + i * 60),
                    int16_t(-300 + i * 350), int16_t(930 + i * 60));
        w.DeleteObject(1);
    }
    w.CreateBrush(BS_HATCHED, RGB(200, 160, 40), HS_DIAGCROSS); // 1
    w.SelectObject(1);
    w.SetBkMode(TRANSPARENT);
    w.Polygon({{0, 900}, {300, 820}, {560, 1000}, {0, 1000}});
    w.DeleteObject(1);
    // A house: walls, roof, door, windows.
    w.CreatePen(PS_SOLID, 6, RGB(90, 40, 20)); // 1
    w.SelectObject(1);
    w.CreateBrush(BS_SOLID, RGB(240, 230, 200)); // 2
    w.SelectObject(2);
    w.Rectangle(620, 600, 860, 800);
    w.CreateBrush(BS_SOLID, RGB(190, 40, 30)); // 3
    w.SelectObject(3);
    w.Polygon({{600, 610}, {740, 480}, {880, 610}});
    w.CreateBrush(BS_SOLID, RGB(120, 70, 30)); // 4
    w.SelectObject(4);
    w.RoundRect(710, 680, 770, 800, 30, 30);
    w.CreateBrush(BS_HATCHED, RGB(40, 60, 140), HS_CROSS); // 5
    w.SelectObject(5);
    w.SetBkMode(OPAQUE);
    w.SetBkColor(RGB(200, 230, 255));
    w.Rectangle(640, 630, 695, 680);
    w.Rectangle(785, 630, 840, 680);
    for (uint16_t k = 2; k <= 5; ++k)
        w.DeleteObject(k);
    // A tree: trunk and a crown of overlapping circles.
    w.CreateBrush(BS_SOLID, RGB(110, 70, 30)); // 2
    w.SelectObject(2);
    w.Rectangle(190, 640, 230, 820);
    w.CreateBrush(BS_SOLID, RGB(40, 120, 50)); // 3
    w.SelectObject(0);
    w.SelectObject(3);
    for (int i = 0; i < 5; ++i)
        w.Ellipse(int16_t(120 + (i % 3) * 50), int16_t(520 + (i / 3) * 60),
                  int16_t(220 + (i % 3) * 50), int16_t(620 + (i / 3) * 60));
    w.DeleteObject(2);
    w.DeleteObject(3);
    // Birds: arcs with a dark pen.
    w.CreatePen(PS_SOLID, 5, RGB(30, 30, 40)); // 2
    w.SelectObject(2);
    for (int i = 0; i < 4; ++i) {
        const int16_t x = int16_t(250 + i * 90), y = int16_t(380 + (i % 2) * 40);
        w.ArcRecord(0x0817, x, y, int16_t(x + 40), int16_t(y + 30), int16_t(x + 40),
                    int16_t(y + 15), x, int16_t(y + 15));
        w.ArcRecord(0x0817, int16_t(x + 40), y, int16_t(x + 80), int16_t(y + 30), int16_t(x + 80),
                    int16_t(y + 15), int16_t(x + 40), int16_t(y + 15));
    }
    // Grass blades along the bottom, clipped to the picture's lower part.
    w.SaveDC();
    w.IntersectClipRect(0, 880, 1000, 1000);
    w.CreatePen(PS_SOLID, 0, RGB(20, 90, 20)); // 3
    w.SelectObject(3);
    for (int i = 0; i < 24; ++i) {
        w.MoveTo(int16_t(560 + i * 18), 1000);
        w.LineTo(int16_t(566 + i * 18), int16_t(900 + (i * 37) % 60));
    }
    w.RestoreDC(-1);
    // The caption.
    w.CreateFont(-90, 700, false, "DejaVu Sans"); // 4
    w.SelectObject(4);
    w.SetTextColor(clWhite);
    w.SetBkMode(TRANSPARENT);
    w.SetTextAlign(6 | 24);
    w.TextOut(500, 990, "SAVER");
    w.SetTextColor(RGB(255, 255, 160));
    w.TextOut(496, 986, "SAVER");
    w.DeleteObject(4);
    // A frame round it all.
    w.CreatePen(PS_INSIDEFRAME, 24, RGB(20, 40, 120)); // 4
    w.SelectObject(4);
    w.CreateBrush(BS_NULL, 0); // 5
    w.SelectObject(5);
    w.RoundRect(0, 0, 1000, 1000, 160, 160);
    return w;
}

TEmfWriter EmfLogo() {
    TEmfWriter w;
    w.SetMapMode(MM_ANISOTROPIC);
    w.SetWindowExt(1000, 1000);
    w.SetViewportExt(113, 113); // 30 mm at 96 per inch
    w.SelectObject(NULL_PEN);
    // A round badge in rings of colour.
    for (int i = 0; i < 12; ++i) {
        w.CreateBrush(1, BS_SOLID,
                      RGB(uint8_t(20 + i * 12), uint8_t(30 + i * 8), uint8_t(120 + i * 10)));
        w.SelectObject(1);
        w.Ellipse(i * 25, i * 25, 1000 - i * 25, 1000 - i * 25);
        w.DeleteObject(1);
    }
    // Rays, each a thin polygon turned by a world transform about the centre.
    w.CreateBrush(2, BS_SOLID, RGB(255, 210, 60));
    w.SelectObject(2);
    w.SetMapMode(MM_TEXT); // the world transform works in reference pixels
    for (int i = 0; i < 16; ++i) {
        const double a = i * std::numbers::pi / 8;
        const float c = float(std::cos(a)), s = float(std::sin(a));
        w.SaveDC();
        w.SetWorldTransform(c * 0.113f, s * 0.113f, -s * 0.113f, c * 0.113f, 56.5f, 56.5f);
        w.Poly(86, {{160, -12}, {420, 0}, {160, 12}});
        w.RestoreDC(-1);
    }
    w.SetMapMode(MM_ANISOTROPIC);
    w.SetWindowExt(1000, 1000);
    w.SetViewportExt(113, 113);
    // A heart as a path of Bézier curves, filled and outlined.
    w.CreateBrush(3, BS_SOLID, RGB(220, 30, 60));
    w.ExtCreatePen(4, PS_GEOMETRIC | PS_JOIN_MITER, 14, RGB(120, 0, 20));
    w.SelectObject(3);
    w.SelectObject(4);
    w.BeginPath();
    w.MoveTo(500, 420);
    w.Poly(5, {{500, 300}, {320, 260}, {320, 420}, {320, 540}, {460, 600}, {500, 700}});
    w.Poly(5, {{540, 600}, {680, 540}, {680, 420}, {680, 260}, {500, 300}, {500, 420}});
    w.CloseFigure();
    w.EndPath();
    w.StrokeAndFillPath();
    // Orbiting dots.
    w.SelectObject(NULL_PEN);
    for (int i = 0; i < 24; ++i) {
        const double a = i * std::numbers::pi / 12;
        const int32_t x = int32_t(500 + 330 * std::cos(a)), y = int32_t(500 - 330 * std::sin(a));
        w.CreateBrush(5, BS_SOLID, i % 2 ? clWhite : RGB(255, 240, 150));
        w.SelectObject(5);
        w.Ellipse(x - 18, y - 18, x + 18, y + 18);
        w.DeleteObject(5);
    }
    // A small bitmap emblem, stretched.
    const std::vector<uint8_t> dib = [] {
        TBytes b; // a 40-byte info header: 4 x 4, 24 bits, uncompressed
        for (uint32_t v : {40u, 4u, 4u})
            b.U32(v);
        b.U16(1);
        b.U16(24);
        for (int i = 0; i < 6; ++i)
            b.U32(0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                const bool on = (x + y) % 2 == 0;
                b.U8(on ? 255 : 40);
                b.U8(on ? 255 : 40);
                b.U8(on ? 255 : 40);
            }
        return b.Data;
    }();
    w.StretchDibits(440, 760, 120, 120, dib, 4, 4, 0x00CC0020); // SRCCOPY
    // Lettering.
    w.CreateFont(6, -110, 700, false, "DejaVu Sans");
    w.SelectObject(6);
    w.SetBkMode(TRANSPARENT);
    w.SetTextColor(clWhite);
    w.SetTextAlign(6);
    w.ExtTextOutW(500, 120, "EMF");
    // Outer ring.
    w.ExtCreatePen(7, PS_GEOMETRIC, 20, RGB(250, 250, 250));
    w.SelectObject(7);
    w.SelectObject(NULL_BRUSH);
    w.Ellipse(10, 10, 990, 990);
    // Spokes with a dashed cosmetic pen.
    w.CreatePen(8, PS_DASH, 0, RGB(255, 255, 255));
    w.SelectObject(8);
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4 + 0.2;
        w.MoveTo(int32_t(500 + 250 * std::cos(a)), int32_t(500 - 250 * std::sin(a)));
        w.LineTo(int32_t(500 + 300 * std::cos(a)), int32_t(500 - 300 * std::sin(a)));
    }
    return w;
}

} // namespace

std::vector<uint8_t> LogoWmf(bool placeable) {
    return WmfLogo().Finish(placeable, Rect(0, 0, 1000, 1000), 1000);
}

std::vector<uint8_t> LogoEmf() {
    return EmfLogo().Finish(Rect(0, 0, 3000, 3000), Rect(0, 0, 112, 112), 960, 960, 254, 254);
}

size_t LogoWmfRecords() {
    return WmfLogo().RecordCount() + 1;
}

size_t LogoEmfRecords() {
    return EmfLogo().RecordCount() + 2; // header and end of file
}

namespace {

std::vector<uint8_t> SmallDib() {
    TBytes b; // 2 x 2, 24 bits: red, green over blue, white (rows bottom-up)
    for (uint32_t v : {40u, 2u, 2u})
        b.U32(v);
    b.U16(1);
    b.U16(24);
    for (int i = 0; i < 6; ++i)
        b.U32(0);
    for (TColor c : {clBlue, clWhite, clRed, clLime}) {
        b.U8(GetBValue(c));
        b.U8(GetGValue(c));
        b.U8(GetRValue(c));
        if (c == clWhite || c == clLime)
            b.U16(0); // row padding
    }
    return b.Data;
}

std::vector<uint8_t> WmfShapes() {
    TWmfWriter w;
    w.SetWindowOrg(0, 0);
    w.SetWindowExt(200, 200);
    w.CreateBrush(BS_SOLID, clRed);                 // 0
    w.CreatePen(PS_DASH, 0, clBlue);                // 1
    w.CreateBrush(BS_HATCHED, clNavy, HS_VERTICAL); // 2
    w.CreatePatternBrush(SmallDib());               // 3
    w.CreateFont(-20, 400, true, "Tahoma", 300);    // 4
    w.CreateRegion({Rect(10, 10, 190, 190)});       // 5
    w.SelectObject(0);
    w.SelectObject(1);
    w.SelectClipRegion(5);
    w.SaveDC();
    w.Rectangle(5, 5, 60, 40);
    w.RoundRect(70, 5, 130, 40, 20, 10);
    w.Ellipse(140, 5, 195, 40);
    w.SelectObject(2);
    w.ArcRecord(0x0817, 5, 50, 60, 90, 60, 70, 5, 70);
    w.ArcRecord(0x081A, 70, 50, 130, 90, 130, 70, 100, 50);
    w.ArcRecord(0x0830, 140, 50, 195, 90, 195, 70, 140, 70);
    w.RestoreDC(-1);
    w.SelectObject(3);
    w.SetPolyFillMode(WINDING);
    w.Polygon({{5, 100}, {60, 100}, {30, 140}});
    w.PolyPolygon(
        {{{70, 100}, {130, 100}, {130, 140}, {70, 140}}, {{80, 110}, {120, 110}, {100, 130}}});
    w.Polyline({{140, 100}, {195, 140}, {140, 140}});
    w.ExcludeClipRect(0, 0, 200, 8);
    w.IntersectClipRect(0, 0, 200, 199);
    w.PatBlt(0, 150, 20, 20, 0x005A0049);
    w.StretchDib(30, 150, 40, 40, SmallDib(), 2, 2, 0x00CC0020);
    w.SelectObject(4);
    w.SetTextColor(clGreen);
    w.SetBkColor(clYellow);
    w.SetBkMode(OPAQUE);
    w.SetTextAlign(1);
    w.MoveTo(80, 160);
    w.TextOut(0, 0, "Logo");
    const TRect r = Rect(130, 150, 195, 195);
    const std::vector<int16_t> dx = {12, 12, 12};
    w.ExtTextOut(130, 160, 6, &r, "Ink", &dx);
    w.SetPixel(199, 199, clBlack);
    w.MoveTo(0, 199);
    w.LineTo(199, 0);
    w.FillRegion(5, 2);
    w.DeleteObject(3);
    return w.Finish(true, Rect(0, 0, 200, 200), 200);
}

std::vector<uint8_t> EmfShapes() {
    TEmfWriter w;
    w.SetMapMode(MM_ANISOTROPIC);
    w.SetWindowExt(200, 200);
    w.SetViewportExt(96, 96);
    w.CreateBrush(1, BS_SOLID, clRed);
    w.CreatePen(2, PS_DOT, 0, clBlue);
    w.ExtCreatePen(3, PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER, 6, clGreen);
    w.CreateBrush(4, BS_HATCHED, clNavy, HS_DIAGCROSS);
    w.CreateFont(5, -18, 700, false, "Tahoma");
    w.SelectObject(1);
    w.SelectObject(2);
    w.SaveDC();
    w.IntersectClipRect(0, 0, 200, 195);
    w.Rectangle(5, 5, 60, 40);
    w.RoundRect(70, 5, 130, 40, 20, 10);
    w.Ellipse(140, 5, 195, 40);
    w.SelectObject(4);
    w.ArcRecord(45, 5, 50, 60, 90, 60, 70, 5, 70);
    w.ArcRecord(47, 70, 50, 130, 90, 130, 70, 100, 50);
    w.ArcRecord(46, 140, 50, 195, 90, 195, 70, 140, 70);
    w.RestoreDC(-1);
    w.SelectObject(3);
    w.SetPolyFillMode(WINDING);
    w.Poly(3, {{5, 100}, {60, 100}, {30, 140}});
    w.Poly(87, {{140, 100}, {195, 140}, {140, 140}});
    w.PolyPolygon(
        {{{70, 100}, {130, 100}, {130, 140}, {70, 140}}, {{80, 110}, {120, 110}, {100, 130}}},
        true);
    w.Poly(2, {{5, 150}, {20, 130}, {40, 190}, {60, 150}});
    w.SaveDC();
    w.SetWorldTransform(0.7f, 0.7f, -0.7f, 0.7f, 100, 100);
    w.Ellipse(-20, -10, 20, 10);
    w.RestoreDC(-1);
    w.BeginPath();
    w.MoveTo(150, 150);
    w.LineTo(190, 150);
    w.Poly(5, {{195, 170}, {170, 195}, {150, 180}});
    w.CloseFigure();
    w.EndPath();
    w.StrokeAndFillPath();
    w.StretchDibits(70, 150, 30, 30, SmallDib(), 2, 2, 0x00CC0020);
    w.SelectObject(5);
    w.SetTextColor(clPurple);
    w.SetBkMode(TRANSPARENT);
    w.SetTextAlign(24);
    w.ExtTextOutW(100, 198, "Ok\xE9");
    w.Record32(75, {0, 5}); // clip reset
    w.SelectObject(gdi::BLACK_PEN);
    w.SelectObject(gdi::NULL_BRUSH);
    w.MoveTo(0, 199);
    w.LineTo(199, 0);
    w.DeleteObject(3);
    return w.Finish(Rect(0, 0, 2540, 2540), Rect(0, 0, 95, 95), 960, 960, 254, 254);
}

} // namespace

namespace {

// One inch is 2540 in a frame, 96 pixels on the reference devices here.
int32_t Frame(int32_t pixels) {
    return int32_t(std::lround(pixels * 2540.0 / 96));
}

std::vector<uint8_t> Bytes32(std::initializer_list<uint32_t> values) {
    TBytes b;
    for (uint32_t v : values)
        b.U32(v);
    return b.Data;
}

} // namespace

std::vector<uint8_t> ChartEmf() {
    constexpr uint32_t PALETTEINDEX = 0x01000000;
    TEmfWriter w;
    // Logical units 1200 x 1000 with y running up onto 300 x 250 pixels.
    w.SetMapMode(MM_ANISOTROPIC);
    w.SetWindowOrg(0, 1000);
    w.SetWindowExt(1200, -1000);
    w.SetViewportExt(300, 250);
    TBytes comment;
    comment.U32(6);
    comment.Raw({'c', 'h', 'a', 'r', 't', 0});
    w.Record(70, comment.Data); // a comment, as chart programs leave them
    w.IntersectClipRect(0, 0, 1200, 1000);
    w.Record32(28, {});   // the meta region: nothing beyond the picture
    w.Record32(20, {13}); // pens and brushes paint (R2_COPYPEN)
    w.SelectObject(NULL_PEN);
    w.CreateBrush(1, BS_SOLID, RGB(250, 250, 244));
    w.SelectObject(1);
    w.Rectangle(0, 0, 1201, 1001);
    // A palette for the bars, whose brushes name its entries.
    const TColor bars[6] = {RGB(70, 110, 190), RGB(90, 160, 90),  RGB(230, 160, 40),
                            RGB(200, 70, 60),  RGB(140, 90, 170), RGB(40, 160, 170)};
    TBytes palette;
    palette.U32(2);
    palette.U16(0x0300);
    palette.U16(6);
    for (TColor c : bars)
        palette.U32(c); // red, green, blue, flags
    w.Record(49, palette.Data);
    w.Record32(48, {2});
    // Grid, frame and the y axis's ticks and values.
    w.CreatePen(3, PS_SOLID, 0, RGB(200, 200, 200));
    w.SelectObject(3);
    w.CreateFont(4, -40, 400, false, "Tahoma");
    w.SelectObject(4);
    w.SetBkMode(TRANSPARENT);
    w.SetTextColor(RGB(60, 60, 60));
    w.SetTextAlign(2 | 24); // right, baseline
    for (int v = 0; v <= 40; v += 10) {
        const int32_t y = 200 + v * 15;
        w.MoveTo(200, y);
        w.LineTo(1150, y);
        w.ExtTextOutW(185, y - 14, std::to_string(v));
    }
    w.CreatePen(5, PS_SOLID, 0, RGB(80, 80, 80));
    w.SelectObject(5);
    w.MoveTo(200, 850);
    w.LineTo(200, 200);
    w.LineTo(1150, 200);
    // Bars, and the month under each at 315 degrees: on this page it
    // rises to the right, ending at its tick.
    const int values[6] = {12, 19, 27, 33, 24, 38};
    const char* months[6] = {"January", "February", "March", "April", "May", "June"};
    w.CreateFont(6, -46, 400, false, "Tahoma", 3150);
    for (int i = 0; i < 6; ++i) {
        const int32_t x = 240 + i * 150;
        w.SelectObject(NULL_PEN);
        w.CreateBrush(7, BS_SOLID, PALETTEINDEX | uint32_t(i));
        w.SelectObject(7);
        w.Rectangle(x, 200, x + 100, 200 + values[i] * 15);
        w.DeleteObject(7);
        w.SelectObject(6);
        w.SetTextAlign(2); // right, top
        w.ExtTextOutW(x + 60, 185, months[i]);
    }
    // A trend line with mitered corners.
    w.Record(58, Bytes32({4})); // miter limit
    w.ExtCreatePen(8, PS_GEOMETRIC | PS_JOIN_MITER, 10, RGB(30, 30, 30));
    w.SelectObject(8);
    std::vector<TPoint> trend;
    for (int i = 0; i < 6; ++i)
        trend.push_back({290 + i * 150, 200 + values[i] * 15 + 40});
    w.Poly(4, trend);
    // Titles: the chart's, upright, and the y axis's at 270 degrees, which
    // this page turns to run up its side.
    w.CreateFont(9, -60, 700, false, "Tahoma");
    w.SelectObject(9);
    w.SetTextColor(RGB(20, 20, 20));
    w.SetTextAlign(6 | 24); // centre, baseline
    w.ExtTextOutW(675, 920, "Visitors per month");
    w.CreateFont(10, -44, 400, false, "Tahoma", 2700);
    w.SelectObject(10);
    w.ExtTextOutW(70, 525, "Visitors (thousands)");
    // A badge of fine checks, shrunk to half by averaging them (HALFTONE).
    w.Record32(21, {4});
    TBytes checker; // 48 x 48, 24 bits, rows of 144 bytes
    for (uint32_t v : {40u, 48u, 48u})
        checker.U32(v);
    checker.U16(1);
    checker.U16(24);
    for (int i = 0; i < 6; ++i)
        checker.U32(0);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            const TColor c = (x + y) % 2 ? RGB(160, 80, 32) : clWhite;
            checker.Raw({GetBValue(c), GetGValue(c), GetRValue(c)});
        }
    w.StretchDibits(1080, 990, 96, -96, checker.Data, 48, 48, 0x00CC0020); // SRCCOPY
    return w.Finish(Rect(0, 0, Frame(300), Frame(250)), Rect(0, 0, 299, 249), 960, 960, 254, 254);
}

std::vector<uint8_t> TextRaysWmf() {
    TWmfWriter w;
    w.SetWindowExt(240, 240);
    w.SetBkMode(TRANSPARENT);
    w.SetTextAlign(24); // baseline
    for (int i = 0; i < 12; ++i) {
        const int16_t angle = int16_t(i * 300);
        w.CreateFont(-14, i % 3 == 0 ? 700 : 400, false, "Tahoma", angle);
        w.SelectObject(0);
        w.SetTextColor(
            RGB(uint8_t(40 + i * 15), uint8_t(80 + (i % 4) * 30), uint8_t(200 - i * 12)));
        w.TextOut(120, 120, "        " + std::to_string(i * 30) + "\xB0 rays");
        w.DeleteObject(0);
    }
    w.CreateBrush(BS_SOLID, RGB(230, 60, 40));
    w.SelectObject(0);
    w.Ellipse(112, 112, 129, 129);
    return w.Finish(true, Rect(0, 0, 240, 240), 96);
}

std::vector<uint8_t> SignEmf() {
    TEmfWriter w;
    w.SetTextGraphicsMode(2); // advanced: orientation and world transforms count
    w.CreateBrush(1, BS_SOLID, RGB(30, 90, 60));
    w.SelectObject(1);
    w.SelectObject(NULL_PEN);
    w.RoundRect(0, 0, 120, 240, 24, 24);
    // Upright letters stacked downwards, one a line.
    w.CreateFont(2, -36, 700, false, "Tahoma", 2700, 0);
    w.SelectObject(2);
    w.SetBkMode(TRANSPARENT);
    w.SetTextColor(RGB(250, 240, 200));
    w.SetTextAlign(0); // left, top
    w.ExtTextOutW(22, 12, u"OPEN", 0, nullptr, {40, 40, 40, 40});
    // Along the board's right edge, turned by the world transform.
    w.SetWorldTransform(0, -1, 1, 0, 112, 230); // a quarter counterclockwise
    w.CreateFont(3, -16, 400, true, "Tahoma");
    w.SelectObject(3);
    w.SetTextColor(RGB(250, 210, 90));
    w.SetTextAlign(24);
    w.ExtTextOutW(0, 0, "Bakery since 1926");
    return w.Finish(Rect(0, 0, Frame(120), Frame(240)), Rect(0, 0, 119, 239), 960, 960, 254, 254);
}

std::vector<TSeed> MetafileSeeds(bool emf) {
    if (emf)
        return {{"logo.emf", LogoEmf()},
                {"shapes.emf", EmfShapes()},
                {"chart.emf", ChartEmf()},
                {"sign.emf", SignEmf()}};
    return {{"logo-plain.wmf", LogoWmf(false)},
            {"logo-placeable.wmf", LogoWmf(true)},
            {"shapes.wmf", WmfShapes()},
            {"rays.wmf", TextRaysWmf()}};
}

} // namespace gfxtest
