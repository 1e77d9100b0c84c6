#include "Wizard.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace skingen {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

TPicture CutFrame(const TPicture& strip, int frames, int index) {
    if (frames < 1 || index < 1 || index > frames)
        throw std::runtime_error("no frame " + std::to_string(index) + " of " +
                                 std::to_string(frames));
    TPicture frame;
    frame.Width = strip.Width / frames;
    frame.Height = strip.Height;
    const int left = frame.Width * (index - 1);
    for (int y = 0; y < frame.Height; ++y)
        for (int x = 0; x < frame.Width; ++x)
            frame.Pixels.push_back(strip.Pixels[size_t(y) * strip.Width + left + x]);
    return frame;
}

// A stored picture's data: the graphic's class name as a length byte and its
// characters, the bitmap file's length, then the file.
std::vector<uint8_t> PictureData(const TPicture& picture) {
    const std::string kind = "TBitmap";
    std::vector<uint8_t> out;
    out.push_back(uint8_t(kind.size()));
    out.insert(out.end(), kind.begin(), kind.end());
    const std::vector<uint8_t> bmp = EncodeBmp(picture.Width, picture.Height, picture.Pixels);
    Put32(out, uint32_t(bmp.size()));
    out.insert(out.end(), bmp.begin(), bmp.end());
    return out;
}

std::string HexLines(const std::vector<uint8_t>& data, const std::string& indent) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < data.size(); ++i) {
        if (i % 32 == 0) {
            if (i > 0)
                out += '\n';
            out += indent;
        }
        out += digits[data[i] >> 4];
        out += digits[data[i] & 15];
    }
    return out;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// --- The icon ---

struct TIconPalette {
    std::vector<uint32_t> Colours; // 0xRRGGBB

    uint8_t Nearest(uint32_t rgb) const {
        auto channel = [](uint32_t c, int shift) { return int((c >> shift) & 0xFF); };
        int best = 0;
        long bestDistance = -1;
        for (size_t i = 0; i < Colours.size(); ++i) {
            long d = 0;
            for (int shift : {16, 8, 0}) {
                const long delta = channel(rgb, shift) - channel(Colours[i], shift);
                d += delta * delta;
            }
            if (bestDistance < 0 || d < bestDistance) {
                bestDistance = d;
                best = int(i);
            }
        }
        return uint8_t(best);
    }
};

// The platform's standard 16 colours.
TIconPalette SixteenColours() {
    return {{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
             0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF}};
}

// A 6 x 6 x 6 colour cube and 40 greys.
TIconPalette TwoHundredFiftySixColours() {
    TIconPalette p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p.Colours.push_back(uint32_t(r * 51) << 16 | uint32_t(g * 51) << 8 |
                                    uint32_t(b * 51));
    for (int i = 0; i < 40; ++i) {
        const uint32_t v = uint32_t(i * 255 / 39);
        p.Colours.push_back(v << 16 | v << 8 | v);
    }
    return p;
}

// The picture: a screen in a silver bezel on a stand, showing a night sky
// with a crescent moon and stars.
TCanvas DrawIconPicture(int size) {
    const float s = size / 32.0f;
    TCanvas c(size, size);
    const TShape stand = Union(RoundRect(13 * s, 23 * s, 19 * s, 27.5f * s, 0.5f * s),
                               RoundRect(8 * s, 26.5f * s, 24 * s, 29.5f * s, 1.2f * s));
    c.Paint(stand, VerticalRamp({{0, Hex(0xB8BCC4)}, {1, Hex(0x6E737C)}}, 23 * s, 29.5f * s));
    const TShape bezel = RoundRect(1.5f * s, 3 * s, 30.5f * s, 24.5f * s, 2.5f * s);
    c.Paint(bezel, VerticalRamp({{0, Hex(0xF2F4F7)}, {1, Hex(0x9097A3)}}, 3 * s, 24.5f * s));
    c.Paint(InnerBand(bezel, std::max(1.0f, s)), Solid(Hex(0x4A505A)));
    const TShape screen = RoundRect(4 * s, 5.5f * s, 28 * s, 21.5f * s, 0.8f * s);
    c.Paint(screen, VerticalRamp({{0, Hex(0x0B1E5C)}, {0.7f, Hex(0x2E4FB0)}, {1, Hex(0x5A7FD6)}},
                                 5.5f * s, 21.5f * s));
    const TShape moon =
        Subtract(Circle(21 * s, 10.5f * s, 3.6f * s), Circle(22.8f * s, 9.2f * s, 3.1f * s));
    c.Paint(Intersect(moon, screen), Solid(Hex(0xFFE45C)));
    for (auto [x, y] : {std::pair{8.0f, 9.0f}, {12.5f, 13.5f}, {15.0f, 8.0f}, {9.5f, 17.0f}}) {
        const float r = size >= 32 ? 1.0f : 0.9f;
        c.Paint(Intersect(Circle(x * s, y * s, r), screen), Solid(Hex(0xFFFFFF)));
    }
    // The hills of a landscape at the screen's bottom.
    const TShape hills = Intersect(
        Union(Ellipse(10 * s, 23 * s, 10 * s, 4.5f * s), Ellipse(24 * s, 24 * s, 9 * s, 5.5f * s)),
        screen);
    c.Paint(hills, VerticalRamp({{0, Hex(0x2F8F3A)}, {1, Hex(0x145A20)}}, 18 * s, 21.5f * s));
    return c;
}

struct TIconImage {
    int Size;
    int Bits; // 4 or 8
    std::vector<uint8_t> Data;
};

TIconImage EncodeIconImage(int size, int bits) {
    const TCanvas canvas = DrawIconPicture(size);
    const TIconPalette palette = bits == 4 ? SixteenColours() : TwoHundredFiftySixColours();
    const uint32_t colourStride = ((uint32_t(size) * bits + 31) / 32) * 4;
    const uint32_t maskStride = ((uint32_t(size) + 31) / 32) * 4;
    TIconImage image{size, bits, {}};
    std::vector<uint8_t>& out = image.Data;
    Put32(out, 40);
    Put32(out, uint32_t(size));
    Put32(out, uint32_t(size * 2)); // colour rows and mask rows
    Put16(out, 1);
    Put16(out, uint32_t(bits));
    Put32(out, 0);
    Put32(out, (colourStride + maskStride) * uint32_t(size));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, uint32_t(palette.Colours.size()));
    Put32(out, 0);
    for (uint32_t c : palette.Colours) {
        out.push_back(c & 0xFF);
        out.push_back((c >> 8) & 0xFF);
        out.push_back((c >> 16) & 0xFF);
        out.push_back(0);
    }
    auto opaque = [&](int x, int y) { return canvas.Alpha(x, y) >= 0.5f; };
    // Rows bottom up: the colours, then the mask (set bits are transparent).
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(colourStride, 0);
        for (int x = 0; x < size; ++x) {
            uint8_t index = 0;
            if (opaque(x, y)) {
                const TRgb c = canvas.Colour(x, y);
                auto byte = [](float v) {
                    return uint32_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
                };
                index = palette.Nearest(byte(c.R) << 16 | byte(c.G) << 8 | byte(c.B));
            }
            if (bits == 8)
                row[size_t(x)] = index;
            else
                row[size_t(x / 2)] |= uint8_t(x % 2 == 0 ? index << 4 : index);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < size; ++x)
            if (!opaque(x, y))
                row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return image;
}

} // namespace

std::vector<uint8_t> DrawMainIcon() {
    const std::array<TIconImage, 4> images = {EncodeIconImage(16, 4), EncodeIconImage(32, 4),
                                              EncodeIconImage(16, 8), EncodeIconImage(32, 8)};
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1); // an icon
    Put16(out, uint32_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (const TIconImage& image : images) {
        out.push_back(uint8_t(image.Size));
        out.push_back(uint8_t(image.Size));
        out.push_back(image.Bits == 4 ? 16 : 0); // palette size (0: 256 or more)
        out.push_back(0);
        Put16(out, 1);
        Put16(out, uint32_t(image.Bits));
        Put32(out, uint32_t(image.Data.size()));
        Put32(out, offset);
        offset += uint32_t(image.Data.size());
    }
    for (const TIconImage& image : images)
        out.insert(out.end(), image.Data.begin(), image.Data.end());
    return out;
}

std::string ExpandWizardLayout(const TRegistry& registry, const std::string& layoutTemplate) {
    std::string out;
    for (const std::string& line : Split(layoutTemplate, '\n')) {
        const size_t at = line.find('@');
        if (at == std::string::npos) {
            out += line + '\n';
            continue;
        }
        const size_t end = line.find('@', at + 1);
        if (end == std::string::npos)
            throw std::runtime_error("unfinished placeholder: " + line);
        const std::string indent = line.substr(0, at);
        const std::vector<std::string> parts = Split(line.substr(at + 1, end - at - 1), ':');
        std::vector<uint8_t> data;
        if (parts.size() == 2 && parts[0] == "ICON" && parts[1] == "MAINICON") {
            data = DrawMainIcon();
        } else if (parts[0] == "PICTURE" && (parts.size() == 2 || parts.size() == 4)) {
            TPicture picture = registry.Paint(parts[1]);
            if (parts.size() == 4)
                picture = CutFrame(picture, std::stoi(parts[2]), std::stoi(parts[3]));
            data = PictureData(picture);
        } else {
            throw std::runtime_error("unknown placeholder: " + line);
        }
        out += HexLines(data, indent) + line.substr(end + 1) + '\n';
    }
    // The template's own last line end is kept once.
    if (out.size() >= 2 && out[out.size() - 1] == '\n' && out[out.size() - 2] == '\n')
        out.pop_back();
    return out;
}

} // namespace skingen
