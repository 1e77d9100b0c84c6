// Forms read from stored layouts: classes created by name, nesting, the
// published order of values, references resolved after loading.

#include "support/HeadlessApplicationTest.h"

#include "framework/ui/Button.h"
#include "framework/components/ClassRegistry.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Label.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/LayoutWriter.h"
#include "framework/ui/Menus.h"
#include "framework/ui/PageControl.h"
#include "framework/ui/Panel.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/ui/Timer.h"
#include "framework/ui/ToolBar.h"

namespace {

class TLayoutForm : public TForm {
    SSI_CLASS(TLayoutForm, TForm)
public:
    explicit TLayoutForm(TComponent* owner) : TForm(owner) {}
    static void DeclarePublished(TPropertyBuilder& p) {
        p.Method("NextClick", &TLayoutForm::NextClick).Method("FormShow", &TLayoutForm::FormShow);
    }
    void NextClick(TObject*) { ++NextClicks; }
    void FormShow(TObject*) { ++Shows; }
    int NextClicks = 0;
    int Shows = 0;
};
SSI_DEFINE_CLASS(TLayoutForm, TForm)

const char* const kLayout = R"(object WizardForm: TLayoutForm
  Left = 200
  Top = 120
  BorderStyle = bsNone
  Caption = 'Wizard'
  ClientHeight = 200
  ClientWidth = 320
  Color = clWhite
  Font.Name = 'Tahoma'
  Font.Height = -11
  OnShow = FormShow
  object Pages: TPageControl
    Left = 0
    Top = 0
    Width = 320
    Height = 160
    Align = alClient
    ActivePage = SecondSheet
    object FirstSheet: TTabSheet
      Caption = 'First'
      TabVisible = False
      object Title: TLabel
        Left = 8
        Top = 8
        Caption = 'Welcome'
        Font.Style = [fsBold]
        ParentFont = False
      end
    end
    object SecondSheet: TTabSheet
      Caption = 'Second'
      TabVisible = False
      object Side: TPanel
        Left = 0
        Top = 0
        Width = 60
        Height = 10
        Align = alLeft
        BevelOuter = bvNone
        Caption = 'Side'
      end
    end
  end
  object Bottom: TPanel
    Left = 0
    Top = 160
    Width = 320
    Height = 40
    Align = alBottom
    object NextBtn: TButton
      Left = 230
      Top = 8
      Width = 75
      Height = 25
      Caption = '&Next'
      Default = True
      TabOrder = 0
      OnClick = NextClick
    end
  end
  object Timer: TTimer
    Enabled = False
    Interval = 100
  end
  object Menu: TPopupMenu
    object ItemOpen: TMenuItem
      Caption = '&Open'
      ShortCut = 16463
      object ItemSub: TMenuItem
        Caption = 'Sub'
      end
    end
    object ItemLine: TMenuItem
      Caption = '-'
    end
  end
end
)";

} // namespace

TEST_F(HeadlessApplicationTest, FormFromAStoredLayout) {
    RegisterFrameworkClasses();
    RegisterClasses<TLayoutForm>();
    auto* form = dynamic_cast<TLayoutForm*>(CreateFromLayout(kLayout, &Application()));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->ClientWidth(), 320);
    EXPECT_EQ(form->Caption(), "Wizard");
    EXPECT_EQ(form->Font()->Name(), "Tahoma");
    auto* pages = dynamic_cast<TPageControl*>(form->FindComponent("Pages"));
    auto* second = dynamic_cast<TTabSheet*>(form->FindComponent("SecondSheet"));
    auto* title = dynamic_cast<TLabel*>(form->FindComponent("Title"));
    auto* bottom = dynamic_cast<TPanel*>(form->FindComponent("Bottom"));
    auto* next = dynamic_cast<TButton*>(form->FindComponent("NextBtn"));
    auto* side = dynamic_cast<TPanel*>(form->FindComponent("Side"));
    auto* menu = dynamic_cast<TPopupMenu*>(form->FindComponent("Menu"));
    ASSERT_TRUE(pages && second && title && bottom && next && side && menu);
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), second) << "the reference resolved after loading";
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_FALSE(pages->Pages(0)->Visible());
    EXPECT_EQ(pages->BoundsRect(), Rect(0, 0, 320, 160));
    EXPECT_EQ(second->BoundsRect(), Rect(0, 0, 320, 160));
    EXPECT_EQ(side->BoundsRect(), Rect(0, 0, 60, 160));
    EXPECT_EQ(title->Font()->Name(), "Tahoma")
        << "the font came from the form before its own style";
    EXPECT_EQ(title->Font()->Style(), fsBold);
    EXPECT_GT(title->Width(), 0);
    EXPECT_EQ(next->Parent(), bottom);
    ASSERT_EQ(menu->Items()->Count(), 2);
    EXPECT_EQ(menu->Items()->Items(0)->ShortCutValue(), ShortCut('O', ssCtrl));
    EXPECT_EQ(menu->Items()->Items(0)->Items(0)->Caption(), "Sub");
    EXPECT_TRUE(menu->Items()->Items(1)->IsLine());

    // Running it: the stored handlers are bound.
    form->Show();
    EXPECT_EQ(form->Shows, 1);
    EXPECT_EQ(form->ActiveControl(), pages) << "the first in tab order";
    Key(VK_RETURN); // the default button takes it

    EXPECT_EQ(form->NextClicks, 1);

    // Written back and read again, the layout keeps what matters.
    std::string written = WriteLayout(*form);
    EXPECT_NE(written.find("object ItemSub: TMenuItem"), std::string::npos);
    EXPECT_NE(written.find("    object NextBtn: TButton"), std::string::npos)
        << "nested in its panel:\n"
        << written;
    auto* again = dynamic_cast<TLayoutForm*>(CreateFromLayout(written, nullptr));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(WriteLayout(*again), written);
    again->Free();
}

TEST_F(HeadlessApplicationTest, LaterStoredValuesWin) {
    RegisterFrameworkClasses();
    // The label's Caption (stored before AutoSize in published order) sizes
    // it; Width written in the layout comes first and is overridden by the
    // auto size computed in Loaded, unless AutoSize is off.
    const char* layout = R"(object F: TForm
  object L1: TLabel
    Width = 300
    Caption = 'x'
  end
  object L2: TLabel
    Width = 300
    AutoSize = False
    Caption = 'x'
  end
end
)";
    auto* form = dynamic_cast<TForm*>(CreateFromLayout(layout, &Application()));
    ASSERT_NE(form, nullptr);
    EXPECT_LT(dynamic_cast<TLabel*>(form->FindComponent("L1"))->Width(), 300);
    EXPECT_EQ(dynamic_cast<TLabel*>(form->FindComponent("L2"))->Width(), 300);
}
