// The theme manager: which components it styles, in what order, and what
// removals do to its list and its file theme.

#include "SkinTestComponents.h"
#include "framework/components/ClassRegistry.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/Properties.h"
#include "framework/components/TypeInfo.h"
#include "skin/SUIMgr.h"

#include <gtest/gtest.h>

namespace {

struct TFormWithControls {
    TTestForm Form;
    TsuiThemeManager* Manager = new TsuiThemeManager(&Form);
    TsuiTestControl* Button = Named(new TsuiTestControl(&Form), "CoverNextBtn");
    TsuiTestControl* Memo = Named(new TsuiTestControl(&Form), "LicenseMemo");
    TsuiTestControl* Unlisted = Named(new TsuiTestControl(&Form), "Unlisted");

    static TsuiTestControl* Named(TsuiTestControl* c, const std::string& name) {
        c->SetName(name);
        return c;
    }
};

TStringList Lines(std::initializer_list<const char*> names) {
    TStringList list;
    for (const char* n : names)
        list.Add(n);
    return list;
}

} // namespace

TEST(ThemeManager, PublishesItsPropertiesInOrder) {
    std::vector<std::string> names;
    for (const TPropInfo& p : TsuiThemeManager::StaticClassInfo().Properties())
        names.push_back(p.Name());
    const std::vector<std::string> tail(names.end() - 4, names.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"UIStyle", "FileTheme", "CompList", "OnUIStyleChanged"}));
    TsuiThemeManager manager(nullptr);
    EXPECT_EQ(manager.UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(manager.FileTheme(), nullptr);
    EXPECT_EQ(GetEnumProp(manager, "UIStyle"), "DeepBlue");
}

TEST(ThemeManager, StylesTheListedComponentsStyleFirstThenTheme) {
    TFormWithControls f;
    f.Manager->SetCompList(Lines({"coverNEXTbtn", "NoSuchComponent", "LicenseMemo"}));
    EXPECT_TRUE(f.Button->SetterCalls.empty()); // setting the list applies nothing

    TsuiFileTheme theme(nullptr);
    f.Manager->SetFileTheme(&theme);
    f.Manager->SetUIStyle(TsuiUIStyle::WinXP);
    for (TsuiTestControl* c : {f.Button, f.Memo}) {
        EXPECT_EQ(c->UIStyle(), TsuiUIStyle::WinXP);
        EXPECT_EQ(c->FileTheme(), &theme);
        EXPECT_EQ(c->SetterCalls,
                  (std::vector<std::string>{"UIStyle", "FileTheme", "UIStyle", "FileTheme"}));
    }
    EXPECT_TRUE(f.Unlisted->SetterCalls.empty());
    EXPECT_EQ(f.Manager->CompList().Count(), 3); // the unknown name stays
    f.Manager->SetFileTheme(nullptr);
}

TEST(ThemeManager, ReappliesAnUnchangedStyleButRaisesTheEventOnlyOnAChange) {
    TFormWithControls f;
    f.Manager->SetCompList(Lines({"CoverNextBtn"}));
    std::vector<TObject*> senders;
    f.Manager->SetOnUIStyleChanged(TNotifyEvent([&](TObject* s) { senders.push_back(s); }));

    f.Manager->SetUIStyle(TsuiUIStyle::DeepBlue);
    EXPECT_TRUE(senders.empty());
    EXPECT_EQ(f.Button->SetterCalls.size(), 2u);
    f.Manager->SetUIStyle(TsuiUIStyle::Protein);
    EXPECT_EQ(senders, std::vector<TObject*>{f.Manager});
    EXPECT_EQ(f.Button->UIStyle(), TsuiUIStyle::Protein);
    // By name, as a stored layout sets it.
    SetEnumProp(*f.Manager, "UIStyle", "BlueGlass");
    EXPECT_EQ(senders.size(), 2u);
    EXPECT_EQ(f.Button->UIStyle(), TsuiUIStyle::BlueGlass);
}

TEST(ThemeManager, RemovedComponentsLeaveTheList) {
    TFormWithControls f;
    f.Manager->SetCompList(Lines({"LicenseMemo", "CoverNextBtn", "coverNextBtn"}));
    f.Button->Free();
    EXPECT_EQ(f.Manager->CompList().Items(),
              (std::vector<std::string>{"LicenseMemo", "coverNextBtn"}));
    f.Unlisted->Free();
    EXPECT_EQ(f.Manager->CompList().Count(), 2);
    f.Manager->SetUIStyle(TsuiUIStyle::MacOS); // nothing stale is touched
    EXPECT_EQ(f.Memo->UIStyle(), TsuiUIStyle::MacOS);
}

TEST(ThemeManager, ItsFileThemeGoingAwayResetsItWithoutPushingAnything) {
    TFormWithControls f;
    f.Manager->SetCompList(Lines({"CoverNextBtn"}));
    auto* theme = new TsuiFileTheme(&f.Form);
    theme->SetName("Skin");
    f.Manager->SetUIStyle(TsuiUIStyle::WinXP);
    f.Manager->SetFileTheme(theme);
    int events = 0;
    f.Manager->SetOnUIStyleChanged(TNotifyEvent([&](TObject*) { ++events; }));
    const size_t calls = f.Button->SetterCalls.size();

    theme->Free();
    EXPECT_EQ(f.Manager->FileTheme(), nullptr);
    EXPECT_EQ(f.Manager->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(f.Button->SetterCalls.size(), calls); // the button handled it by itself
    EXPECT_EQ(f.Button->FileTheme(), nullptr);
    EXPECT_EQ(f.Button->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(f.Manager->CompList().Count(), 1);
}

TEST(ThemeManager, ServesFramesAndDoesNothingForOtherOwners) {
    TTestFrame frame;
    auto* manager = new TsuiThemeManager(&frame);
    auto* onFrame = new TsuiTestControl(&frame);
    onFrame->SetName("Button");
    manager->SetCompList(Lines({"Button"}));
    manager->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(onFrame->UIStyle(), TsuiUIStyle::MacOS);

    TComponent dataModule(nullptr);
    auto* idle = new TsuiThemeManager(&dataModule);
    auto* control = new TsuiTestControl(&dataModule);
    control->SetName("Button");
    idle->SetCompList(Lines({"Button"}));
    int events = 0;
    idle->SetOnUIStyleChanged(TNotifyEvent([&](TObject*) { ++events; }));
    idle->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_TRUE(control->SetterCalls.empty());
    EXPECT_EQ(events, 1); // the event still follows the change
}

TEST(ThemeManager, AListedComponentWithoutTheStylePropertiesFails) {
    TTestForm form;
    auto* manager = new TsuiThemeManager(&form);
    auto* plain = new TComponent(&form);
    plain->SetName("Label1");
    manager->SetCompList(Lines({"Label1"}));
    try {
        manager->SetUIStyle(TsuiUIStyle::WinXP);
        FAIL() << "no exception";
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message(), "Property UIStyle does not exist");
    }
    EXPECT_EQ(manager->UIStyle(), TsuiUIStyle::WinXP); // stored before applying
}

TEST(ThemeManager, AStoredManagerSetsItsStyleBeforeItsListIsRead) {
    RegisterSkinComponents();
    RegisterClasses<TsuiTestControl>();
    TTestForm form;
    ReadLayout(form, R"(object Form1: TCustomForm
  object CoverNextBtn: TsuiTestControl
    UIStyle = WinXP
  end
  object ThemeMgr: TsuiThemeManager
    UIStyle = Protein
    CompList.Strings = (
      'CoverNextBtn'
      'LicenseMemo')
  end
end
)");
    auto* manager = dynamic_cast<TsuiThemeManager*>(form.FindComponent("ThemeMgr"));
    auto* button = dynamic_cast<TsuiTestControl*>(form.FindComponent("CoverNextBtn"));
    ASSERT_TRUE(manager && button);
    EXPECT_EQ(manager->UIStyle(), TsuiUIStyle::Protein);
    EXPECT_EQ(manager->CompList().Text(), "CoverNextBtn\r\nLicenseMemo\r\n");
    // The list was empty when the style arrived: the button keeps its own.
    EXPECT_EQ(button->UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_EQ(button->SetterCalls, std::vector<std::string>{"UIStyle"});
    manager->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(button->UIStyle(), TsuiUIStyle::MacOS);
}

TEST(ThemeManager, ManagersListingThemselvesOrEachOtherDoNotLoop) {
    TTestForm form;
    auto* first = new TsuiThemeManager(&form);
    first->SetName("First");
    auto* second = new TsuiThemeManager(&form);
    second->SetName("Second");
    auto* button = new TsuiTestControl(&form);
    button->SetName("Button");
    first->SetCompList(Lines({"First", "Second"}));
    second->SetCompList(Lines({"First", "Button"}));
    first->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(first->UIStyle(), TsuiUIStyle::MacOS);
    EXPECT_EQ(second->UIStyle(), TsuiUIStyle::MacOS);
    EXPECT_EQ(button->UIStyle(), TsuiUIStyle::MacOS);
}
