#pragma once
// TMenuWindow: one open level of a menu, a popup window of the window system
// that lists one item's visible sub-items in a raised frame. It measures the
// items, keeps itself on the work area, paints them with the selected one
// highlighted and finds the item under a screen point; which levels are
// open, and what the input does to them, is the menu tracker's.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Types.h"
#include "platform/window/WindowSystem.h"

#include <memory>
#include <vector>

class TMenuItem;

// The raised frame around a menu window's items.
constexpr int kMenuFrame = 3;

class TMenuWindow {
public:
    // A hidden window for `parent`'s visible sub-items with its top-left
    // corner at the screen point, moved to stay on the work area: when it
    // would leave it on the right it goes left of `avoidLeft` (the point, or
    // the left edge of the level it opens from). Null when no sub-item is
    // visible.
    static std::unique_ptr<TMenuWindow> Create(TMenuItem* parent, int x, int y, int avoidLeft);
    // Destroys the window.
    ~TMenuWindow();
    TMenuWindow(const TMenuWindow&) = delete;
    TMenuWindow& operator=(const TMenuWindow&) = delete;

    // The item whose sub-items the window lists.
    TMenuItem* Parent() const { return FParent; }
    // The visible sub-items, top to bottom.
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems[static_cast<size_t>(index)]; }
    // An item's rectangle in window coordinates.
    const TRect& ItemRect(int index) const { return FRects[static_cast<size_t>(index)]; }
    // The window in screen coordinates.
    const TRect& Bounds() const { return FBounds; }
    // The item under a point on the window (screen coordinates), or -1 on
    // the frame.
    int ItemAt(const TPoint& screenPoint) const;

    int Selected() const { return FSelected; }
    // Highlights the item (-1: none), repainting when that changes.
    void Select(int index);
    // Draws the frame and every item, then presents the window.
    void Paint();
    void Show();

    // Whether the items are drawn on `canvas`.
    bool DrawsOn(const TCanvas& canvas) { return &FSurface.Canvas() == &canvas; }
    // A canvas on the window in screen coordinates (see
    // GetMenuWindowOfCanvas).
    TCanvas& ScreenCanvas() { return FScreenCanvas; }

private:
    TMenuWindow() = default;

    TMenuItem* FParent = nullptr;
    TWsWindow FWindow = 0;
    TRect FBounds{}; // screen
    std::vector<TMenuItem*> FItems;
    std::vector<TRect> FRects; // window coordinates
    int FSelected = -1;
    TBitmap FSurface;
    TCanvas FScreenCanvas; // the surface in screen coordinates
};
