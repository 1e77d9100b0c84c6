#pragma once
// Menus: TMenuItem trees held by a TPopupMenu or TMainMenu. An open menu is
// tracked by the menu tracker (MenuTracker.h), and the chosen item's Click
// runs once the menu is closed. Items draw themselves unless they have
// measure and draw handlers (owner drawing). Every change of an item reaches
// its menu's MenuChanged (the menu-changed notification).

#include "framework/components/Components.h"
#include "framework/components/Messages.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Types.h"

#include <string>
#include <vector>

class TMenu;

SSI_DECLARE_EXCEPTION(EMenuError, Exception)
class TImageList;

// A shortcut: a virtual-key code plus modifier bits.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(uint16_t key, uint32_t shiftState /* ssShift, ssCtrl, ssAlt */);
// "Ctrl+S", "Shift+F5", "Del"... as menus show them.
std::string ShortCutToText(TShortCut shortCut);

// Owner drawing: `rect` is the item's rectangle on `canvas`.
using TMenuDrawItemEvent = TEvent<TObject*, TCanvas&, TRect, bool /*selected*/>;
using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas&, int& /*width*/, int& /*height*/>;
using TMenuChangeEvent = TEvent<TObject*, class TMenuItem* /*source*/, bool /*rebuild*/>;

class TMenuItem : public TComponent {
    SSI_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;
    static void DeclarePublished(TPropertyBuilder& p);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TShortCut ShortCutValue() const { return FShortCut; }
    void SetShortCut(TShortCut value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    // A separator: the caption "-".
    bool IsLine() const { return FCaption == "-"; }

    // --- Sub-items ---
    int Count() const { return static_cast<int>(FItems.size()); }
    // Fails with "Menu index out of range".
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out without destroying it.
    void Remove(TMenuItem* item);
    // Destroys the sub-item at `index`.
    void Delete(int index);
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // The menu the item belongs to, through its parents.
    TMenu* GetParentMenu() const;

    // OnClick (a programmatic click works on disabled items too).
    virtual void Click();

    TNotifyEvent& OnClick() { return FOnClick; }
    void SetOnClick(const TNotifyEvent& e) { FOnClick = e; }
    TMenuDrawItemEvent& OnDrawItem() { return FOnDrawItem; }
    void SetOnDrawItem(const TMenuDrawItemEvent& e);
    TMenuMeasureItemEvent& OnMeasureItem() { return FOnMeasureItem; }
    void SetOnMeasureItem(const TMenuMeasureItemEvent& e);

    // Size of the item in an open menu: the measure handler when there is
    // one (it starts from the default size), else the default.
    void MeasureItem(TCanvas& canvas, int& width, int& height);
    // Draws the item: the draw handler when there is one, else the default.
    void DrawItem(TCanvas& canvas, const TRect& rect, bool selected);
    // The default drawing, for draw handlers that want it after all.
    void DefaultDrawItem(TCanvas& canvas, const TRect& rect, bool selected);

    // Layouts nest items in their parent item or menu.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

protected:
    // Passes a change up to the menu.
    void MenuChanged(bool rebuild);

private:
    friend class TMenu;
    std::string FCaption;
    bool FChecked = false;
    bool FDefault = false;
    bool FEnabled = true;
    int FImageIndex = -1;
    TShortCut FShortCut = 0;
    bool FVisible = true;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on the root item only
    TNotifyEvent FOnClick;
    TMenuDrawItemEvent FOnDrawItem;
    TMenuMeasureItemEvent FOnMeasureItem;
};

class TMenu : public TComponent {
    SSI_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    static void DeclarePublished(TPropertyBuilder& p);

    // The invisible root whose sub-items are the menu's items.
    TMenuItem* Items() const { return FItems; }
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool value);
    // The images items show by ImageIndex (not owned; forgotten when it is
    // destroyed).
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);
    TMenuChangeEvent& OnChange() { return FOnChange; }
    void SetOnChange(const TMenuChangeEvent& e) { FOnChange = e; }

    // Whether a WM_KEYDOWN / WM_SYSKEYDOWN message is the shortcut of an
    // enabled, visible item; that item is clicked.
    bool IsShortCut(const TMessage& keyMessage);
    // The item with that shortcut, or null.
    TMenuItem* FindItemByShortCut(TShortCut shortCut) const;

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    // An item or the menu changed: OnChange. `rebuild` when items were added
    // or removed.
    virtual void MenuChanged(TMenuItem* source, bool rebuild);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TMenuItem* FItems;
    bool FOwnerDraw = false;
    TImageList* FImages = nullptr;
    TMenuChangeEvent FOnChange;
};

class TPopupMenu : public TMenu {
    SSI_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    // Opens the menu with its top-left corner at the screen point (moved to
    // stay on the work area) and tracks it until it closes; the chosen
    // item's Click runs before Popup returns.
    virtual void Popup(int x, int y);
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* value) { FPopupComponent = value; }
    TNotifyEvent& OnPopup() { return FOnPopup; }
    void SetOnPopup(const TNotifyEvent& e) { FOnPopup = e; }

private:
    TComponent* FPopupComponent = nullptr;
    TNotifyEvent FOnPopup;
};

class TMainMenu : public TMenu {
    SSI_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* owner);
    // Tells the owning form (CM_MENUCHANGED) after OnChange.
    void MenuChanged(TMenuItem* source, bool rebuild) override;
};
