#include "controls/SUIRadioGroup.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Menus.h"
#include "skin/SUIMgr.h"

#include <cstdlib>

// --- TsuiGroupItems ---

int TsuiGroupItems::Add(const std::string& text) {
    int index = TStringList::Add(text);
    Changed();
    return index;
}

void TsuiGroupItems::Insert(int index, const std::string& text) {
    TStringList::Insert(index, text);
    Changed();
}

void TsuiGroupItems::Delete(int index) {
    TStringList::Delete(index);
    Changed();
}

void TsuiGroupItems::Put(int index, const std::string& text) {
    TStringList::Put(index, text);
    Changed();
}

void TsuiGroupItems::Clear() {
    TStringList::Clear();
    Changed();
}

void TsuiGroupItems::Assign(const TStringList& other) {
    TStringList::Assign(other);
    Changed();
}

void TsuiGroupItems::SetText(const std::string& text) {
    TStringList::SetText(text);
    Changed();
}

// --- Item buttons ---

SSI_DEFINE_CLASS(TsuiCheckGroupButton, TsuiCheckBox)

TsuiCheckGroupButton::TsuiCheckGroupButton(TComponent* owner)
    : TsuiCheckBox(owner), FGroup(dynamic_cast<TsuiCheckGroup*>(owner)) {}

SSI_DEFINE_CLASS(TsuiRadioGroupButton, TsuiRadioButton)

TsuiRadioGroupButton::TsuiRadioGroupButton(TComponent* owner)
    : TsuiRadioButton(owner), FGroup(dynamic_cast<TsuiRadioGroup*>(owner)) {}

bool TsuiRadioGroupButton::NeedFocusRect() {
    return Checked() && ((FGroup != nullptr && FGroup->Focused()) || Focused());
}

void TsuiRadioGroupButton::Toggle() {
    // On another parent than a radio group the item acts as a radio button.
    auto* group = dynamic_cast<TsuiRadioGroup*>(Parent());
    if (group == nullptr || group->CanChangeItem())
        TsuiRadioButton::Toggle();
}

// --- TsuiCheckGroup ---

SSI_DEFINE_CLASS(TsuiCheckGroup, TsuiCustomGroupBox)

void TsuiCheckGroup::DeclarePublished(TPropertyBuilder& p) {
    // Cursor is the items' and keeps the control's slot.
    using G = TsuiCheckGroup;
    p.Object("Items", &G::Items, &G::SetItems)
        .Integer("Columns", &G::Columns, &G::SetColumns)
        .Integer("TopMargin", &G::TopMargin, &G::SetTopMargin)
        .Color("FontColor", &G::FontColor, &G::SetFontColor)
        .Color("BorderColor", &G::BorderColor, &G::SetBorderColor)
        .Integer("Cursor", &G::Cursor, &G::SetCursor, kCursorIdents)
        .Default(crDefault)
        .Event("OnClick", &G::OnClick, &G::SetOnClick)
        .Inherited("OnEnter")
        .Inherited("OnExit");
}

TsuiCheckGroup::TsuiCheckGroup(TComponent* owner) : TsuiCustomGroupBox(owner) {
    FItems.OnChange = [this] { SyncItems(); };
    SetTabStop(true);
    // A click on the group's own area counts as an item click.
    TControl::SetOnClick(TNotifyEvent(this, &TsuiCheckGroup::ItemClick));
}

TsuiCheckGroup::~TsuiCheckGroup() {
    FDestroying = true;
    FItems.OnChange = nullptr;
    std::vector<TsuiCheckBox*> buttons;
    buttons.swap(FButtons);
    for (TsuiCheckBox* button : buttons)
        button->Free();
}

TsuiCheckBox* TsuiCheckGroup::ItemButton(int index) const {
    if (index < 0 || index >= ItemCount())
        throw EListError(Format("List index out of bounds (%d)", index));
    return FButtons[static_cast<size_t>(index)];
}

TsuiCheckBox* TsuiCheckGroup::CreateItemButton() {
    return new TsuiCheckGroupButton(this);
}

void TsuiCheckGroup::SyncItems() {
    if (FDestroying)
        return;
    int missing = FItems.Count() - ItemCount();
    const bool created = missing > 0;
    for (; missing > 0; --missing) {
        TsuiCheckBox* button = CreateItemButton();
        button->SetParent(this);
        button->Font()->Assign(FontRef());
        button->SetAutoSize(true);
        button->SetFileTheme(FileTheme());
        button->SetUIStyle(UIStyle());
        button->SetTransparent(Transparent());
        button->SetParentColor(true);
        button->SetTabStop(false);
        button->SetOnClick(TNotifyEvent(this, &TsuiCheckGroup::ItemClick));
        button->TControl::SetCursor(FItemCursor);
        FButtons.push_back(button);
    }
    for (; missing < 0; ++missing) {
        TsuiCheckBox* button = FButtons.back();
        FButtons.pop_back();
        button->Free();
    }
    for (int i = 0; i < ItemCount(); ++i) {
        FButtons[static_cast<size_t>(i)]->SetCaption(FItems[i]);
        FButtons[static_cast<size_t>(i)]->SetAutoSize(true);
    }
    LayoutItems();
    if (created) {
        // Setting it both ways reaches every button and repaints them all.
        SetTransparent(!Transparent());
        SetTransparent(!Transparent());
    }
}

void TsuiCheckGroup::LayoutItems() {
    const int n = ItemCount();
    if (n == 0)
        return;
    const int columns = FColumns > 0 ? FColumns : 1;
    const TRect r = ClientRect();
    const TRect inner = Rect(r.Left + 3, r.Top + FontPixelHeight(), r.Right - 2, r.Bottom - 2);
    const int top = inner.Top + FTopMargin;
    const int avail = inner.Bottom - top;
    const int rows = (n + columns - 1) / columns;
    const int columnWidth = (Width() - 10) / columns;
    const int rowHeight = avail / rows;
    const int firstTop = top + (avail % rows) / 2;
    for (int i = 0; i < n; ++i) {
        TsuiCheckBox* button = FButtons[static_cast<size_t>(i)];
        button->SetBounds((i / rows) * columnWidth + 8, (i % rows) * rowHeight + firstTop,
                          button->Width(), button->Height());
    }
}

void TsuiCheckGroup::SetColumns(int value) {
    if (value < 0)
        return;
    FColumns = value;
    LayoutItems();
}

void TsuiCheckGroup::SetTopMargin(int value) {
    if (value < 0)
        return;
    FTopMargin = value;
    LayoutItems();
}

void TsuiCheckGroup::SetCursor(TCursor value) {
    for (TsuiCheckBox* button : FButtons)
        button->TControl::SetCursor(value);
    FItemCursor = value;
}

void TsuiCheckGroup::SetTransparent(bool value) {
    TsuiCustomGroupBox::SetTransparent(value);
    for (TsuiCheckBox* button : FButtons)
        button->SetTransparent(value);
}

void TsuiCheckGroup::ApplyUIStyle(TsuiUIStyle style, TsuiFileTheme* fileTheme) {
    TsuiCustomGroupBox::ApplyUIStyle(style, fileTheme);
    for (TsuiCheckBox* button : FButtons) {
        button->SetFileTheme(fileTheme);
        button->SetUIStyle(style);
        button->SetColor(Color());
    }
}

void TsuiCheckGroup::ItemClick(TObject*) {
    TComponentTracker alive(this);
    ItemClicked();
    if (alive.Exists() && !Loading())
        FOnGroupClick(this);
}

void TsuiCheckGroup::FocusItem() {
    if (FItems.Count() > 0 && !FButtons.empty() && FButtons.front()->CanFocus())
        FButtons.front()->SetFocus();
}

void TsuiCheckGroup::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_SIZE:
        TsuiCustomGroupBox::WndProc(m);
        LayoutItems();
        return;
    case CM_FONTCHANGED:
        TsuiCustomGroupBox::WndProc(m);
        for (TsuiCheckBox* button : FButtons)
            button->Font()->Assign(FontRef());
        return;
    case WM_SETFOCUS: {
        TsuiCustomGroupBox::WndProc(m);
        // Shift+Tab from an item comes back to the group first: the focus
        // goes on backwards instead of returning to the item.
        TWinControl* previous = TWinControl::FindControl(static_cast<HWND>(m.WParam));
        if (previous != nullptr && previous != this && ContainsControl(previous)) {
            if (TCustomForm* form = ParentForm())
                form->SelectNext(this, false, true);
            return;
        }
        FocusItem();
        return;
    }
    default:
        break;
    }
    TsuiCustomGroupBox::WndProc(m);
}

// --- TsuiRadioGroup ---

SSI_DEFINE_CLASS(TsuiRadioGroup, TsuiCheckGroup)

void TsuiRadioGroup::DeclarePublished(TPropertyBuilder& p) {
    p.Integer("ItemIndex", &TsuiRadioGroup::ItemIndex, &TsuiRadioGroup::SetItemIndex);
}

TsuiRadioGroup::TsuiRadioGroup(TComponent* owner) : TsuiCheckGroup(owner) {}

TsuiCheckBox* TsuiRadioGroup::CreateItemButton() {
    return new TsuiRadioGroupButton(this);
}

int TsuiRadioGroup::ItemIndex() const {
    for (int i = 0; i < ItemCount(); ++i)
        if (Buttons()[static_cast<size_t>(i)]->Checked())
            return i;
    return -1;
}

void TsuiRadioGroup::SetItemIndex(int value) {
    if (value > Items()->Count() - 1 || value < -1 || value >= ItemCount())
        return;
    if (value == -1) {
        for (TsuiCheckBox* button : Buttons())
            button->SetChecked(false);
        return;
    }
    Buttons()[static_cast<size_t>(value)]->SetChecked(true);
}

void TsuiRadioGroup::FocusItem() {
    const int index = ItemIndex();
    if (index >= 0 && index < Items()->Count() && index < ItemCount() &&
        Buttons()[static_cast<size_t>(index)]->CanFocus())
        Buttons()[static_cast<size_t>(index)]->SetFocus();
}
