// Renders every built-in skin bitmap of every look into one picture for
// people to judge (build/artifacts/skin-contact-sheet.png): a mock window per
// look put together from its pieces at 1:1 and 2x, then every resource at 2x
// with a 1:1 copy beside it, labelled with its name and size. Key-coloured
// pixels are left out so that the neutral background shows through.

#include "SheetCanvas.h"
#include "SkinTable.h"
#include "resources/Resources.h"

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

TRgbImage Load(const std::string& name) {
    return DecodeBmp(FindResource(name));
}

TRgbImage RotateLeft(const TRgbImage& s) {
    TRgbImage r{s.Height, s.Width, std::vector<uint32_t>(s.Pixels.size())};
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x)
            r.Pixels[size_t(s.Width - 1 - x) * r.Width + y] = s.At(x, y);
    return r;
}

TRgbImage Frame(const TRgbImage& strip, int k, int n) {
    const int w = strip.Width / k;
    TRgbImage f{w, strip.Height, std::vector<uint32_t>(size_t(w) * strip.Height)};
    for (int y = 0; y < strip.Height; ++y)
        for (int x = 0; x < w; ++x)
            f.Pixels[size_t(y) * w + x] = strip.At(n * w + x, y);
    return f;
}

// A push-button face spread over w x h the way buttons do: corners copied,
// the middle row and column stretched.
void NineSlice(TSheetCanvas& c, const TRgbImage& f, int x, int y, int w, int h, bool keyed) {
    const int sw = f.Width / 2, sh = f.Height / 2;
    const int r = f.Width - sw + 1, b = f.Height - sh + 1;
    const int tw = sw - 1, bh = sh - 1;
    c.BlitPart(f, 0, 0, sw, sh, x, y, keyed);
    c.BlitPart(f, r, 0, tw, sh, x + w - tw, y, keyed);
    c.BlitPart(f, 0, b, sw, bh, x, y + h - bh, keyed);
    c.BlitPart(f, r, b, tw, bh, x + w - tw, y + h - bh, keyed);
    c.Stretch(f, sw, 0, 1, sh, x + sw, y, w - sw - tw, sh, keyed);
    c.Stretch(f, sw, b, 1, bh, x + sw, y + h - bh, w - sw - tw, bh, keyed);
    c.Stretch(f, 0, sh, sw, 1, x, y + sh, sw, h - sh - bh, keyed);
    c.Stretch(f, r, sh, tw, 1, x + w - tw, y + sh, tw, h - sh - bh, keyed);
    c.Stretch(f, sw, sh, 1, 1, x + sw, y + sh, w - sw - tw, h - sh - bh, keyed);
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
        const TRgbImage tile = Load(prefix + "_FORM_BACKGROUND");
        for (int y = 0; y < H; y += 8)
            for (int x = 0; x < W; x += 8)
                c.Blit(tile, x, y, 1, false);
    }
    // Title bar: left, stretched middle, right; images start at the window's
    // corner because the frame continues them.
    const TRgbImage left = Load(GetThemeBitmapName(s, 10));
    const TRgbImage client = Load(GetThemeBitmapName(s, 11));
    const TRgbImage right = Load(GetThemeBitmapName(s, 12));
    c.Blit(left, 0, 0, 1, false);
    c.Stretch(client, 0, 0, client.Width, client.Height, left.Width, 0,
              W - left.Width - right.Width, client.Height, false);
    c.Blit(right, W - right.Width, 0, 1, false);
    const TRgbImage buttons = Load(GetThemeBitmapName(s, 5));
    const int bw = buttons.Height, top = GetThemeInt(s, 9);
    const bool keyed = GetThemeBool(s, 6);
    int x = (W - 6) + GetThemeInt(s, 8) + 1;
    for (int frame : {16, 7, 13}) { // close, maximise, minimise: normal looks
        x -= bw + 1;
        c.Blit(Frame(buttons, 18, frame - 1), 3 + x, top, 1, keyed);
    }
    const int controlBox = 3 + GetThemeInt(s, 7);
    c.Blit(Frame(buttons, 18, 0), controlBox, top, 1, keyed);
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
    const TRgbImage check = Load(GetThemeBitmapName(s, 3));
    const TRgbImage radio = Load(GetThemeBitmapName(s, 4));
    for (int n = 0; n < 4; ++n) {
        const int ry = y0 + 14 + n * 20;
        c.Blit(Frame(check, 4, n), 20, ry, 1, false);
        c.Text(20 + check.Width / 4 + 4, ry + 4, n % 2 ? "UNCHECKED" : "I AGREE",
               n < 2 ? font : 0x808080);
        c.Blit(Frame(radio, 4, n), 130, ry, 1, true);
        c.Text(130 + radio.Width / 4 + 4, ry + 4, n < 2 ? "OPTION" : "DISABLED",
               n < 2 ? font : 0x808080);
    }
    // Progress bar, 60 %.
    const TRgbImage progress = Load(GetThemeBitmapName(s, 24));
    const int px = 20, py = y0 + 98, pw = 150;
    c.FillRect(px, py, px + pw, py + 12, Rgb(GetThemeColor(s, 26)));
    c.Stretch(progress, 0, 0, progress.Width, progress.Height, px + 1, py + 1, 89 - 1, 10, false);
    c.FillRect(px, py, px + pw, py + 1, line);
    c.FillRect(px, py + 11, px + pw, py + 12, line);
    c.FillRect(px, py, px + 1, py + 12, line);
    c.FillRect(px + pw - 1, py, px + pw, py + 12, line);
    // Push buttons: normal, hover, pressed, at the default 80 x 27.
    const TRgbImage face = Load(GetThemeBitmapName(s, 1));
    const bool faceKeyed = GetThemeBool(s, 2);
    const char* captions[3] = {"NEXT", "CANCEL", "FINISH"};
    for (int n = 0; n < 3; ++n) {
        const int bx = 270 + (n % 2) * 95, by = y0 + 4 + (n / 2) * 36;
        NineSlice(c, Frame(face, 3, n), bx, by, 80, 27, faceKeyed);
        Caption(c, bx + (n == 2), by + (n == 2), 80, 27, captions[n], 0x000000);
    }
    // A horizontal scroll bar: arrows turned from the vertical strip, thumb.
    const TRgbImage arrows = Load(GetThemeBitmapName(s, 32));
    const TRgbImage thumb = Load(GetThemeBitmapName(s, 33));
    const TRgbImage leftArrow = RotateLeft(Frame(arrows, 6, 0));
    const TRgbImage rightArrow = RotateLeft(Frame(arrows, 6, 3));
    const int sx = 270, sy = y0 + 82, sl = 180;
    c.FillRect(sx, sy, sx + sl, sy + leftArrow.Height, Rgb(GetThemeColor(s, 31)));
    c.Blit(leftArrow, sx, sy, 1, false);
    c.Blit(rightArrow, sx + sl - rightArrow.Width, sy, 1, false);
    const int tw = thumb.Width / 3, tx = sx + leftArrow.Width + 30, tl = 50;
    const int ty = sy + std::max(0, (leftArrow.Height - thumb.Height) / 2);
    c.Blit(Frame(thumb, 3, 0), tx, ty, 1, false);
    c.Stretch(Frame(thumb, 3, 1), 0, 0, tw, thumb.Height, tx + tw, ty, tl - 2 * tw, thumb.Height,
              false);
    c.Blit(Frame(thumb, 3, 2), tx + tl - tw, ty, 1, false);
    // A track bar.
    const TRgbImage bar = Load(GetThemeBitmapName(s, 28));
    const TRgbImage slider = Load(GetThemeBitmapName(s, 29));
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
    for (const TExpectedBitmap& e : DistinctExpectedBitmaps()) {
        TRgbImage image = Load(e.Name);
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
