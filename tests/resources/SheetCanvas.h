#pragma once
// A plain RGB canvas for the contact sheet: pictures blitted at an integer
// scale with the key colour left out, a 5 x 7 pixel font for labels, and PNG
// output through zlib.

#include "BmpImage.h"

#include <cstdint>
#include <string>
#include <vector>

class TSheetCanvas {
public:
    TSheetCanvas(int width, int height, uint32_t background);
    int Width() const { return W; }
    int Height() const { return H; }

    void FillRect(int x0, int y0, int x1, int y1, uint32_t colour);
    // Draws `image` (or its part sx, sy, sw, sh) at (x, y), each pixel as a
    // scale x scale block; fuchsia pixels are skipped when `keyed`.
    void Blit(const TRgbImage& image, int x, int y, int scale, bool keyed);
    void BlitPart(const TRgbImage& image, int sx, int sy, int sw, int sh, int x, int y, bool keyed);
    // Stretches the part into (x, y, w, h), sampling pixel centres.
    void Stretch(const TRgbImage& image, int sx, int sy, int sw, int sh, int x, int y, int w, int h,
                 bool keyed);
    // Upper-case letters, digits and a little punctuation; returns the width.
    int Text(int x, int y, const std::string& text, uint32_t colour, int scale = 1);
    static int TextWidth(const std::string& text, int scale = 1);
    // Keeps only pixels inside a rectangle whose top corners are rounded with
    // the given corner ellipse size; the rest becomes `outside`.
    void RoundTopCorners(int x0, int y0, int x1, int y1, int ellipse, uint32_t outside);

    TRgbImage Image() const { return {W, H, Px}; }

    // Returns an empty string on success, else what went wrong.
    std::string WritePng(const std::string& path) const;

private:
    int W, H;
    std::vector<uint32_t> Px;
    void Put(int x, int y, uint32_t c);
};
