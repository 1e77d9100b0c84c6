#pragma once
// Group boxes that make and lay out their own item buttons, one per line of
// Items, in Columns columns filled top to bottom: TsuiCheckGroup with check
// boxes (any number checked) and TsuiRadioGroup with radio buttons (one
// selected, ItemIndex). A click on an item, or on the group's own area,
// fires the group's OnClick. The focus given to a group goes on to an item;
// the arrow keys move it between the items, which selects a radio item.

#include "controls/SUIButton.h"
#include "controls/SUIGroupBox.h"
#include "framework/base/StringList.h"

#include <functional>
#include <vector>

class TsuiCheckGroup;
class TsuiRadioGroup;

// The lines of a group's Items: every change tells the group.
class TsuiGroupItems : public TStringList {
public:
    int Add(const std::string& text);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Put(int index, const std::string& text);
    void Clear();
    void Assign(const TStringList& other);
    void SetText(const std::string& text);

    std::function<void()> OnChange;

private:
    void Changed() {
        if (OnChange)
            OnChange();
    }
};

// An item of a check group; it draws its focus rectangle while focused
// (items are no tab stops).
class TsuiCheckGroupButton : public TsuiCheckBox {
    SSI_CLASS(TsuiCheckGroupButton, TsuiCheckBox)
public:
    explicit TsuiCheckGroupButton(TComponent* owner);
    TsuiCheckGroup* Group() const { return FGroup; }

protected:
    bool NeedFocusRect() override { return Focused(); }

private:
    TsuiCheckGroup* FGroup;
};

// An item of a radio group; the selected item shows the focus rectangle
// while the group or the item has the focus.
class TsuiRadioGroupButton : public TsuiRadioButton {
    SSI_CLASS(TsuiRadioGroupButton, TsuiRadioButton)
public:
    explicit TsuiRadioGroupButton(TComponent* owner);
    TsuiRadioGroup* Group() const { return FGroup; }

protected:
    bool NeedFocusRect() override;
    // Selects itself only when its radio group lets the item change.
    void Toggle() override;

private:
    TsuiRadioGroup* FGroup;
};

class TsuiCheckGroup : public TsuiCustomGroupBox {
    SSI_CLASS(TsuiCheckGroup, TsuiCustomGroupBox)
public:
    explicit TsuiCheckGroup(TComponent* owner);
    ~TsuiCheckGroup() override;
    static void DeclarePublished(TPropertyBuilder& p);

    // One item button per line, made, captioned, freed and laid out again
    // after every change.
    TsuiGroupItems* Items() { return &FItems; }
    void SetItems(const TStringList& value) { FItems.Assign(value); }
    // Values below 0 are ignored; 0 lays the items out as 1 column.
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    // Pixels between the caption line and the first row; below 0 ignored.
    int TopMargin() const { return FTopMargin; }
    void SetTopMargin(int value);
    TColor FontColor() const { return FontRef().Color(); }
    void SetFontColor(TColor value) { Font()->SetColor(value); }
    // The pointer shape over the item buttons (the group's own stays).
    TCursor Cursor() const { return FItemCursor; }
    void SetCursor(TCursor value);
    // The group's own click event: an item was clicked (a check item
    // toggled, a radio item selected) or the group's area was. The
    // framework's click event (TControl::OnClick) is bound to it.
    TNotifyEvent& OnClick() { return FOnGroupClick; }
    void SetOnClick(const TNotifyEvent& e) { FOnGroupClick = e; }

    // Passed on to every item button too.
    void SetTransparent(bool value) override;

    int ItemCount() const { return static_cast<int>(FButtons.size()); }
    TsuiCheckBox* ItemButton(int index) const;

protected:
    void WndProc(TMessage& message) override;
    // The group box's, then every item button takes the style, the file
    // theme and the group's colour.
    void ApplyUIStyle(TsuiUIStyle style, TsuiFileTheme* fileTheme) override;

    // An item (or the group) was clicked; nothing here.
    virtual void ItemClicked() {}
    // A new item button owned by the group.
    virtual TsuiCheckBox* CreateItemButton();
    // Gives the focus to an item: the first one.
    virtual void FocusItem();

    // Places the item buttons in their columns and rows.
    void LayoutItems();
    const std::vector<TsuiCheckBox*>& Buttons() const { return FButtons; }

private:
    void SyncItems();
    void ItemClick(TObject* sender);

    TsuiGroupItems FItems;
    std::vector<TsuiCheckBox*> FButtons;
    int FColumns = 1;
    int FTopMargin = 8;
    TCursor FItemCursor = crDefault;
    TNotifyEvent FOnGroupClick;
    bool FDestroying = false;
};

class TsuiRadioGroup : public TsuiCheckGroup {
    SSI_CLASS(TsuiRadioGroup, TsuiCheckGroup)
public:
    explicit TsuiRadioGroup(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    // The first checked item, -1 for none. Writing -1 unchecks every item
    // (nothing fires); writing an item's index selects it (OnClick once);
    // other values are ignored.
    int ItemIndex() const;
    void SetItemIndex(int value);
    // Whether a click may select an item; always.
    virtual bool CanChangeItem() { return true; }

protected:
    TsuiCheckBox* CreateItemButton() override;
    // Focuses the selected item (none when nothing is selected).
    void FocusItem() override;
};
