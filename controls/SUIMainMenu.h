#pragma once
// TsuiMainMenu: the skin library's main menu. Its drop-down items are drawn
// like a TsuiPopupMenu's; its top-level items are not shown in a native menu
// bar but in the TsuiMenuBar of the form's TsuiForm: created on a form that
// has one, the menu sets itself as that TsuiForm's Menu.
//
// It keeps a check-mark list of its own, installed as the menu's image list
// while the user has set none: Images then reads none.

#include "controls/SUIPopupMenu.h"
#include "framework/graphics/ImageList.h"

class TsuiMenuBar;

class TsuiMainMenu : public TsuiMenuLook<TMainMenu> {
    SSI_CLASS(TsuiMainMenu, TsuiMenuLook<TMainMenu>)
public:
    explicit TsuiMainMenu(TComponent* owner);
    ~TsuiMainMenu() override;
    static void DeclarePublished(TPropertyBuilder& p);

    // The user's image list, none while the menu's own check marks are
    // installed; none installs the check marks again.
    TImageList* Images() const;
    void SetImages(TImageList* value);
    // Refreshes the font of the menu bar that shows this menu.
    void SetUseSystemFont(bool value) override;

    // The menu bar showing this menu, or none; kept by the Menu setter of
    // the TsuiForm that owns the bar.
    TsuiMenuBar* MenuBar() const { return FMenuBar; }
    void SetMenuBar(TsuiMenuBar* value) { FMenuBar = value; }

    void MenuChanged(TMenuItem* source, bool rebuild) override;

protected:
    void Loaded() override;
    const TImageList* ItemImages() const override { return Images(); }
    const TImageList& CheckMarks() const override { return FCheckMarks; }

private:
    TImageList FCheckMarks;
    TsuiMenuBar* FMenuBar = nullptr;
};
