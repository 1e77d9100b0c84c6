#pragma once
// The skinned-control tests' fixture: a fresh headless window system and
// application (HeadlessApplicationTest.h), a shown borderless form to put
// controls on, and helpers that read back what a control put on the screen
// and move the simulated pointer over it.

#include "support/HeadlessApplicationTest.h"

#include "framework/graphics/Bitmap.h"
#include "skin/SUIThemes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class SkinnedControlsTest : public HeadlessApplicationTest {
protected:
    static constexpr TColor kFormColor = 0x00C8E0F0;

    void SetUp() override {
        HeadlessApplicationTest::SetUp();
        FForm = NewForm(100, 100, 360, 260);
        FForm->SetColor(kFormColor);
    }

    TForm* Form() const { return FForm; }

    // A control owned by the form, on `parent` (the form when null).
    template <class T>
    T* Add(int left, int top, int width, int height, TWinControl* parent = nullptr) {
        auto* control = new T(FForm);
        control->SetParent(parent != nullptr ? parent : FForm);
        control->SetBounds(left, top, width, height);
        return control;
    }

    // Shows the form (once) and handles everything pending, painting
    // included.
    void Settle() {
        if (!FForm->Visible())
            FForm->Show();
        Application().ProcessMessages();
    }

    // The presented pixel at (x, y) of `control`'s client area.
    TColor Pixel(const TControl* control, int x, int y) {
        TPoint p = ToWindow(control, x, y);
        return WindowPixel(FForm, p.X, p.Y);
    }

    // What `control` shows now: its client area as presented.
    TBitmap Grab(const TControl* control) {
        TBitmap image(control->ClientWidth(), control->ClientHeight());
        THeadlessImage shot = Backend().Framebuffer(FForm->ScreenWindow());
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x) {
                TPoint p = ToWindow(control, x, y);
                uint32_t c = shot.Pixel(p.X, p.Y);
                image.SetPixel(x, y, ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
            }
        return image;
    }

    // The simulated pointer to (x, y) of `control`'s client area.
    void PointAt(const TControl* control, int x, int y) {
        TPoint s = control->ClientToScreen(Point(x, y));
        Backend().MoveMouse(s.X, s.Y);
        Application().ProcessMessages();
    }
    void Press() {
        Backend().PressButton(TWsButton::Left);
        Application().ProcessMessages();
    }
    void Release() {
        Backend().ReleaseButton(TWsButton::Left);
        Application().ProcessMessages();
    }
    void ClickOn(const TControl* control, int x = 3, int y = 3) {
        PointAt(control, x, y);
        Press();
        Release();
    }
    void Advance(uint64_t milliseconds) {
        Backend().AdvanceClock(milliseconds);
        Application().ProcessMessages();
    }

private:
    TPoint ToWindow(const TControl* control, int x, int y) const {
        TPoint s = control->ClientToScreen(Point(x, y));
        return Point(s.X - FForm->Left(), s.Y - FForm->Top());
    }

    TForm* FForm = nullptr;
};

// A counter to hang on notify events.
struct TCounter {
    int Count = 0;
    TNotifyEvent Event() {
        return TNotifyEvent([this](TObject*) { ++Count; });
    }
};

// Frame `index` of `frames` of a theme bitmap item in a built-in style.
inline TBitmap ThemeFrame(TsuiUIStyle style, int item, int frames, int index) {
    TBitmap frame;
    GetThemeBitmap(style, item, &frame, frames, index);
    return frame;
}

inline bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

// Every pixel of `image` for which `pick` holds.
inline std::vector<TPoint> PixelsWhere(const TBitmap& image,
                                       const std::function<bool(int, int, TColor)>& pick) {
    std::vector<TPoint> found;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (pick(x, y, image.Pixel(x, y)))
                found.push_back(Point(x, y));
    return found;
}

// A bitmap of one colour.
inline TBitmap Solid(int width, int height, TColor color) {
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, color);
    return bitmap;
}
