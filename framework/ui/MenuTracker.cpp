#include "framework/ui/MenuTracker.h"

#include "framework/graphics/Bitmap.h"
#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Menus.h"
#include "platform/window/Backend.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace {
// The character after a single "&" in `caption`, upper-cased, or 0.
int AccelOf(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::toupper(static_cast<unsigned char>(caption[i + 1]));
    }
    return 0;
}
constexpr int kMenuFrame = 3; // the menu window's raised frame

// One open level of a menu: a popup window listing one item's sub-items.
struct TMenuLevel {
    TMenuItem* Parent = nullptr;
    TWsWindow Window = 0;
    TRect Bounds{}; // screen
    std::vector<TMenuItem*> Items;
    std::vector<TRect> Rects; // window coordinates
    int Selected = -1;
    TBitmap Surface;
    TCanvas ScreenCanvas; // the surface in screen coordinates
};

class TMenuTracker : public TInputGrab {
public:
    TMenuItem* Run(TMenuItem* root, int x, int y);
    TMenuLevel* LevelOfCanvas(const TCanvas& canvas) {
        for (auto& level : FLevels)
            if (&level->Surface.Canvas() == &canvas)
                return level.get();
        return nullptr;
    }
    bool HandleEvent(const TWsEvent& event) override;
    void Cancel() { FDone = true; }

private:
    void Open(TMenuItem* parent, int x, int y, int avoidLeft);
    void CloseAbove(size_t depth);
    void Paint(TMenuLevel& level);
    void Select(size_t depth, int index);
    void Activate(size_t depth, int index, bool fromKeyboard);
    bool Selectable(const TMenuItem* item) const {
        return item->Visible() && !item->IsLine() && item->Enabled();
    }
    // The level and item under the screen point; false when it is outside
    // every level.
    bool HitTest(const TPoint& p, size_t& depth, int& index) const;
    void Move(int step);

    std::vector<std::unique_ptr<TMenuLevel>> FLevels;
    bool FDone = false;
    bool FArmed = false; // the pointer has been over the menu since it opened
    TMenuItem* FChosen = nullptr;
};

TMenuTracker* current = nullptr;
TMenuTracker* opening = nullptr; // the tracker whose first level is being drawn

void PrepareMenuCanvas(TCanvas& canvas) {
    AssignSystemMenuFont(canvas.Font());
}

TMenuItem* TMenuTracker::Run(TMenuItem* root, int x, int y) {
    opening = this;
    try {
        Open(root, x, y, x);
    } catch (...) {
        opening = nullptr;
        CloseAbove(0);
        throw;
    }
    opening = nullptr;
    if (FLevels.empty())
        return nullptr;
    TInputGrab* previousGrab = Application().InputGrab();
    TMenuTracker* previous = current;
    current = this;
    Application().SetInputGrab(this);
    try {
        while (!FDone)
            if (!Application().HandleMessage())
                break;
    } catch (...) {
        Application().SetInputGrab(previousGrab);
        current = previous;
        CloseAbove(0);
        throw;
    }
    Application().SetInputGrab(previousGrab);
    current = previous;
    CloseAbove(0);
    return FChosen;
}

void TMenuTracker::Open(TMenuItem* parent, int x, int y, int avoidLeft) {
    auto level = std::make_unique<TMenuLevel>();
    level->Parent = parent;
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
        level->Items.push_back(item);
        level->Rects.push_back(Rect(kMenuFrame, height, 0, height + h));
        width = std::max(width, w);
        height += h;
    }
    if (level->Items.empty())
        return;
    for (TRect& r : level->Rects)
        r.Right = kMenuFrame + width;
    int w = width + 2 * kMenuFrame, h = height + kMenuFrame;
    // Keep the menu on the work area: flip to the other side of the point
    // (or of the parent level) when it would leave it.
    TWsRect area = WindowSystem().WorkArea();
    if (x + w > area.Right)
        x = std::max<int>(area.Left, avoidLeft - w);
    if (y + h > area.Bottom)
        y = std::max<int>(area.Top, area.Bottom - h);
    level->Bounds = Bounds(x, y, w, h);
    level->Window = WindowSystem().CreateWindow(TWsWindowKind::Popup, TWsRect{x, y, x + w, y + h});
    level->Surface.SetSize(w, h);
    TMenuLevel& ref = *level;
    FLevels.push_back(std::move(level));
    Paint(ref);
    WindowSystem().ShowWindow(ref.Window, true);
}

void TMenuTracker::CloseAbove(size_t depth) {
    while (FLevels.size() > depth) {
        WindowSystem().DestroyWindow(FLevels.back()->Window);
        FLevels.pop_back();
    }
}

void TMenuTracker::Paint(TMenuLevel& level) {
    if (level.ScreenCanvas.Target() != &level.Surface) {
        level.ScreenCanvas.SetTarget(&level.Surface);
        level.ScreenCanvas.SetOrigin(Point(-level.Bounds.Left, -level.Bounds.Top));
    }
    TCanvas& c = level.Surface.Canvas();
    c.ResetClip();
    c.SetOrigin(Point(0, 0));
    PrepareMenuCanvas(c);
    TRect all = Rect(0, 0, level.Surface.Width(), level.Surface.Height());
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
    for (size_t i = 0; i < level.Items.size(); ++i) {
        int state = c.SaveState();
        c.IntersectClipRect(level.Rects[i]);
        PrepareMenuCanvas(c);
        level.Items[i]->DrawItem(c, level.Rects[i], static_cast<int>(i) == level.Selected);
        c.RestoreState(state);
    }
    PresentSurface(level.Window, level.Surface, all);
}

void TMenuTracker::Select(size_t depth, int index) {
    TMenuLevel& level = *FLevels[depth];
    if (level.Selected == index)
        return;
    level.Selected = index;
    Paint(level);
}

void TMenuTracker::Activate(size_t depth, int index, bool fromKeyboard) {
    TMenuLevel& level = *FLevels[depth];
    if (index < 0 || index >= static_cast<int>(level.Items.size()))
        return;
    TMenuItem* item = level.Items[static_cast<size_t>(index)];
    if (!Selectable(item))
        return;
    Select(depth, index);
    if (item->Count() > 0) {
        if (FLevels.size() > depth + 1 && FLevels[depth + 1]->Parent == item)
            return;
        CloseAbove(depth + 1);
        const TRect& r = level.Rects[static_cast<size_t>(index)];
        Open(item, level.Bounds.Right - kMenuFrame, level.Bounds.Top + r.Top - kMenuFrame,
             level.Bounds.Left + kMenuFrame);
        if (fromKeyboard && FLevels.size() > depth + 1)
            for (size_t i = 0; i < FLevels[depth + 1]->Items.size(); ++i)
                if (Selectable(FLevels[depth + 1]->Items[i])) {
                    Select(depth + 1, static_cast<int>(i));
                    break;
                }
        return;
    }
    FChosen = item;
    FDone = true;
}

bool TMenuTracker::HitTest(const TPoint& p, size_t& depth, int& index) const {
    for (size_t d = FLevels.size(); d-- > 0;) {
        const TMenuLevel& level = *FLevels[d];
        if (!PtInRect(level.Bounds, p))
            continue;
        depth = d;
        index = -1;
        TPoint local = Point(p.X - level.Bounds.Left, p.Y - level.Bounds.Top);
        for (size_t i = 0; i < level.Rects.size(); ++i)
            if (PtInRect(level.Rects[i], local))
                index = static_cast<int>(i);
        return true;
    }
    return false;
}

void TMenuTracker::Move(int step) {
    size_t depth = FLevels.size() - 1;
    TMenuLevel& level = *FLevels[depth];
    int n = static_cast<int>(level.Items.size());
    int i = level.Selected;
    for (int k = 0; k < n; ++k) {
        i = i < 0 ? (step > 0 ? 0 : n - 1) : (i + step + n) % n;
        if (Selectable(level.Items[static_cast<size_t>(i)])) {
            Select(depth, i);
            return;
        }
    }
}

bool TMenuTracker::HandleEvent(const TWsEvent& e) {
    if (FDone || FLevels.empty())
        return false;
    TPoint p = Point(e.X, e.Y);
    size_t depth = 0;
    int index = -1;
    switch (e.Type) {
    case TWsEventType::MouseMove:
        if (HitTest(p, depth, index) && index >= 0) {
            FArmed = true;
            TMenuItem* item = FLevels[depth]->Items[static_cast<size_t>(index)];
            if (FLevels.size() > depth + 1 && FLevels[depth + 1]->Parent != item)
                CloseAbove(depth + 1);
            Select(depth, Selectable(item) ? index : -1);
            if (Selectable(item) && item->Count() > 0)
                Activate(depth, index, false);
        }
        return true;
    case TWsEventType::MouseDown:
        if (!HitTest(p, depth, index)) {
            FDone = true; // a press outside closes the menu and goes nowhere
            return true;
        }
        FArmed = true;
        if (index >= 0 && FLevels[depth]->Items[static_cast<size_t>(index)]->Count() > 0)
            Activate(depth, index, false);
        return true;
    case TWsEventType::MouseUp:
        if (FArmed && HitTest(p, depth, index) && index >= 0 &&
            FLevels[depth]->Items[static_cast<size_t>(index)]->Count() == 0)
            Activate(depth, index, false);
        return true;
    case TWsEventType::MouseWheel:
        return true;
    case TWsEventType::KeyDown: {
        size_t last = FLevels.size() - 1;
        switch (e.Key) {
        case VK_UP:
            Move(-1);
            break;
        case VK_DOWN:
            Move(1);
            break;
        case VK_RIGHT:
            if (FLevels[last]->Selected >= 0)
                if (FLevels[last]->Items[static_cast<size_t>(FLevels[last]->Selected)]->Count() > 0)
                    Activate(last, FLevels[last]->Selected, true);
            break;
        case VK_LEFT:
            if (last > 0)
                CloseAbove(last);
            break;
        case VK_ESCAPE:
            if (last > 0)
                CloseAbove(last);
            else
                FDone = true;
            break;
        case VK_MENU:
            FDone = true;
            break;
        case VK_RETURN:
        case VK_SPACE:
            Activate(last, FLevels[last]->Selected, true);
            break;
        default:
            if ((e.Key >= 'A' && e.Key <= 'Z') || (e.Key >= '0' && e.Key <= '9')) {
                // The "&" letter chooses at once when only one item has it;
                // several take turns in the selection.
                TMenuLevel& level = *FLevels[last];
                std::vector<int> matches;
                for (size_t i = 0; i < level.Items.size(); ++i)
                    if (Selectable(level.Items[i]) && AccelOf(level.Items[i]->Caption()) == e.Key)
                        matches.push_back(static_cast<int>(i));
                if (matches.size() == 1) {
                    Activate(last, matches[0], true);
                } else if (!matches.empty()) {
                    auto next = std::upper_bound(matches.begin(), matches.end(), level.Selected);
                    Select(last, next == matches.end() ? matches[0] : *next);
                }
            }
            break;
        }
        return true;
    }
    case TWsEventType::KeyUp:
    case TWsEventType::Char:
        return true;
    case TWsEventType::Quit:
    case TWsEventType::Close:
        FDone = true;
        return false;
    default:
        return false;
    }
}

} // namespace

TMenuItem* TrackMenu(TMenuItem* parent, int x, int y, bool click) {
    TMenuTracker tracker;
    TMenuItem* chosen = tracker.Run(parent, x, y);
    if (chosen != nullptr && click)
        chosen->Click();
    return chosen;
}

bool GetMenuWindowOfCanvas(const TCanvas& canvas, TRect& screenRect, TCanvas*& screenCanvas) {
    // The levels being built are not current yet: look at the tracker that
    // is running and, while a tracker opens its first level, at that one.
    for (TMenuTracker* t : {current, opening})
        if (t != nullptr)
            if (TMenuLevel* level = t->LevelOfCanvas(canvas)) {
                screenRect = level->Bounds;
                screenCanvas = &level->ScreenCanvas;
                return true;
            }
    return false;
}

bool IsMenuOpen() {
    return current != nullptr;
}

void CloseOpenMenu() {
    if (current != nullptr)
        current->Cancel();
}
