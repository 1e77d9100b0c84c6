#pragma once
// The framework's demonstration form, built from a stored layout: a tool
// bar, a panel with a caption, a label, a memo, two buttons and a pop-up menu that
// the "&Menu..." button (or a click on the panel) opens. Choosing a menu
// item writes its caption into the status label. Used by the widgets-demo
// program and the end-to-end test in a real X server.

#include "framework/ui/Button.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Label.h"
#include "framework/ui/Menus.h"
#include "framework/ui/Panel.h"

class TDemoForm : public TForm {
    SSI_CLASS(TDemoForm, TForm)
public:
    explicit TDemoForm(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    // Registers the classes and reads the layout into a new form.
    static TDemoForm* Create(TComponent* owner);

    TLabel* Status() const;
    TPanel* Panel() const;
    TButton* MenuButton() const;
    TPopupMenu* Menu() const;

    void MenuButtonClick(TObject* sender);
    void PanelClick(TObject* sender);
    void ItemClick(TObject* sender);
    void CloseButtonClick(TObject* sender);
};
