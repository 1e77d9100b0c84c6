#include "framework/ui/Menus.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/Controls.h"
#include "framework/ui/MenuTracker.h"

#include <algorithm>

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
