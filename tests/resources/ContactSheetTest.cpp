// Renders every built-in skin bitmap of every look into one picture for
// people to judge (build/artifacts/skin-contact-sheet.png): a mock window per
// look put together from its pieces at 1:1 and 2x, then every resource at 2x
// with a 1:1 copy beside it, labelled with its name and size. Key-coloured
// pixels are left out so that the neutral background shows through.
//
// Every picture comes through the lookups the controls use: theme items
// through GetThemeBitmap (cut into frames by it where a control cuts them),
// the extra resources through LoadSkinBitmap.

#include "SheetCanvas.h"
#include "SkinTable.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/SUIPublic.h"
#include "skin/SUIThemes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace {

constexpr uint32_t Background = 0xA4A4A4;
constexpr uint32_t Ink = 0x1A1A1A;
constexpr int SheetWidth = 1500;

uint32_t Rgb(TColor c) {
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

TRgbImage FromBitmap(const TBitmap& b) {
    TRgbImage image{b.Width(), b.Height(), std::vector<uint32_t>(size_t(b.Width()) * b.Height())};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            image.Pixels[size_t(y) * b.Width() + x] = Rgb(b.Pixel(x, y));
    return image;
}

// The whole picture of a bitmap item.
TRgbImage Item(TsuiUIStyle s, int item) {
    TBitmap b;
    GetThemeBitmap(s, item, &b);
    return FromBitmap(b);
}

// Frame n (1-based) of k of a bitmap item, as the reading control cuts it.
TRgbImage ItemFrame(TsuiUIStyle s, int item, int k, int n) {
    TBitmap b;
    GetThemeBitmap(s, item, &b, k, n);
    return FromBitmap(b);
}

TRgbImage Extra(const std::string& name) {
    TBitmap b;
    LoadSkinBitmap(name, b);
    return FromBitmap(b);
}

TRgbImage RotateLeft(const TRgbImage& s) {
    TRgbImage r{s.Height, s.Width, std::vector<uint32_t>(s.Pixels.size())};
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x)
            r.Pixels[size_t(s.Width - 1 - x) * r.Width + y] = s.At(x, y);
    return r;
}

// A push-button face spread over w x h the way buttons do it, through
// DrawNineSlice: onto fuchsia, which the sheet then leaves out.
TRgbImage ButtonFace(TsuiUIStyle s, int frame, int w, int h) {
    TBitmap face;
    GetThemeBitmap(s, 1, &face, 3, frame);
    TBitmap target(w, h);
    target.Canvas().Brush().SetColor(clFuchsia);
    target.Canvas().FillRect(Rect(0, 0, w, h));
    DrawNineSlice(face, target.Canvas(), Rect(0, 0, w, h), GetThemeBool(s, 2));
    return FromBitmap(target);
}

void Caption(TSheetCanvas& c, int x, int y, int w, int h, const std::string& text,
             uint32_t colour) {
    c.Text(x + (w - TSheetCanvas::TextWidth(text)) / 2, y + (h - 7) / 2, text, colour);
}

// A window of the look, 470 x 190, drawn into its own canvas.
TSheetCanvas MockWindow(TsuiUIStyle s, const std::string& prefix) {
    const int W = 470, H = 190;
    TSheetCanvas c(W, H, Rgb(GetThemeColor(s, 15)));
    if (s == TsuiUIStyle::MacOS || s == TsuiUIStyle::Protein) {
        const TRgbImage tile = Extra(prefix + "_FORM_BACKGROUND");
        for (int y = 0; y < H; y += 8)
            for (int x = 0; x < W; x += 8)
                c.Blit(tile, x, y, 1, false);
    }
    // Title bar: left, stretched middle, right; images start at the window's
    // corner because the frame continues them.
    const TRgbImage left = Item(s, 10);
    const TRgbImage client = Item(s, 11);
    const TRgbImage right = Item(s, 12);
    c.Blit(left, 0, 0, 1, false);
    c.Stretch(client, 0, 0, client.Width, client.Height, left.Width, 0,
              W - left.Width - right.Width, client.Height, false);
    c.Blit(right, W - right.Width, 0, 1, false);
    const int bw = ItemFrame(s, 5, 18, 1).Width, top = GetThemeInt(s, 9);
    const bool keyed = GetThemeBool(s, 6);
    int x = (W - 6) + GetThemeInt(s, 8) + 1;
    for (int frame : {16, 7, 13}) { // close, maximise, minimise: normal looks
        x -= bw + 1;
        c.Blit(ItemFrame(s, 5, 18, frame), 3 + x, top, 1, keyed);
    }
    const int controlBox = 3 + GetThemeInt(s, 7);
    c.Blit(ItemFrame(s, 5, 18, 1), controlBox, top, 1, keyed);
    c.Text(controlBox + bw + 5, top + (bw - 7) / 2, "SCREENSAVER INSTALLAR",
           s == TsuiUIStyle::MacOS ? 0x000000 : 0xFFFFFF);
    // Frame strips.
    const int bwid = GetThemeInt(s, 17);
    const uint32_t border = Rgb(GetThemeColor(s, 16));
    c.FillRect(0, 0, bwid, H, border);
    c.FillRect(W - bwid, 0, W, H, border);
    c.FillRect(0, H - bwid, W, H, border);

    const int y0 = left.Height + 8;
    const uint32_t font = Rgb(GetThemeColor(s, 27));
    // Group frame with its caption, as the licence page has.
    const uint32_t line = Rgb(GetThemeColor(s, 25));
    c.FillRect(10, y0 + 3, 12, y0 + 4, line);
    c.FillRect(10 + 7 * 6 + 8, y0 + 3, 250, y0 + 4, line);
    c.FillRect(10, y0 + 3, 11, y0 + 120, line);
    c.FillRect(249, y0 + 3, 250, y0 + 120, line);
    c.FillRect(10, y0 + 119, 250, y0 + 120, line);
    c.Text(15, y0, "LICENSE", font);
    // Check boxes and radio buttons, checked and not, enabled and disabled.
    for (int n = 0; n < 4; ++n) {
        const int ry = y0 + 14 + n * 20;
        const TRgbImage check = ItemFrame(s, 3, 4, n + 1);
        const TRgbImage radio = ItemFrame(s, 4, 4, n + 1);
        c.Blit(check, 20, ry, 1, false);
        c.Text(20 + check.Width + 4, ry + 4, n % 2 ? "UNCHECKED" : "I AGREE",
               n < 2 ? font : 0x808080);
        c.Blit(radio, 130, ry, 1, true);
        c.Text(130 + radio.Width + 4, ry + 4, n < 2 ? "OPTION" : "DISABLED",
               n < 2 ? font : 0x808080);
    }
    // Progress bar, 60 %.
    const TRgbImage progress = Item(s, 24);
    const int px = 20, py = y0 + 98, pw = 150;
    c.FillRect(px, py, px + pw, py + 12, Rgb(GetThemeColor(s, 26)));
    c.Stretch(progress, 0, 0, progress.Width, progress.Height, px + 1, py + 1, 89 - 1, 10, false);
    c.FillRect(px, py, px + pw, py + 1, line);
    c.FillRect(px, py + 11, px + pw, py + 12, line);
    c.FillRect(px, py, px + 1, py + 12, line);
    c.FillRect(px + pw - 1, py, px + pw, py + 12, line);
    // Push buttons: normal, hover, pressed, at the default 80 x 27.
    const char* captions[3] = {"NEXT", "CANCEL", "FINISH"};
    for (int n = 0; n < 3; ++n) {
        const int bx = 270 + (n % 2) * 95, by = y0 + 4 + (n / 2) * 36;
        c.Blit(ButtonFace(s, n + 1, 80, 27), bx, by, 1, true);
        Caption(c, bx + (n == 2), by + (n == 2), 80, 27, captions[n], 0x000000);
    }
    // A horizontal scroll bar: arrows turned from the vertical strip, thumb.
    const TRgbImage leftArrow = RotateLeft(ItemFrame(s, 32, 6, 1));
    const TRgbImage rightArrow = RotateLeft(ItemFrame(s, 32, 6, 4));
    const int sx = 270, sy = y0 + 82, sl = 180;
    c.FillRect(sx, sy, sx + sl, sy + leftArrow.Height, Rgb(GetThemeColor(s, 31)));
    c.Blit(leftArrow, sx, sy, 1, false);
    c.Blit(rightArrow, sx + sl - rightArrow.Width, sy, 1, false);
    const TRgbImage thumbStart = ItemFrame(s, 33, 3, 1);
    const int tw = thumbStart.Width, th = thumbStart.Height;
    const int tx = sx + leftArrow.Width + 30, tl = 50;
    const int ty = sy + std::max(0, (leftArrow.Height - th) / 2);
    c.Blit(thumbStart, tx, ty, 1, false);
    c.Stretch(ItemFrame(s, 33, 3, 2), 0, 0, tw, th, tx + tw, ty, tl - 2 * tw, th, false);
    c.Blit(ItemFrame(s, 33, 3, 3), tx + tl - tw, ty, 1, false);
    // A track bar.
    const TRgbImage bar = Item(s, 28);
    const TRgbImage slider = Item(s, 29);
    const int bx = 275, by = y0 + 112;
    c.Stretch(bar, 0, 0, bar.Width, bar.Height, bx, by + (slider.Height - bar.Height) / 2, 160,
              bar.Height, false);
    c.Blit(slider, bx + 60, by, 1, true);

    c.RoundTopCorners(0, 0, W, H, GetThemeInt(s, 14), Background);
    return c;
}

struct TTile {
    std::string Name;
    TRgbImage Image;
};

TEST(SkinContactSheet, RendersEveryBitmapOfEveryLook) {
    const char* groups[] = {"MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS", "SHARED"};
    std::map<std::string, std::vector<TTile>> tiles;
    // Every item of every look, whole and cut into the frames its control
    // reads; the frames laid side by side must give back the strip.
    for (const TExpectedBitmap& e : ExpectedBitmaps()) {
        if (e.Item == 0)
            continue;
        const TRgbImage whole = Item(e.Style, e.Item);
        ASSERT_EQ(whole.Width, e.Width) << e.Name;
        ASSERT_EQ(whole.Height, e.Height) << e.Name;
        if (e.Frames < 2)
            continue;
        for (int n = 1; n <= e.Frames; ++n) {
            const TRgbImage frame = ItemFrame(e.Style, e.Item, e.Frames, n);
            ASSERT_EQ(frame.Width, e.Width / e.Frames) << e.Name << " frame " << n;
            ASSERT_EQ(frame.Height, e.Height) << e.Name << " frame " << n;
            for (int y = 0; y < frame.Height; ++y)
                for (int x = 0; x < frame.Width; ++x)
                    ASSERT_EQ(frame.At(x, y), whole.At((n - 1) * frame.Width + x, y))
                        << e.Name << " frame " << n << " at " << x << "," << y;
        }
    }
    for (const TExpectedBitmap& e : DistinctExpectedBitmaps()) {
        TRgbImage image = e.Item != 0 ? Item(e.Style, e.Item) : Extra(e.Name);
        ASSERT_EQ(image.Width, e.Width) << e.Name;
        std::string group = "SHARED";
        for (const char* g : groups)
            if (e.Name.rfind(std::string(g) + "_", 0) == 0 && e.Item != 0)
                group = g;
        if (e.Name.rfind("MACOS_", 0) == 0 || e.Name.rfind("PROTEIN_", 0) == 0)
            group = e.Name.substr(0, e.Name.find('_'));
        tiles[group].push_back({e.Name, std::move(image)});
    }

    // Lay out once to learn the height, then draw.
    auto layout = [&](TSheetCanvas* c) {
        int y = 10;
        for (int g = 0; g < 6; ++g) {
            const std::string group = groups[g];
            if (c)
                c->Text(10, y, group, Ink, 3);
            y += 30;
            if (g < 5) {
                if (c) {
                    const TRgbImage mock = MockWindow(TsuiUIStyle(g + 1), group).Image();
                    c->Blit(mock, 10, y, 1, false);
                    c->Blit(mock, 10 + mock.Width + 20, y, 2, false);
                }
                y += 2 * 190 + 16;
            }
            int x = 10, rowHeight = 0;
            for (const TTile& t : tiles[group]) {
                const std::string label = t.Name + " " + std::to_string(t.Image.Width) + "X" +
                                          std::to_string(t.Image.Height);
                const int w = std::max(TSheetCanvas::TextWidth(label), t.Image.Width * 3 + 8);
                const int h = 12 + t.Image.Height * 2;
                if (x + w > SheetWidth - 10) {
                    x = 10;
                    y += rowHeight + 14;
                    rowHeight = 0;
                }
                if (c) {
                    c->Text(x, y, label, Ink);
                    c->Blit(t.Image, x, y + 12, 2, true);
                    c->Blit(t.Image, x + t.Image.Width * 2 + 8, y + 12, 1, true);
                }
                x += w + 18;
                rowHeight = std::max(rowHeight, h);
            }
            y += rowHeight + 30;
        }
        return y;
    };
    const int height = layout(nullptr);
    TSheetCanvas sheet(SheetWidth, height, Background);
    layout(&sheet);
    EXPECT_GT(height, 500);
    std::filesystem::create_directories(SSI_ARTIFACTS_DIR);
    const std::string path = std::string(SSI_ARTIFACTS_DIR) + "/skin-contact-sheet.png";
    EXPECT_EQ(sheet.WritePng(path), "");
    EXPECT_GT(std::filesystem::file_size(path), 10000u);
}

} // namespace
