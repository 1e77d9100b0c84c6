#include "framework/ui/Menus.h"

#include "framework/ui/Application.h"
#include "framework/graphics/Bitmap.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Forms.h"
#include "framework/graphics/ImageList.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/TextDrawing.h"
#include "platform/window/Backend.h"

#include <algorithm>
#include <cctype>
#include <memory>

TShortCut ShortCut(uint16_t key, uint32_t shiftState) {
    TShortCut s = static_cast<TShortCut>(key & 0xFF);
    if (shiftState & ssShift)
        s |= scShift;
    if (shiftState & ssCtrl)
        s |= scCtrl;
    if (shiftState & ssAlt)
        s |= scAlt;
    return s;
}

std::string ShortCutToText(TShortCut shortCut) {
    int key = shortCut & 0xFF;
    std::string name;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        name = std::string(1, static_cast<char>(key));
    else if (key >= VK_F1 && key <= VK_F1 + 11)
        name = Format("F%d", key - VK_F1 + 1);
    else {
        switch (key) {
        case VK_BACK:
            name = "BkSp";
            break;
        case VK_TAB:
            name = "Tab";
            break;
        case VK_RETURN:
            name = "Enter";
            break;
        case VK_ESCAPE:
            name = "Esc";
            break;
        case VK_SPACE:
            name = "Space";
            break;
        case VK_PRIOR:
            name = "PgUp";
            break;
        case VK_NEXT:
            name = "PgDn";
            break;
        case VK_END:
            name = "End";
            break;
        case VK_HOME:
            name = "Home";
            break;
        case VK_LEFT:
            name = "Left";
            break;
        case VK_UP:
            name = "Up";
            break;
        case VK_RIGHT:
            name = "Right";
            break;
        case VK_DOWN:
            name = "Down";
            break;
        case VK_INSERT:
            name = "Ins";
            break;
        case VK_DELETE:
            name = "Del";
            break;
        default:
            return "";
        }
    }
    std::string prefix;
    if (shortCut & scShift)
        prefix += "Shift+";
    if (shortCut & scCtrl)
        prefix += "Ctrl+";
    if (shortCut & scAlt)
        prefix += "Alt+";
    return prefix + name;
}

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
} // namespace

// --- TMenuItem ---

SSI_DEFINE_CLASS(TMenuItem, TComponent)

void TMenuItem::DeclarePublished(TPropertyBuilder& p) {
    p.String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
        .Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
        .Default(0)
        .Boolean("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
        .Default(0)
        .Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
        .Default(1)
        .Integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
        .Default(-1)
        .Integer("ShortCut", &TMenuItem::ShortCutValue, &TMenuItem::SetShortCut)
        .Default(0)
        .Boolean("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
        .Default(1)
        .Event("OnClick", &TMenuItem::OnClick, &TMenuItem::SetOnClick)
        .Event("OnDrawItem", &TMenuItem::OnDrawItem, &TMenuItem::SetOnDrawItem)
        .Event("OnMeasureItem", &TMenuItem::OnMeasureItem, &TMenuItem::SetOnMeasureItem);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    // Sub-items that nobody owns go with their parent; owned ones stay
    // with their owner and only lose the parent.
    std::vector<TMenuItem*> items = FItems;
    FItems.clear();
    for (TMenuItem* item : items) {
        item->FParent = nullptr;
        if (item->Owner() == nullptr)
            item->Free();
    }
    if (FParent != nullptr)
        FParent->Remove(this);
}

void TMenuItem::SetCaption(const std::string& value) {
    if (FCaption == value)
        return;
    FCaption = value;
    MenuChanged(false);
}

void TMenuItem::SetChecked(bool value) {
    if (FChecked == value)
        return;
    FChecked = value;
    MenuChanged(false);
}

void TMenuItem::SetDefault(bool value) {
    if (FDefault == value)
        return;
    FDefault = value;
    MenuChanged(false);
}

void TMenuItem::SetEnabled(bool value) {
    if (FEnabled == value)
        return;
    FEnabled = value;
    MenuChanged(false);
}

void TMenuItem::SetImageIndex(int value) {
    if (FImageIndex == value)
        return;
    FImageIndex = value;
    MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut value) {
    if (FShortCut == value)
        return;
    FShortCut = value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool value) {
    if (FVisible == value)
        return;
    FVisible = value;
    MenuChanged(true);
}

void TMenuItem::SetOnDrawItem(const TMenuDrawItemEvent& e) {
    FOnDrawItem = e;
}

void TMenuItem::SetOnMeasureItem(const TMenuMeasureItemEvent& e) {
    FOnMeasureItem = e;
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EMenuError("Menu index out of range");
    return FItems[static_cast<size_t>(index)];
}

int TMenuItem::MenuIndex() const {
    return FParent == nullptr ? -1 : FParent->IndexOf(this);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (item == nullptr)
        return;
    if (item->FParent != nullptr)
        throw EMenuError("Menu inserted twice");
    for (TMenuItem* p = this; p != nullptr; p = p->FParent)
        if (p == item)
            throw EMenuError("Menu inserted into itself");
    if (index < 0 || index > Count())
        throw EMenuError("Menu index out of range");
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* item) {
    int i = IndexOf(item);
    if (i < 0)
        throw EMenuError("Sub-menu is not in menu");
    FItems.erase(FItems.begin() + i);
    item->FParent = nullptr;
    MenuChanged(true);
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    Remove(item);
    item->Free();
}

void TMenuItem::Clear() {
    while (Count() > 0)
        Delete(Count() - 1);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->FParent != nullptr)
        item = item->FParent;
    return item->FMenu;
}

void TMenuItem::Click() {
    FOnClick(this);
}

void TMenuItem::MenuChanged(bool rebuild) {
    if (TMenu* menu = GetParentMenu())
        if (!menu->HasState(csDestroying))
            menu->MenuChanged(this, rebuild);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent != nullptr && FParent->FMenu != nullptr)
        return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (FParent != nullptr)
        FParent->Remove(this);
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TMenuItem* item : std::vector<TMenuItem*>(FItems))
        if (item->Owner() == root)
            proc(item);
}

namespace {
constexpr int kCheckArea = 20; // left of the text: check mark or image
constexpr int kArrowArea = 20; // right of the text: shortcut gap, sub-menu arrow
constexpr int kSeparatorHeight = 9;
constexpr int kMenuFrame = 3; // the menu window's raised frame
} // namespace

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    if (IsLine()) {
        width = 0;
        height = kSeparatorHeight;
    } else {
        canvas.Font().SetStyle(FDefault ? fsBold : 0);
        TRect r{};
        DrawText(canvas, FCaption, r, DT_CALCRECT | DT_SINGLELINE);
        width = kCheckArea + r.Width() + kArrowArea;
        if (FShortCut != 0)
            width += canvas.TextWidth(ShortCutToText(FShortCut)) + kArrowArea;
        height = std::max<int>(r.Height() + 6, 19);
        canvas.Font().SetStyle(0);
    }
    FOnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const TRect& rect, bool selected) {
    if (FOnDrawItem.Assigned()) {
        FOnDrawItem(this, canvas, rect, selected);
        return;
    }
    DefaultDrawItem(canvas, rect, selected);
}

void TMenuItem::DefaultDrawItem(TCanvas& canvas, const TRect& rect, bool selected) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    bool hot = selected && !IsLine();
    canvas.Brush().SetColor(hot ? clHighlight : clMenu);
    canvas.FillRect(rect);
    if (IsLine()) {
        int y = rect.Top + rect.Height() / 2 - 1;
        canvas.Brush().SetColor(clBtnShadow);
        canvas.FillRect(Rect(rect.Left + 1, y, rect.Right - 1, y + 1));
        canvas.Brush().SetColor(clBtnHighlight);
        canvas.FillRect(Rect(rect.Left + 1, y + 1, rect.Right - 1, y + 2));
        return;
    }
    TColor text = !FEnabled ? clGrayText : hot ? clHighlightText : clMenuText;
    if (FChecked) {
        // A check mark: a short stroke down and a long one up, 3 pixels thick.
        int x = rect.Left + 6, y = rect.Top + rect.Height() / 2 - 1;
        for (int i = 0; i < 7; ++i) {
            int dy = i < 3 ? i : 4 - i;
            for (int t = 0; t < 3; ++t)
                canvas.SetPixel(x + i, y + dy + t, text);
        }
    } else if (FImageIndex >= 0) {
        TMenu* menu = GetParentMenu();
        if (menu != nullptr && menu->Images() != nullptr && FImageIndex < menu->Images()->Count())
            menu->Images()->Draw(canvas, rect.Left + 2, rect.Top + (rect.Height() - 16) / 2,
                                 FImageIndex, FEnabled);
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().SetColor(text);
    canvas.Font().SetStyle(FDefault ? fsBold : 0);
    TRect r = rect;
    r.Left += kCheckArea;
    r.Right -= kArrowArea;
    DrawText(canvas, FCaption, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (FShortCut != 0)
        DrawText(canvas, ShortCutToText(FShortCut), r,
                 DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    canvas.Font().SetStyle(0);
    if (!FItems.empty()) {
        // The sub-menu arrow: a small triangle pointing right.
        int x = rect.Right - 12, cy = rect.Top + rect.Height() / 2;
        for (int i = 0; i < 4; ++i)
            for (int y = cy - 3 + i; y <= cy + 3 - i; ++y)
                canvas.SetPixel(x + i, y, text);
    }
}

// --- TMenu ---

SSI_DEFINE_CLASS(TMenu, TComponent)

void TMenu::DeclarePublished(TPropertyBuilder& p) {
    p.Component("Images", &TMenu::Images, &TMenu::SetImages)
        .Boolean("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
        .Default(0)
        .Event("OnChange", &TMenu::OnChange, &TMenu::SetOnChange);
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(nullptr)) {
    FItems->FMenu = this;
}

TMenu::~TMenu() {
    FItems->Free();
}

void TMenu::SetOwnerDraw(bool value) {
    if (FOwnerDraw == value)
        return;
    FOwnerDraw = value;
    MenuChanged(nullptr, false);
}

void TMenu::SetImages(TImageList* value) {
    if (FImages == value)
        return;
    if (FImages != nullptr)
        FImages->RemoveFreeNotification(this);
    FImages = value;
    if (FImages != nullptr)
        FImages->FreeNotification(this);
    MenuChanged(nullptr, false);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component != nullptr && component == FImages) {
        FImages = nullptr;
        MenuChanged(nullptr, false);
    }
}

void TMenu::MenuChanged(TMenuItem* source, bool rebuild) {
    FOnChange(this, source, rebuild);
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    FItems->GetChildren(proc, root);
}

namespace {
TMenuItem* FindShortCut(TMenuItem* parent, TShortCut shortCut) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible() || !item->Enabled())
            continue;
        if (item->ShortCutValue() == shortCut && item->Count() == 0)
            return item;
        if (TMenuItem* found = FindShortCut(item, shortCut))
            return found;
    }
    return nullptr;
}
} // namespace

TMenuItem* TMenu::FindItemByShortCut(TShortCut shortCut) const {
    if (shortCut == 0)
        return nullptr;
    return FindShortCut(FItems, shortCut);
}

bool TMenu::IsShortCut(const TMessage& m) {
    if (m.Msg != WM_KEYDOWN && m.Msg != WM_SYSKEYDOWN)
        return false;
    uint32_t shift = static_cast<uint32_t>((m.LParam >> 16) & 0xFF);
    TMenuItem* item = FindItemByShortCut(ShortCut(static_cast<uint16_t>(m.WParam), shift));
    if (item == nullptr)
        return false;
    item->Click();
    return true;
}

// --- TPopupMenu, TMainMenu ---

SSI_DEFINE_CLASS(TPopupMenu, TMenu)

void TPopupMenu::DeclarePublished(TPropertyBuilder& p) {
    p.Event("OnPopup", &TPopupMenu::OnPopup, &TPopupMenu::SetOnPopup);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::Popup(int x, int y) {
    FOnPopup(this);
    TrackMenu(Items(), x, y, true);
}

SSI_DEFINE_CLASS(TMainMenu, TMenu)

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

void TMainMenu::MenuChanged(TMenuItem* source, bool rebuild) {
    TMenu::MenuChanged(source, rebuild);
    if (auto* form = dynamic_cast<TControl*>(Owner()))
        if (!form->HasState(csDestroying))
            form->Perform(CM_MENUCHANGED, rebuild ? 1 : 0, reinterpret_cast<intptr_t>(source));
}

// --- Tracking an open menu ---

namespace {

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
