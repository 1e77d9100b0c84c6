#include "SheetCanvas.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>

namespace {

// 5 x 7 glyphs, one byte per row, bit 4 the leftmost column.
struct TGlyph {
    char Ch;
    uint8_t Rows[7];
};

const TGlyph Font[] = {
    {'A', {14, 17, 17, 31, 17, 17, 17}}, {'B', {30, 17, 17, 30, 17, 17, 30}},
    {'C', {14, 17, 16, 16, 16, 17, 14}}, {'D', {30, 17, 17, 17, 17, 17, 30}},
    {'E', {31, 16, 16, 30, 16, 16, 31}}, {'F', {31, 16, 16, 30, 16, 16, 16}},
    {'G', {14, 17, 16, 23, 17, 17, 15}}, {'H', {17, 17, 17, 31, 17, 17, 17}},
    {'I', {14, 4, 4, 4, 4, 4, 14}},      {'J', {7, 2, 2, 2, 2, 18, 12}},
    {'K', {17, 18, 20, 24, 20, 18, 17}}, {'L', {16, 16, 16, 16, 16, 16, 31}},
    {'M', {17, 27, 21, 21, 17, 17, 17}}, {'N', {17, 17, 25, 21, 19, 17, 17}},
    {'O', {14, 17, 17, 17, 17, 17, 14}}, {'P', {30, 17, 17, 30, 16, 16, 16}},
    {'Q', {14, 17, 17, 17, 21, 18, 13}}, {'R', {30, 17, 17, 30, 20, 18, 17}},
    {'S', {15, 16, 16, 14, 1, 1, 30}},   {'T', {31, 4, 4, 4, 4, 4, 4}},
    {'U', {17, 17, 17, 17, 17, 17, 14}}, {'V', {17, 17, 17, 17, 17, 10, 4}},
    {'W', {17, 17, 17, 21, 21, 21, 10}}, {'X', {17, 17, 10, 4, 10, 17, 17}},
    {'Y', {17, 17, 10, 4, 4, 4, 4}},     {'Z', {31, 1, 2, 4, 8, 16, 31}},
    {'0', {14, 17, 19, 21, 25, 17, 14}}, {'1', {4, 12, 4, 4, 4, 4, 14}},
    {'2', {14, 17, 1, 2, 4, 8, 31}},     {'3', {30, 1, 1, 14, 1, 1, 30}},
    {'4', {2, 6, 10, 18, 31, 2, 2}},     {'5', {31, 16, 30, 1, 1, 17, 14}},
    {'6', {6, 8, 16, 30, 17, 17, 14}},   {'7', {31, 1, 2, 4, 8, 8, 8}},
    {'8', {14, 17, 17, 14, 17, 17, 14}}, {'9', {14, 17, 17, 15, 1, 2, 12}},
    {'_', {0, 0, 0, 0, 0, 0, 31}},       {'-', {0, 0, 0, 31, 0, 0, 0}},
    {':', {0, 4, 0, 0, 0, 4, 0}},        {'.', {0, 0, 0, 0, 0, 0, 4}},
    {'(', {2, 4, 8, 8, 8, 4, 2}},        {')', {8, 4, 2, 2, 2, 4, 8}},
    {'/', {1, 1, 2, 4, 8, 16, 16}},      {'%', {24, 25, 2, 4, 8, 19, 3}},
};

const TGlyph* FindGlyph(char ch) {
    if (ch >= 'a' && ch <= 'z')
        ch = char(ch - 'a' + 'A');
    for (const TGlyph& g : Font)
        if (g.Ch == ch)
            return &g;
    return nullptr;
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(uint8_t(v >> s));
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    PutU32(png, uint32_t(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    const uLong crc = crc32(0, png.data() + start, uInt(png.size() - start));
    PutU32(png, uint32_t(crc));
}

} // namespace

TSheetCanvas::TSheetCanvas(int width, int height, uint32_t background)
    : W(width), H(height), Px(size_t(width) * height, background) {}

void TSheetCanvas::Put(int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < W && y < H)
        Px[size_t(y) * W + x] = c;
}

void TSheetCanvas::FillRect(int x0, int y0, int x1, int y1, uint32_t colour) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            Put(x, y, colour);
}

void TSheetCanvas::Blit(const TRgbImage& image, int x, int y, int scale, bool keyed) {
    for (int sy = 0; sy < image.Height; ++sy)
        for (int sx = 0; sx < image.Width; ++sx) {
            const uint32_t c = image.At(sx, sy);
            if (keyed && c == 0xFF00FF)
                continue;
            FillRect(x + sx * scale, y + sy * scale, x + (sx + 1) * scale, y + (sy + 1) * scale, c);
        }
}

void TSheetCanvas::BlitPart(const TRgbImage& image, int sx, int sy, int sw, int sh, int x, int y,
                            bool keyed) {
    Stretch(image, sx, sy, sw, sh, x, y, sw, sh, keyed);
}

void TSheetCanvas::Stretch(const TRgbImage& image, int sx, int sy, int sw, int sh, int x, int y,
                           int w, int h, bool keyed) {
    if (sw <= 0 || sh <= 0)
        return;
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx) {
            const int px = sx + int((dx + 0.5) * sw / w);
            const int py = sy + int((dy + 0.5) * sh / h);
            if (px < 0 || py < 0 || px >= image.Width || py >= image.Height)
                continue;
            const uint32_t c = image.At(px, py);
            if (!(keyed && c == 0xFF00FF))
                Put(x + dx, y + dy, c);
        }
}

int TSheetCanvas::Text(int x, int y, const std::string& text, uint32_t colour, int scale) {
    int cx = x;
    for (char ch : text) {
        if (const TGlyph* g = FindGlyph(ch))
            for (int r = 0; r < 7; ++r)
                for (int c = 0; c < 5; ++c)
                    if (g->Rows[r] & (16 >> c))
                        FillRect(cx + c * scale, y + r * scale, cx + (c + 1) * scale,
                                 y + (r + 1) * scale, colour);
        cx += 6 * scale;
    }
    return cx - x;
}

int TSheetCanvas::TextWidth(const std::string& text, int scale) {
    return int(text.size()) * 6 * scale;
}

void TSheetCanvas::RoundTopCorners(int x0, int y0, int x1, int y1, int ellipse, uint32_t outside) {
    const double r = ellipse / 2.0;
    for (int y = y0; y < y0 + int(r) + 1 && y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const double cy = y0 + r;
            const double cx = x < x0 + r ? x0 + r : (x >= x1 - r ? x1 - r : x + 0.5);
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            if (y + 0.5 < cy && dx * dx + dy * dy > r * r)
                Put(x, y, outside);
        }
}

std::string TSheetCanvas::WritePng(const std::string& path) const {
    std::vector<uint8_t> raw;
    raw.reserve(size_t(W * 3 + 1) * H);
    for (int y = 0; y < H; ++y) {
        raw.push_back(0); // filter: none
        for (int x = 0; x < W; ++x) {
            const uint32_t c = Px[size_t(y) * W + x];
            raw.push_back(uint8_t(c >> 16));
            raw.push_back(uint8_t(c >> 8));
            raw.push_back(uint8_t(c));
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    const int rc = compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9);
    if (rc != Z_OK)
        return "zlib compress2 failed with " + std::to_string(rc);
    packed.resize(packedSize);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    PutU32(ihdr, uint32_t(W));
    PutU32(ihdr, uint32_t(H));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, deflate, no filter set, no interlace
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", packed);
    Chunk(png, "IEND", {});
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return "cannot create " + path;
    const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok ? "" : "cannot write " + path;
}
