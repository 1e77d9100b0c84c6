#pragma once
// TsuiMainMenu: the skin library's main menu. Its drop-down items are drawn
// like a TsuiPopupMenu's; its top-level items are not shown in a native menu
// bar but in the painted menu bar of the form's TsuiForm, which the menu
// attaches itself to when it is created on a form that has one.
//
// It keeps a check-mark list of its own, installed as the menu's image list
// while the user has set none: Images then reads none.

#include "controls/SUIPopupMenu.h"
#include "framework/graphics/ImageList.h"

class TsuiForm;

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

    // The TsuiForm showing this menu in its menu bar, or none; kept by that
    // form's Menu setter.
    TsuiForm* SuiForm() const { return FSuiForm; }
    void SetSuiForm(TsuiForm* value) { FSuiForm = value; }

    void MenuChanged(TMenuItem* source, bool rebuild) override;

protected:
    void Loaded() override;
    const TImageList* ItemImages() const override { return Images(); }
    const TImageList& CheckMarks() const override { return FCheckMarks; }

private:
    TImageList FCheckMarks;
    TsuiForm* FSuiForm = nullptr;
};
