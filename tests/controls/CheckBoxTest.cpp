// Check boxes and radio buttons on the headless window system: the mark each
// state shows, auto size, OnClick on every change of Checked, radio
// exclusion by parent and GroupIndex, and the keys.

#include "SkinnedControlsFixture.h"

#include "controls/SUIButton.h"
#include "controls/SUIRegister.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/PropertyBuilder.h"

#include <gtest/gtest.h>

namespace {

class CheckBoxTest : public SkinnedControlsTest {
protected:
    // The mark of a box as it is on the screen (at x = 1, centred).
    TBitmap ShownMark(TsuiCheckBox* box, int width, int height) {
        TBitmap shown = Grab(box);
        TBitmap mark(width, height);
        const int top = (box->ClientHeight() - height) / 2;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                mark.SetPixel(x, y, shown.Pixel(1 + x, top + y));
        return mark;
    }
};

// A form class that offers a click handler to layouts.
class TClickForm : public TForm {
    SSI_CLASS(TClickForm, TForm)
public:
    explicit TClickForm(TComponent* owner) : TForm(owner) {}
    static void DeclarePublished(TPropertyBuilder& p) {
        p.Method("BoxClick", &TClickForm::BoxClick);
    }
    void BoxClick(TObject*) { ++Clicks; }
    int Clicks = 0;
};
SSI_DEFINE_CLASS(TClickForm, TForm)

} // namespace

TEST_F(CheckBoxTest, StartsWithTheDocumentedValues) {
    auto* box = new TsuiCheckBox(Form());
    EXPECT_EQ(box->Width(), 93);
    EXPECT_EQ(box->Height(), 17);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(box->State(), TCheckBoxState::cbUnchecked);
    EXPECT_TRUE(box->AutoSize());
    EXPECT_FALSE(box->Transparent());
    EXPECT_TRUE(box->TabStop());
    EXPECT_EQ(box->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(box->FileTheme(), nullptr);
    auto* radio = new TsuiRadioButton(Form());
    EXPECT_EQ(radio->GroupIndex(), 0);
}

TEST_F(CheckBoxTest, CheckedFiresOnClickOncePerChangeAndGrayedUnchecks) {
    auto* box = Add<TsuiCheckBox>(10, 10, 93, 17);
    TCounter clicks;
    box->SetOnClick(clicks.Event());
    box->SetChecked(true);
    EXPECT_EQ(clicks.Count, 1);
    box->SetChecked(true);
    EXPECT_EQ(clicks.Count, 1) << "no change, no event";
    EXPECT_EQ(box->State(), TCheckBoxState::cbChecked);
    box->SetState(TCheckBoxState::cbGrayed);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(box->State(), TCheckBoxState::cbUnchecked);
    EXPECT_EQ(clicks.Count, 2);

    // The framework's click event is a different one: it follows clicks.
    TCounter frameworkClicks;
    box->TControl::SetOnClick(frameworkClicks.Event());
    box->Click();
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks.Count, 3);
    EXPECT_EQ(frameworkClicks.Count, 1);
}

TEST_F(CheckBoxTest, ALoadedCheckedValueFiresNothing) {
    RegisterSkinnedControls();
    auto* form = new TClickForm(&Application());
    ReadLayout(*form, "object ClickForm: TClickForm\n"
                      "  object Box: TsuiCheckBox\n"
                      "    Checked = True\n"
                      "    OnClick = BoxClick\n"
                      "  end\n"
                      "end\n");
    auto* box = static_cast<TsuiCheckBox*>(form->FindComponent("Box"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(form->Clicks, 0);
    box->SetChecked(false);
    EXPECT_EQ(form->Clicks, 1);
}

TEST_F(CheckBoxTest, EachStateShowsItsFrameOfTheMarkStrip) {
    auto* box = Add<TsuiCheckBox>(10, 10, 120, 20);
    box->SetCaption("Accept");
    struct TCase {
        bool Checked, Enabled;
        int Frame;
    } cases[] = {{true, true, 1}, {false, true, 2}, {true, false, 3}, {false, false, 4}};
    for (TsuiUIStyle style : {TsuiUIStyle::WinXP, TsuiUIStyle::Protein}) {
        box->SetUIStyle(style);
        for (const TCase& c : cases) {
            box->SetChecked(c.Checked);
            box->SetEnabled(c.Enabled);
            Settle();
            Settle(); // the first paint may have sized the box
            TBitmap expected = ThemeFrame(style, 3, 4, c.Frame);
            EXPECT_TRUE(SamePixels(ShownMark(box, 13, 13), expected)) << "frame " << c.Frame;
        }
    }
    EXPECT_FALSE(SamePixels(ThemeFrame(TsuiUIStyle::WinXP, 3, 4, 1),
                            ThemeFrame(TsuiUIStyle::Protein, 3, 4, 1)))
        << "the two looks' marks differ";
}

TEST_F(CheckBoxTest, AutoSizeFollowsMarkAndCaption) {
    auto* box = Add<TsuiCheckBox>(10, 10, 93, 17);
    box->SetUIStyle(TsuiUIStyle::WinXP);
    Settle();
    Settle();
    EXPECT_EQ(box->Width(), 13 + 8) << "an empty caption: mark width + 8";
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(box->FontRef());
    const int lineHeight = scratch.Canvas().TextHeight("W");
    EXPECT_EQ(box->Height(), std::max(lineHeight + 2, 13) + 4);
    box->SetCaption("I agree");
    Settle();
    EXPECT_EQ(box->Width(), 13 + scratch.Canvas().TextWidth("I agree") + 8);
    box->SetAutoSize(false);
    box->SetWidth(200);
    Settle();
    EXPECT_EQ(box->Width(), 200);
}

TEST_F(CheckBoxTest, RadioButtonsExcludeEachOtherWithinParentAndGroupIndex) {
    auto* a = Add<TsuiRadioButton>(10, 10, 93, 17);
    auto* b = Add<TsuiRadioButton>(10, 30, 93, 17);
    auto* c = Add<TsuiRadioButton>(10, 50, 93, 17);
    auto* panel = Add<TPanel>(150, 10, 150, 100);
    auto* elsewhere = Add<TsuiRadioButton>(5, 5, 93, 17, panel);
    c->SetGroupIndex(1);
    b->SetChecked(true);
    c->SetChecked(true);
    elsewhere->SetChecked(true);
    TCounter aClicks, bClicks;
    a->SetOnClick(aClicks.Event());
    b->SetOnClick(bClicks.Event());
    a->SetChecked(true);
    EXPECT_FALSE(b->Checked()) << "same parent, same GroupIndex";
    EXPECT_TRUE(c->Checked()) << "another GroupIndex";
    EXPECT_TRUE(elsewhere->Checked()) << "another parent";
    EXPECT_EQ(aClicks.Count, 1);
    EXPECT_EQ(bClicks.Count, 0) << "being unchecked fires nothing";
    a->Click();
    EXPECT_TRUE(a->Checked()) << "a click never unchecks a radio button";
    EXPECT_EQ(aClicks.Count, 1);
}

TEST_F(CheckBoxTest, ClicksSpaceAndAcceleratorsToggle) {
    auto* box = Add<TsuiCheckBox>(10, 10, 93, 17);
    auto* radio = Add<TsuiRadioButton>(10, 40, 93, 17);
    box->SetCaption("&Agree");
    Settle();
    ClickOn(box);
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(box->Focused()) << "a press takes the focus";
    ClickOn(box);
    EXPECT_FALSE(box->Checked()) << "a second click is no double click";
    Key(VK_SPACE);
    EXPECT_TRUE(box->Checked());

    radio->SetFocus();
    Key(VK_SPACE);
    EXPECT_FALSE(radio->Checked()) << "keys do nothing to a radio button";
    Backend().TypeText("a");
    Application().ProcessMessages();
    EXPECT_FALSE(box->Checked());
    EXPECT_TRUE(box->Focused()) << "the accelerator focuses the box too";
}

TEST_F(CheckBoxTest, ARadioButtonGetsDoubleClicks) {
    auto* radio = Add<TsuiRadioButton>(10, 10, 93, 17);
    TCounter doubles;
    radio->SetOnDblClick(doubles.Event());
    Settle();
    ClickOn(radio);
    ClickOn(radio);
    EXPECT_EQ(doubles.Count, 1);
    EXPECT_TRUE(radio->Checked());
}

TEST_F(CheckBoxTest, ARadioMarkLeavesOutItsKeyColour) {
    auto* radio = Add<TsuiRadioButton>(10, 10, 93, 17);
    radio->SetUIStyle(TsuiUIStyle::WinXP);
    radio->SetColor(clLime);
    Settle();
    Settle();
    TBitmap frame = ThemeFrame(TsuiUIStyle::WinXP, 4, 4, 2);
    const TColor key = frame.Pixel(0, frame.Height() - 1);
    TBitmap shown = ShownMark(radio, 13, 13);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x)
            EXPECT_EQ(shown.Pixel(x, y), frame.Pixel(x, y) == key ? clLime : frame.Pixel(x, y))
                << x << "," << y;
}
