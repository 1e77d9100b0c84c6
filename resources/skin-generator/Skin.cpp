#include "Skin.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace skingen {

TPicture Finish(const TCanvas& canvas, TRgb matte, bool keyed) {
    return {canvas.Width(), canvas.Height(), canvas.Flatten(matte, keyed)};
}

TPicture Strip(const std::vector<TPicture>& frames) {
    TPicture strip;
    strip.Height = frames.front().Height;
    for (const TPicture& f : frames)
        strip.Width += f.Width;
    strip.Pixels.resize(size_t(strip.Width) * strip.Height);
    int x0 = 0;
    for (const TPicture& f : frames) {
        if (f.Height != strip.Height)
            throw std::runtime_error("frames of one strip differ in height");
        for (int y = 0; y < f.Height; ++y)
            for (int x = 0; x < f.Width; ++x)
                strip.Pixels[size_t(y) * strip.Width + x0 + x] = f.Pixels[size_t(y) * f.Width + x];
        x0 += f.Width;
    }
    return strip;
}

void TRegistry::Add(const std::string& name, int width, int height, TPainter painter) {
    FEntries.push_back({name, width, height, std::move(painter)});
}

namespace {
TPicture PaintEntry(const std::string& name, int width, int height,
                    const TRegistry::TPainter& painter) {
    TPicture picture = painter();
    if (picture.Width != width || picture.Height != height)
        throw std::runtime_error(name + " came out " + std::to_string(picture.Width) + "x" +
                                 std::to_string(picture.Height) + ", not " + std::to_string(width) +
                                 "x" + std::to_string(height));
    return picture;
}
} // namespace

std::vector<uint8_t> TRegistry::Encode(int index) const {
    const TEntry& e = FEntries.at(size_t(index));
    const TPicture picture = PaintEntry(e.Name, e.Width, e.Height, e.Painter);
    return EncodeBmp(picture.Width, picture.Height, picture.Pixels);
}

TPicture TRegistry::Paint(const std::string& name) const {
    for (const TEntry& e : FEntries)
        if (e.Name == name)
            return PaintEntry(e.Name, e.Width, e.Height, e.Painter);
    throw std::runtime_error("no skin bitmap named " + name);
}

int TRegistry::WriteAll(const std::string& folder) const {
    for (int i = 0; i < Count(); ++i) {
        const std::vector<uint8_t> bytes = Encode(i);
        const std::string path = folder + "/" + Name(i) + ".bmp";
        std::FILE* f = std::fopen(path.c_str(), "wb");
        const bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        if (!f || std::fclose(f) != 0 || !ok)
            throw std::runtime_error("cannot write " + path);
    }
    return Count();
}

void AddAll(TRegistry& registry) {
    AddMacOS(registry);
    AddWinXP(registry);
    AddDeepBlue(registry);
    AddProtein(registry);
    AddBlueGlass(registry);
    AddShared(registry);
}

TShape GlyphClose(float cx, float cy, float s, float hw) {
    return Union(Segment(cx - s, cy - s, cx + s, cy + s, hw),
                 Segment(cx - s, cy + s, cx + s, cy - s, hw));
}

TShape GlyphMaximize(float cx, float cy, float s, float hw) {
    const TShape box = RoundRect(cx - s, cy - s, cx + s, cy + s, 0.5f);
    // A heavier top edge reads as a window's caption.
    return Union(InnerBand(box, 2 * hw), RoundRect(cx - s, cy - s, cx + s, cy - s + 3 * hw, 0.3f));
}

TShape GlyphRestore(float cx, float cy, float s, float hw) {
    const float d = s * 0.45f;
    const TShape back = GlyphMaximize(cx + d * 0.5f, cy - d * 0.5f, s - d * 0.5f, hw * 0.8f);
    const TShape front = GlyphMaximize(cx - d * 0.5f, cy + d * 0.5f, s - d * 0.5f, hw * 0.8f);
    const TShape frontArea =
        RoundRect(cx - s - 0.5f, cy - s + d - 0.5f, cx + s - d + 0.5f, cy + s + 0.5f, 0);
    return Union(Subtract(back, frontArea), front);
}

TShape GlyphMinimize(float cx, float cy, float s, float hw) {
    return RoundRect(cx - s, cy + s - 2.6f * hw, cx + s * 0.45f, cy + s + 0.2f, 0.3f);
}

TShape GlyphHelp(float cx, float cy, float s, float hw) {
    const float pi = 3.14159265f;
    const float r = s * 0.55f;
    const float hookY = cy - s + r;
    const TShape hook = Arc(cx, hookY, r, pi * 1.0f, pi * 2.35f, hw);
    const float ex = cx + r * std::cos(pi * 2.35f), ey = hookY + r * std::sin(pi * 2.35f);
    const TShape stem = Segment(ex, ey, cx, cy + s * 0.35f, hw);
    const TShape dot = Circle(cx, cy + s - hw * 0.9f, hw * 1.15f);
    return Union(Union(hook, stem), dot);
}

TShape GlyphCheck(float cx, float cy, float s, float hw) {
    return Polyline({{cx - s, cy}, {cx - s * 0.3f, cy + s * 0.7f}, {cx + s, cy - s * 0.75f}}, hw);
}

TShape GlyphArrow(float cx, float cy, float s, TDirection direction) {
    const float h = s * 0.6f;
    switch (direction) {
    case TDirection::Up:
        return Polygon({{cx - s, cy + h * 0.5f}, {cx + s, cy + h * 0.5f}, {cx, cy - h}});
    case TDirection::Down:
        return Polygon({{cx - s, cy - h * 0.5f}, {cx + s, cy - h * 0.5f}, {cx, cy + h}});
    case TDirection::Left:
        return Polygon({{cx + h * 0.5f, cy - s}, {cx + h * 0.5f, cy + s}, {cx - h, cy}});
    case TDirection::Right:
        break;
    }
    return Polygon({{cx - h * 0.5f, cy - s}, {cx - h * 0.5f, cy + s}, {cx + h, cy}});
}

TShape GlyphChevron(float cx, float cy, float s, float hw, TDirection direction) {
    const float h = s * 0.5f;
    switch (direction) {
    case TDirection::Up:
        return Polyline({{cx - s, cy + h}, {cx, cy - h}, {cx + s, cy + h}}, hw);
    case TDirection::Down:
        return Polyline({{cx - s, cy - h}, {cx, cy + h}, {cx + s, cy - h}}, hw);
    case TDirection::Left:
        return Polyline({{cx + h, cy - s}, {cx - h, cy}, {cx + h, cy + s}}, hw);
    case TDirection::Right:
        break;
    }
    return Polyline({{cx - h, cy - s}, {cx + h, cy}, {cx - h, cy + s}}, hw);
}

TShape GlyphPlus(float cx, float cy, float s, float hw) {
    return Union(Segment(cx - s, cy, cx + s, cy, hw), Segment(cx, cy - s, cx, cy + s, hw));
}

TShape TitleGlyph(TTitleButton button, float cx, float cy, float s, float hw) {
    switch (button) {
    case TTitleButton::ControlBox: {
        // A small window: frame, caption strip.
        const TShape box = RoundRect(cx - s, cy - s * 0.8f, cx + s, cy + s * 0.8f, 1.0f);
        return Union(InnerBand(box, hw * 1.6f),
                     RoundRect(cx - s, cy - s * 0.8f, cx + s, cy - s * 0.8f + s * 0.6f, 1.0f));
    }
    case TTitleButton::Help:
        return GlyphHelp(cx, cy, s, hw);
    case TTitleButton::Maximize:
        return GlyphMaximize(cx, cy, s, hw);
    case TTitleButton::Restore:
        return GlyphRestore(cx, cy, s, hw);
    case TTitleButton::Minimize:
        return GlyphMinimize(cx, cy, s, hw);
    case TTitleButton::Close:
        break;
    }
    return GlyphClose(cx, cy, s * 0.85f, hw * 1.1f);
}

void PaintGloss(TCanvas& canvas, const TShape& clip, float x0, float y0, float x1, float y1,
                float strength) {
    // A wide ellipse whose lower half sits in the box, fading towards its
    // bottom: the curved reflection of a gel surface.
    const float cx = (x0 + x1) / 2, rx = (x1 - x0) / 2;
    const float ry = y1 - y0;
    canvas.PaintFaded(Intersect(clip, Ellipse(cx, y0, rx, ry)), Solid({1, 1, 1}),
                      [=](float, float y) { return strength * (1.0f - 0.75f * (y - y0) / ry); });
}

} // namespace skingen
