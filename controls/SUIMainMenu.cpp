#include "controls/SUIMainMenu.h"

#include "controls/SUIMenuBar.h"
#include "framework/components/Properties.h"
#include "framework/ui/Forms.h"
#include "skin/SUIThemes.h"

SSI_DEFINE_CLASS(TsuiMainMenu, TsuiMenuLook<TMainMenu>)

void TsuiMainMenu::DeclarePublished(TPropertyBuilder& p) {
    p.Component("Images", &TsuiMainMenu::Images, &TsuiMainMenu::SetImages);
    DeclareLook<TsuiMainMenu>(p);
}

TsuiMainMenu::TsuiMainMenu(TComponent* owner)
    : TsuiMenuLook<TMainMenu>(owner), FCheckMarks(16, 16) {
    TBitmap mark;
    LoadSkinBitmap("MENU_CHECKED", mark);
    FCheckMarks.AddMasked(mark, clWhite);
    TMainMenu::SetImages(&FCheckMarks);
    // Dropped on a form: the form's native menu goes, and the form's
    // skinned frame shows this menu instead. The frame is reached through
    // its published Menu, as the skin library reaches it for its style.
    if (auto* form = dynamic_cast<TCustomForm*>(owner)) {
        form->SetMenu(nullptr);
        for (int i = 0; i < form->ControlCount(); ++i)
            if (TControl* child = form->Controls(i); child->InheritsFrom("TsuiForm")) {
                SetComponentProp(*child, "Menu", this);
                break;
            }
    }
}

TsuiMainMenu::~TsuiMainMenu() {
    // The own list goes with this object: the menu must not hear of it.
    TMainMenu::SetImages(nullptr);
}

TImageList* TsuiMainMenu::Images() const {
    TImageList* images = TMainMenu::Images();
    return images == &FCheckMarks ? nullptr : images;
}

void TsuiMainMenu::SetImages(TImageList* value) {
    TMainMenu::SetImages(value != nullptr ? value : &FCheckMarks);
}

void TsuiMainMenu::SetUseSystemFont(bool value) {
    TsuiMenuLook<TMainMenu>::SetUseSystemFont(value);
    if (FMenuBar != nullptr)
        FMenuBar->RefreshFont();
}

void TsuiMainMenu::Loaded() {
    TsuiMenuLook<TMainMenu>::Loaded();
    if (FMenuBar != nullptr)
        FMenuBar->Rebuild();
}

void TsuiMainMenu::MenuChanged(TMenuItem* source, bool rebuild) {
    TsuiMenuLook<TMainMenu>::MenuChanged(source, rebuild);
    if (HasState(csDestroying) || FMenuBar == nullptr ||
        dynamic_cast<TCustomForm*>(Owner()) == nullptr)
        return;
    if (rebuild && !HasState(csLoading))
        FMenuBar->Rebuild();
    else
        FMenuBar->RefreshItems();
}
