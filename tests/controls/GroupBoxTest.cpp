// Group boxes, check groups and radio groups on the headless window system:
// the frame with the caption in its top edge, the style and the enabling
// handed to the children, the item buttons' layout, ItemIndex, clicks and
// the arrow keys.

#include "SkinnedControlsFixture.h"

#include "controls/SUIProgressBar.h"
#include "controls/SUIRadioGroup.h"
#include "controls/SUIRegister.h"
#include "framework/components/LayoutReader.h"
#include "framework/ui/Label.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor kBorder = 0x686868;  // WinXP's ControlBorderColor
constexpr TColor kCaption = 0xCF4602; // WinXP's ControlFontColor

class GroupBoxTest : public SkinnedControlsTest {};

} // namespace

TEST_F(GroupBoxTest, StartsWithTheDocumentedValues) {
    auto* group = new TsuiGroupBox(Form());
    EXPECT_EQ(group->Width(), 185);
    EXPECT_EQ(group->Height(), 105);
    EXPECT_EQ(group->TControl::Caption(), " ");
    EXPECT_EQ(group->Caption(), "");
    EXPECT_TRUE(group->ParentColor());
    EXPECT_FALSE(group->Transparent());
    EXPECT_EQ(group->BorderColor(), GetThemeColor(TsuiUIStyle::DeepBlue, 25));
    auto* checks = new TsuiCheckGroup(Form());
    EXPECT_EQ(checks->Columns(), 1);
    EXPECT_EQ(checks->TopMargin(), 8);
    EXPECT_TRUE(checks->TabStop());
    EXPECT_EQ(checks->Items()->Count(), 0);
}

TEST_F(GroupBoxTest, TheCaptionSitsInAGapOfTheTopLine) {
    auto* group = Add<TsuiGroupBox>(10, 10, 200, 100);
    group->SetUIStyle(TsuiUIStyle::WinXP);
    group->SetColor(clWhite);
    group->Font()->SetHeight(-11);
    ASSERT_EQ(group->BorderColor(), kBorder);
    ASSERT_EQ(group->FontRef().Color(), kCaption);
    Settle();
    for (int x = 0; x < 200; ++x)
        EXPECT_EQ(Pixel(group, x, 6), kBorder) << "closed top edge at " << x;
    EXPECT_EQ(Pixel(group, 0, 99), kBorder);
    EXPECT_EQ(Pixel(group, 199, 50), kBorder);

    group->SetCaption("License");
    Settle();
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(group->FontRef());
    const int tw = scratch.Canvas().TextWidth("License");
    EXPECT_EQ(group->FrameTop(), 6);
    for (int x = 0; x <= 2; ++x)
        EXPECT_EQ(Pixel(group, x, 6), kBorder) << x;
    for (int x = 3; x <= tw + 6; ++x)
        EXPECT_NE(Pixel(group, x, 6), kBorder) << "gap at " << x;
    for (int x = tw + 7; x < 200; ++x)
        EXPECT_EQ(Pixel(group, x, 6), kBorder) << x;
    // The text starts at x = 5.
    const TBitmap shown = Grab(group);
    auto text = PixelsWhere(shown, [](int, int y, TColor c) { return y < 14 && c == kCaption; });
    ASSERT_FALSE(text.empty());
    int left = 200;
    for (const TPoint& p : text)
        left = std::min(left, p.X);
    EXPECT_GE(left, 5);
    EXPECT_LE(left, 6);

    group->SetEnabled(false);
    Settle();
    EXPECT_FALSE(PixelsWhere(Grab(group), [](int, int, TColor c) { return c == 0x808080; }).empty())
        << "a disabled group's caption is grey";
}

TEST_F(GroupBoxTest, StyleAndEnablingReachEveryChild) {
    RegisterSkinnedControls();
    ReadLayout(*Form(),
               "object F: TForm\n"
               "  object Frame: TsuiRadioGroup\n"
               "    Caption = 'License'\n"
               "    object Agree: TsuiCheckBox\n"
               "      Caption = 'I agree'\n"
               "    end\n"
               "    object Note: TLabel\n"
               "      Caption = 'Read it'\n"
               "    end\n"
               "    object Inner: TsuiProgressBar\n"
               "    end\n"
               "  end\n"
               "end\n",
               TLayoutReadOptions{false, true});
    auto* frame = static_cast<TsuiRadioGroup*>(Form()->FindComponent("Frame"));
    auto* agree = static_cast<TsuiCheckBox*>(Form()->FindComponent("Agree"));
    auto* note = static_cast<TLabel*>(Form()->FindComponent("Note"));
    ASSERT_TRUE(frame && agree && note);
    frame->SetUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(agree->UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_EQ(static_cast<TsuiProgressBar*>(Form()->FindComponent("Inner"))->UIStyle(),
              TsuiUIStyle::WinXP);
    frame->SetEnabled(false);
    EXPECT_FALSE(agree->Enabled());
    EXPECT_FALSE(note->Enabled()) << "a plain label is disabled too";
    frame->SetEnabled(true);
    EXPECT_TRUE(agree->Enabled());
}

TEST_F(GroupBoxTest, SevenItemsInThreeColumnsFillColumnsTopToBottom) {
    auto* group = Add<TsuiCheckGroup>(10, 10, 200, 150);
    group->Font()->SetHeight(-11);
    group->SetColumns(3);
    for (const char* item : {"a", "b", "c", "d", "e", "f", "g"})
        group->Items()->Add(item);
    ASSERT_EQ(group->ItemCount(), 7);
    // Inside (3, 11)-(198, 148); rows from 11 + 8 = 19, 129 high: three
    // rows of 43; columns (200 - 10) div 3 = 63 wide from x = 8.
    const TPoint expected[] = {{8, 19},  {8, 62},   {8, 105}, {71, 19},
                               {71, 62}, {71, 105}, {134, 19}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(group->ItemButton(i)->Left(), expected[i].X) << i;
        EXPECT_EQ(group->ItemButton(i)->Top(), expected[i].Y) << i;
        EXPECT_EQ(group->ItemButton(i)->Caption(), std::string(1, char('a' + i)));
    }
    group->SetColumns(-1);
    EXPECT_EQ(group->Columns(), 3) << "negative values are ignored";
    group->SetColumns(0);
    EXPECT_EQ(group->ItemButton(6)->Left(), 8) << "no columns lay out as one";
    group->Items()->Delete(6);
    group->Items()->Delete(0);
    EXPECT_EQ(group->ItemCount(), 5);
    EXPECT_EQ(group->ItemButton(0)->Caption(), "b");
}

TEST_F(GroupBoxTest, ItemIndexFollowsTheRules) {
    auto* group = Add<TsuiRadioGroup>(10, 10, 200, 150);
    TCounter clicks;
    group->SetOnClick(clicks.Event());
    EXPECT_EQ(group->ItemIndex(), -1);
    group->SetItemIndex(0);
    EXPECT_EQ(group->ItemIndex(), -1) << "no items: ignored";
    group->SetItemIndex(-1);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_EQ(clicks.Count, 0);

    for (const char* item : {"a", "b", "c", "d"})
        group->Items()->Add(item);
    group->SetItemIndex(1);
    EXPECT_EQ(clicks.Count, 1);
    group->SetItemIndex(2);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_FALSE(group->ItemButton(1)->Checked());
    EXPECT_EQ(clicks.Count, 2) << "once per selection";
    group->SetItemIndex(4);
    group->SetItemIndex(-2);
    EXPECT_EQ(group->ItemIndex(), 2);
    group->SetItemIndex(-1);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_EQ(clicks.Count, 2) << "unchecking fires nothing";
}

TEST_F(GroupBoxTest, ClicksOnItemsAndOnTheFrameFireTheGroupsOnClick) {
    auto* group = Add<TsuiCheckGroup>(10, 10, 200, 120);
    TCounter clicks;
    group->SetOnClick(clicks.Event());
    group->Items()->Add("one");
    group->Items()->Add("two");
    Settle();
    ClickOn(group, 150, 100);
    EXPECT_EQ(clicks.Count, 1) << "the frame area";
    ClickOn(group->ItemButton(1), 4, 4);
    EXPECT_TRUE(group->ItemButton(1)->Checked());
    EXPECT_EQ(clicks.Count, 2);
    ClickOn(group->ItemButton(1), 4, 4);
    EXPECT_FALSE(group->ItemButton(1)->Checked());
    EXPECT_EQ(clicks.Count, 3) << "every toggle of a check item";
}

TEST_F(GroupBoxTest, ArrowKeysSelectRadioItemsAndTabLeavesTheGroup) {
    auto* before = Add<TsuiCheckBox>(220, 10, 93, 17);
    auto* group = Add<TsuiRadioGroup>(10, 10, 200, 120);
    for (const char* item : {"small", "medium", "large"})
        group->Items()->Add(item);
    group->SetItemIndex(0);
    TCounter clicks;
    group->SetOnClick(clicks.Event());
    Settle();
    group->SetFocus();
    EXPECT_TRUE(group->ItemButton(0)->Focused()) << "the focus goes on to the selected item";
    Key(VK_DOWN);
    EXPECT_TRUE(group->ItemButton(1)->Focused());
    EXPECT_EQ(group->ItemIndex(), 1);
    Key(VK_DOWN);
    EXPECT_EQ(group->ItemIndex(), 2);
    Key(VK_UP);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(clicks.Count, 3);

    // Shift+Tab from an item goes past the group, not back into it.
    Backend().PressKey(VK_SHIFT);
    Key(VK_TAB);
    Backend().ReleaseKey(VK_SHIFT);
    Application().ProcessMessages();
    EXPECT_TRUE(before->Focused());
}

TEST_F(GroupBoxTest, ItemsTakeTheGroupsLookTransparencyAndCursor) {
    auto* group = Add<TsuiRadioGroup>(10, 10, 200, 120);
    group->Items()->Add("one");
    group->SetCursor(crHandPoint);
    group->Items()->Add("two");
    group->SetUIStyle(TsuiUIStyle::Protein);
    group->SetTransparent(true);
    for (int i = 0; i < 2; ++i) {
        TsuiCheckBox* item = group->ItemButton(i);
        EXPECT_EQ(item->UIStyle(), TsuiUIStyle::Protein);
        EXPECT_TRUE(item->Transparent());
        EXPECT_EQ(item->TControl::Cursor(), crHandPoint);
        EXPECT_FALSE(item->TabStop());
        EXPECT_EQ(item->ClassName(), "TsuiRadioGroupButton");
    }
    EXPECT_EQ(group->TControl::Cursor(), crDefault) << "the group's own pointer stays";
}
