#include "framework/ui/MenuWindow.h"

#include "framework/ui/Menus.h"
#include "framework/ui/WindowPainting.h"
#include "platform/backend/Backend.h"

#include <algorithm>

namespace {
void PrepareMenuCanvas(TCanvas& canvas) {
    AssignSystemMenuFont(canvas.Font());
}
} // namespace

std::unique_ptr<TMenuWindow> TMenuWindow::Create(TMenuItem* parent, int x, int y, int avoidLeft) {
    std::unique_ptr<TMenuWindow> level(new TMenuWindow());
    level->FParent = parent;
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    PrepareMenuCanvas(c);
    int width = 0, height = kMenuFrame;
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible())
            continue;
        int w = 0, h = 0;
        item->MeasureItem(c, w, h);
        level->FItems.push_back(item);
        level->FRects.push_back(Rect(kMenuFrame, height, 0, height + h));
        width = std::max(width, w);
        height += h;
    }
    if (level->FItems.empty())
        return nullptr;
    for (TRect& r : level->FRects)
        r.Right = kMenuFrame + width;
    int w = width + 2 * kMenuFrame, h = height + kMenuFrame;
    // Keep the menu on the work area: flip to the other side of the point
    // (or of the parent level) when it would leave it.
    TWsRect area = WindowSystem().WorkArea();
    if (x + w > area.Right)
        x = std::max<int>(area.Left, avoidLeft - w);
    if (y + h > area.Bottom)
        y = std::max<int>(area.Top, area.Bottom - h);
    level->FBounds = ::Bounds(x, y, w, h);
    level->FWindow = WindowSystem().CreateWindow(TWsWindowKind::Popup, TWsRect{x, y, x + w, y + h});
    level->FSurface.SetSize(w, h);
    return level;
}

TMenuWindow::~TMenuWindow() {
    if (FWindow != 0)
        WindowSystem().DestroyWindow(FWindow);
}

int TMenuWindow::ItemAt(const TPoint& p) const {
    int index = -1;
    TPoint local = Point(p.X - FBounds.Left, p.Y - FBounds.Top);
    for (size_t i = 0; i < FRects.size(); ++i)
        if (PtInRect(FRects[i], local))
            index = static_cast<int>(i);
    return index;
}

void TMenuWindow::Select(int index) {
    if (FSelected == index)
        return;
    FSelected = index;
    Paint();
}

void TMenuWindow::Show() {
    WindowSystem().ShowWindow(FWindow, true);
}

void TMenuWindow::Paint() {
    if (FScreenCanvas.Target() != &FSurface) {
        FScreenCanvas.SetTarget(&FSurface);
        FScreenCanvas.SetOrigin(Point(-FBounds.Left, -FBounds.Top));
    }
    TCanvas& c = FSurface.Canvas();
    c.ResetClip();
    c.SetOrigin(Point(0, 0));
    PrepareMenuCanvas(c);
    TRect all = Rect(0, 0, FSurface.Width(), FSurface.Height());
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(clMenu);
    c.FillRect(all);
    // The raised frame of a menu window.
    c.Brush().SetColor(cl3DLight);
    c.FillRect(Rect(0, 0, all.Right - 1, 1));
    c.FillRect(Rect(0, 0, 1, all.Bottom - 1));
    c.Brush().SetColor(clBtnHighlight);
    c.FillRect(Rect(1, 1, all.Right - 2, 2));
    c.FillRect(Rect(1, 1, 2, all.Bottom - 2));
    c.Brush().SetColor(cl3DDkShadow);
    c.FillRect(Rect(0, all.Bottom - 1, all.Right, all.Bottom));
    c.FillRect(Rect(all.Right - 1, 0, all.Right, all.Bottom));
    c.Brush().SetColor(clBtnShadow);
    c.FillRect(Rect(1, all.Bottom - 2, all.Right - 1, all.Bottom - 1));
    c.FillRect(Rect(all.Right - 2, 1, all.Right - 1, all.Bottom - 1));
    for (size_t i = 0; i < FItems.size(); ++i) {
        int state = c.SaveState();
        c.IntersectClipRect(FRects[i]);
        PrepareMenuCanvas(c);
        FItems[i]->DrawItem(c, FRects[i], static_cast<int>(i) == FSelected);
        c.RestoreState(state);
    }
    PresentSurface(FWindow, FSurface, all);
}
