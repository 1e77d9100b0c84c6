#include "support/DemoForm.h"

#include "framework/components/ClassRegistry.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/PropertyBuilder.h"

namespace {
const char* const kDemoLayout = R"(object DemoForm: TDemoForm
  Left = 60
  Top = 50
  BorderStyle = bsSingle
  Caption = 'Widgets'
  ClientHeight = 260
  ClientWidth = 320
  Color = clBtnFace
  Font.Name = 'Tahoma'
  Font.Height = -11
  object Bar: TToolBar
    Left = 0
    Top = 0
    Width = 320
    Height = 24
    ShowCaptions = True
    Flat = True
    object NewButton: TToolButton
      Caption = 'New'
      AutoSize = True
    end
    object OpenButton: TToolButton
      Caption = 'Open'
      AutoSize = True
    end
  end
  object InfoPanel: TPanel
    Left = 12
    Top = 36
    Width = 296
    Height = 80
    BevelInner = bvLowered
    Caption = 'Click here for the menu'
    Color = 15132390
    OnClick = PanelClick
  end
  object StatusLabel: TLabel
    Left = 12
    Top = 128
    Caption = 'Nothing chosen yet'
    Font.Style = [fsBold]
    ParentFont = False
    Font.Name = 'Tahoma'
    Font.Height = -11
  end
  object Notes: TMemo
    Left = 12
    Top = 148
    Width = 296
    Height = 68
    Lines.Strings = (
      'A memo with its own scroll bar.'
      'Type, select, cut and paste here;'
      'the wheel and the bar scroll it.'
      'Fourth line'
      'Fifth line'
      'Sixth line')
    ScrollBars = ssVertical
    TabOrder = 2
  end
  object MenuBtn: TButton
    Left = 152
    Top = 226
    Width = 75
    Height = 25
    Caption = '&Menu...'
    TabOrder = 0
    OnClick = MenuButtonClick
  end
  object CloseBtn: TButton
    Left = 233
    Top = 226
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Close'
    TabOrder = 1
    OnClick = CloseButtonClick
  end
  object PopupMenu: TPopupMenu
    object RedItem: TMenuItem
      Caption = '&Red'
      OnClick = ItemClick
    end
    object GreenItem: TMenuItem
      Caption = '&Green'
      Checked = True
      OnClick = ItemClick
    end
    object Line: TMenuItem
      Caption = '-'
    end
    object BlueItem: TMenuItem
      Caption = '&Blue'
      ShortCut = 16450
      OnClick = ItemClick
    end
  end
end
)";
} // namespace

SSI_DEFINE_CLASS(TDemoForm, TForm)

void TDemoForm::DeclarePublished(TPropertyBuilder& p) {
    p.Method("MenuButtonClick", &TDemoForm::MenuButtonClick)
        .Method("PanelClick", &TDemoForm::PanelClick)
        .Method("ItemClick", &TDemoForm::ItemClick)
        .Method("CloseButtonClick", &TDemoForm::CloseButtonClick);
}

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) {}

TDemoForm* TDemoForm::Create(TComponent* owner) {
    RegisterFrameworkClasses();
    RegisterClasses<TDemoForm>();
    return dynamic_cast<TDemoForm*>(CreateFromLayout(kDemoLayout, owner));
}

TLabel* TDemoForm::Status() const {
    return dynamic_cast<TLabel*>(FindComponent("StatusLabel"));
}

TPanel* TDemoForm::Panel() const {
    return dynamic_cast<TPanel*>(FindComponent("InfoPanel"));
}

TButton* TDemoForm::MenuButton() const {
    return dynamic_cast<TButton*>(FindComponent("MenuBtn"));
}

TPopupMenu* TDemoForm::Menu() const {
    return dynamic_cast<TPopupMenu*>(FindComponent("PopupMenu"));
}

void TDemoForm::MenuButtonClick(TObject*) {
    TButton* b = MenuButton();
    TPoint p = b->ClientToScreen(Point(0, b->Height()));
    Menu()->Popup(p.X, p.Y);
}

void TDemoForm::PanelClick(TObject*) {
    TPoint p = Panel()->ClientToScreen(Point(20, 20));
    Menu()->Popup(p.X, p.Y);
}

void TDemoForm::ItemClick(TObject* sender) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    std::string caption = item->Caption();
    std::string plain;
    for (char c : caption)
        if (c != '&')
            plain += c;
    Status()->SetCaption("Chosen: " + plain);
    for (int i = 0; i < Menu()->Items()->Count(); ++i)
        Menu()->Items()->Items(i)->SetChecked(Menu()->Items()->Items(i) == item);
}

void TDemoForm::CloseButtonClick(TObject*) {
    Close();
}
