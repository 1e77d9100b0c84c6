// The routines that work on controls and forms: the initial style from the
// form, passing a style to children, a parent's background under a control,
// the window border, form bounds, the work area and the active caption.
// Always on the headless window system.

#include "SkinTestComponents.h"
#include "support/HeadlessApplicationTest.h"

#include "framework/ui/Application.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/CustomControl.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Label.h"
#include "framework/ui/Panel.h"
#include "framework/components/PropertyBuilder.h"
#include "skin/SUIPublic.h"
#include "skin/SUIStyleLink.h"

#include <gtest/gtest.h>

namespace {

// A skinned control with a window, following the contract through the link
// and recording the published setters' calls.
class TsuiTestWinControl : public TCustomControl {
    SSI_CLASS(TsuiTestWinControl, TCustomControl)
public:
    explicit TsuiTestWinControl(TComponent* owner) : TCustomControl(owner), FStyle(*this, nullptr) {
        FStyle.StartWithFormStyle();
    }
    static void DeclarePublished(TPropertyBuilder& p) {
        p.Component("FileTheme", &TsuiTestWinControl::FileTheme, &TsuiTestWinControl::SetFileTheme);
        p.Enum("UIStyle", TsuiUIStyleInfo(), &TsuiTestWinControl::UIStyle,
               &TsuiTestWinControl::SetUIStyle);
    }
    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* v) {
        Calls.push_back("FileTheme");
        FStyle.SetFileTheme(v);
    }
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    void SetUIStyle(TsuiUIStyle v) {
        Calls.push_back("UIStyle");
        FStyle.SetUIStyle(v);
    }
    std::vector<std::string> Calls;

private:
    TsuiStyleLink FStyle;
};
SSI_DEFINE_CLASS(TsuiTestWinControl, TCustomControl)

// A control class named like the skinned form, so that GetFormUIStyle finds
// it without the controls library.
class TFakeSuiForm : public TCustomControl {
public:
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TsuiForm", &TCustomControl::StaticClassInfo(), &Declare,
                                     nullptr);
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    explicit TFakeSuiForm(TComponent* owner, TsuiUIStyle style)
        : TCustomControl(owner), FUIStyle(style) {}
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle v) { FUIStyle = v; }

private:
    static void Declare(TPropertyBuilder& p) {
        p.Enum("UIStyle", TsuiUIStyleInfo(), &TFakeSuiForm::UIStyle, &TFakeSuiForm::SetUIStyle);
    }
    TsuiUIStyle FUIStyle;
};

// Paints pixel (x, y) of its client area as x + 256 y.
class TPatternControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        for (int y = 0; y < ClientHeight(); ++y)
            for (int x = 0; x < ClientWidth(); ++x)
                Canvas().SetPixel(x, y, TColor(x + 256 * y));
    }
};

class SkinControlHelpers : public HeadlessApplicationTest {
protected:
    TForm* NewForm() { return HeadlessApplicationTest::NewForm(100, 100, 300, 200); }
};

} // namespace

TEST_F(SkinControlHelpers, NewControlsTakeTheStyleOfTheFormsFirstSkinnedForm) {
    TForm* form = NewForm();
    EXPECT_EQ(GetFormUIStyle(form), TsuiUIStyle::DeepBlue);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    auto* nested = new TFakeSuiForm(form, TsuiUIStyle::MacOS);
    nested->SetParent(panel); // not a direct child: not searched
    EXPECT_EQ(GetFormUIStyle(form), TsuiUIStyle::DeepBlue);

    auto* first = new TFakeSuiForm(form, TsuiUIStyle::WinXP);
    first->SetParent(form);
    auto* second = new TFakeSuiForm(form, TsuiUIStyle::Protein);
    second->SetParent(form);
    EXPECT_EQ(GetFormUIStyle(form), TsuiUIStyle::WinXP);
    auto* control = new TsuiTestWinControl(form);
    EXPECT_EQ(control->UIStyle(), TsuiUIStyle::WinXP);

    // Owned by something that is no form, or by nothing.
    EXPECT_EQ(GetFormUIStyle(panel), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(GetFormUIStyle(nullptr), TsuiUIStyle::DeepBlue);
    TsuiTestWinControl loose(nullptr);
    EXPECT_EQ(loose.UIStyle(), TsuiUIStyle::DeepBlue);
}

TEST_F(SkinControlHelpers, StyleGoesToDirectChildrenWithBothPropertiesThemeFirst) {
    TForm* form = NewForm();
    auto* group = new TPanel(form);
    group->SetParent(form);
    auto* check = new TsuiTestWinControl(form);
    check->SetParent(group);
    auto* label = new TLabel(form);
    label->SetParent(group);
    label->SetCaption("plain");
    auto* inner = new TPanel(form);
    inner->SetParent(group);
    auto* grandchild = new TsuiTestWinControl(form);
    grandchild->SetParent(inner);

    TsuiFileTheme theme(nullptr);
    ApplyStyleToChildren(group, TsuiUIStyle::WinXP, &theme);
    EXPECT_EQ(check->Calls, (std::vector<std::string>{"FileTheme", "UIStyle"}));
    EXPECT_EQ(check->UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_EQ(check->FileTheme(), &theme);
    EXPECT_TRUE(grandchild->Calls.empty());
    EXPECT_EQ(grandchild->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(label->Caption(), "plain");
    ApplyStyleToChildren(group, TsuiUIStyle::DeepBlue, nullptr);
    EXPECT_EQ(check->FileTheme(), nullptr);
}

TEST_F(SkinControlHelpers, AParentPaintsItsBackgroundUnderTheControl) {
    TForm* form = NewForm();
    auto* parent = new TPatternControl(form);
    parent->SetParent(form);
    parent->SetBounds(0, 0, 60, 40);
    auto* control = new TsuiTestWinControl(form);
    control->SetParent(parent);
    control->SetBounds(50, 30, 20, 20); // reaches past the parent's client area

    TBitmap off(20, 20);
    off.Canvas().Brush().SetColor(clFuchsia);
    off.Canvas().FillRect(Rect(0, 0, 20, 20));
    DrawParentBackground(off.Canvas(), control);
    EXPECT_EQ(off.Pixel(0, 0), TColor(50 + 256 * 30));
    EXPECT_EQ(off.Pixel(9, 9), TColor(59 + 256 * 39));
    EXPECT_EQ(off.Pixel(10, 5), clFuchsia); // outside the parent: clipped
    EXPECT_EQ(off.Pixel(5, 10), clFuchsia);
    // The canvas is as it was.
    EXPECT_EQ(off.Canvas().Origin(), Point(0, 0));
    EXPECT_EQ(off.Canvas().ClipRect(), Rect(0, 0, 20, 20));

    TsuiTestWinControl orphan(nullptr);
    TBitmap untouched(4, 4);
    DrawParentBackground(untouched.Canvas(), &orphan);
    EXPECT_EQ(untouched.Pixel(0, 0), clWhite);
}

TEST_F(SkinControlHelpers, TheBorderIsDrawnOnTheControlsWindowRectangle) {
    TForm* form = NewForm();
    form->Show();
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 20, 50, 30);
    DrawControlBorder(panel, clRed, clBtnFace, true);
    const TPoint o = form->ClientOffset();
    TBitmap& surface = form->Surface();
    EXPECT_EQ(surface.Pixel(o.X + 10, o.Y + 20), clRed);
    EXPECT_EQ(surface.Pixel(o.X + 59, o.Y + 49), clRed);
    EXPECT_EQ(surface.Pixel(o.X + 11, o.Y + 21), ColorToRGB(clBtnFace));
    EXPECT_EQ(surface.Pixel(o.X + 58, o.Y + 48), ColorToRGB(clBtnFace));

    DrawControlBorder(panel, clLime, clBlue, false);
    EXPECT_EQ(surface.Pixel(o.X + 10, o.Y + 20), clLime);
    EXPECT_EQ(surface.Pixel(o.X + 11, o.Y + 21), ColorToRGB(clBtnFace));
}

TEST_F(SkinControlHelpers, FormBoundsAndTheWorkArea) {
    TForm* form = NewForm();
    SetFormBounds(form, Rect(10, 20, 410, 320));
    EXPECT_EQ(form->BoundsRect(), Rect(10, 20, 410, 320));
    Backend().SetWorkArea({0, 0, 1024, 740});
    EXPECT_EQ(GetScreenWorkArea(), Rect(0, 0, 1024, 740));
}

TEST_F(SkinControlHelpers, TheMainFormCountsAsActiveWhileTheProgramHasTheKeyboard) {
    TForm* main = NewForm();
    EXPECT_FALSE(IsFormActive(main)); // nothing shown: the program is not active
    main->ShowForm();
    ASSERT_EQ(Application().ActiveForm(), main);
    EXPECT_TRUE(IsFormActive(main));
    EXPECT_TRUE(IsFormActive(nullptr));

    TForm* other = Application().CreateForm<TForm>();
    other->SetBounds(50, 50, 100, 100);
    EXPECT_FALSE(IsFormActive(other)); // its own flag
    other->ShowForm();
    EXPECT_TRUE(IsFormActive(other));
    EXPECT_TRUE(IsFormActive(main)); // still the main form of an active program

    Application().ActivateForm(nullptr);
    EXPECT_FALSE(IsFormActive(main));
    main->SetFormStyle(TFormStyle::fsMDIForm); // an MDI frame's caption stays active
    EXPECT_TRUE(IsFormActive(main));
}
