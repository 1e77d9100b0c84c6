#include "support/ComponentTestClasses.h"

#include "framework/components/ClassRegistry.h"
#include "framework/components/Properties.h"

#include <gtest/gtest.h>

namespace {

// A descendant that publishes one more property and rebinds an inherited one.
class TDerivedControl : public TTestControl {
    SSI_CLASS(TDerivedControl, TTestControl)
public:
    using TTestControl::TTestControl;
    static void DeclarePublished(TPropertyBuilder& p) {
        p.Integer("Extra", &TDerivedControl::Extra, &TDerivedControl::SetExtra);
        p.String("Caption", &TDerivedControl::Caption, &TDerivedControl::SetUpperCaption);
    }
    int Extra() const { return FExtra; }
    void SetExtra(int v) { FExtra = v; }
    void SetUpperCaption(const std::string& v) { SetCaption(UpperCase(v)); }

private:
    int FExtra = 0;
};
SSI_DEFINE_CLASS(TDerivedControl, TTestControl)

// A string list under a class name of its own, as a property type.
class TNameList : public TStringList {};

class TListOwner : public TComponent {
    SSI_CLASS(TListOwner, TComponent)
public:
    using TComponent::TComponent;
    static void DeclarePublished(TPropertyBuilder& p) {
        p.Object("CompList", &TListOwner::CompList, &TListOwner::SetCompList);
    }
    TNameList& CompList() { return FList; }
    void SetCompList(const TNameList& v) { FList.Assign(v); }

private:
    TNameList FList;
};
SSI_DEFINE_CLASS(TListOwner, TComponent)

// A class without properties of its own.
class TPlainControl : public TTestControl {
    SSI_CLASS(TPlainControl, TTestControl)
public:
    using TTestControl::TTestControl;
};
SSI_DEFINE_CLASS(TPlainControl, TTestControl)

// A base that binds Color and Caption without publishing them, leaving them
// to the descendants that show them.
class TShadeBase : public TComponent {
    SSI_CLASS(TShadeBase, TComponent)
public:
    using TComponent::TComponent;
    static void DeclarePublished(TPropertyBuilder& p) {
        p.Integer("Width", &TShadeBase::Width, &TShadeBase::SetWidth).Default(0);
        p.Protected()
            .Integer("Color", &TShadeBase::Color, &TShadeBase::SetColor)
            .Default(5)
            .String("Caption", &TShadeBase::Caption, &TShadeBase::SetCaption);
    }
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = v; }
    int Color() const { return FColor; }
    void SetColor(int v) {
        TestLog().push_back("Color=" + std::to_string(v));
        FColor = v;
    }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v) { FCaption = v; }

private:
    int FWidth = 0;
    int FColor = 5;
    std::string FCaption;
};
SSI_DEFINE_CLASS(TShadeBase, TComponent)

// Changes the default of the protected Color, still without publishing it.
class TShadeMiddle : public TShadeBase {
    SSI_CLASS(TShadeMiddle, TShadeBase)
public:
    using TShadeBase::TShadeBase;
    static void DeclarePublished(TPropertyBuilder& p) {
        p.Integer("Depth", &TShadeMiddle::Depth, &TShadeMiddle::SetDepth);
        p.Protected().Inherited("Color").Default(7);
    }
    int Depth() const { return 1; }
    void SetDepth(int) {}
};
SSI_DEFINE_CLASS(TShadeMiddle, TShadeBase)

// Names Width (published by the base) first and Color last: Width keeps the
// base's slot, the protected ones follow its own Size in the order named.
class TShadeLeaf : public TShadeMiddle {
    SSI_CLASS(TShadeLeaf, TShadeMiddle)
public:
    using TShadeMiddle::TShadeMiddle;
    static void DeclarePublished(TPropertyBuilder& p) {
        p.Inherited("Width").Default(3);
        p.Integer("Size", &TShadeLeaf::Size, &TShadeLeaf::SetSize)
            .Inherited("caption")
            .NotStored()
            .Inherited("Color");
    }
    int Size() const { return 2; }
    void SetSize(int) {}
};
SSI_DEFINE_CLASS(TShadeLeaf, TShadeMiddle)

// Publishes Color straight from the base, with the base's default.
class TShadeSibling : public TShadeBase {
    SSI_CLASS(TShadeSibling, TShadeBase)
public:
    using TShadeBase::TShadeBase;
    static void DeclarePublished(TPropertyBuilder& p) { p.Inherited("Color"); }
};
SSI_DEFINE_CLASS(TShadeSibling, TShadeBase)

class TMisspelledInherit : public TShadeBase {
    SSI_CLASS(TMisspelledInherit, TShadeBase)
public:
    using TShadeBase::TShadeBase;
    static void DeclarePublished(TPropertyBuilder& p) { p.Inherited("Colour"); }
};
SSI_DEFINE_CLASS(TMisspelledInherit, TShadeBase)

class THidingWidth : public TShadeBase {
    SSI_CLASS(THidingWidth, TShadeBase)
public:
    using TShadeBase::TShadeBase;
    static void DeclarePublished(TPropertyBuilder& p) {
        p.Protected().Integer("Width", &THidingWidth::Width, &THidingWidth::SetWidth);
    }
};
SSI_DEFINE_CLASS(THidingWidth, TShadeBase)

std::vector<std::string> Names(const TClassInfo& info) {
    std::vector<std::string> names;
    for (const TPropInfo& p : info.Properties())
        names.push_back(p.Name());
    return names;
}

class Properties : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestClasses();
        TestLog().clear();
    }
};

TEST_F(Properties, DescendantsPublishTheBaseFirstInDeclaredOrder) {
    std::vector<std::string> base = Names(TTestControl::StaticClassInfo());
    ASSERT_GE(base.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(base.begin(), base.begin() + 4),
              (std::vector<std::string>{"Name", "Tag", "Left", "Visible"}));
    EXPECT_EQ(Names(TPlainControl::StaticClassInfo()), base);

    std::vector<std::string> derived = Names(TDerivedControl::StaticClassInfo());
    std::vector<std::string> expected = base;
    expected.push_back("Extra");
    EXPECT_EQ(derived, expected); // Caption rebound in place

    TDerivedControl c(nullptr);
    SetStrProp(c, "Caption", "next");
    EXPECT_EQ(c.Caption(), "NEXT");
}

TEST_F(Properties, InheritedPropertiesArePublishedInTheirSlotsWithTheBaseAccessors) {
    EXPECT_EQ(Names(TShadeBase::StaticClassInfo()),
              (std::vector<std::string>{"Name", "Tag", "Width"}));
    EXPECT_EQ(Names(TShadeMiddle::StaticClassInfo()),
              (std::vector<std::string>{"Name", "Tag", "Width", "Depth"}));
    EXPECT_EQ(
        Names(TShadeLeaf::StaticClassInfo()),
        (std::vector<std::string>{"Name", "Tag", "Width", "Depth", "Size", "Caption", "Color"}));
    EXPECT_EQ(Names(TShadeSibling::StaticClassInfo()),
              (std::vector<std::string>{"Name", "Tag", "Width", "Color"}));

    // Protected properties are out of reach by name until published.
    TShadeMiddle middle(nullptr);
    EXPECT_FALSE(HasProperty(&middle, "Color"));
    EXPECT_THROW(SetOrdProp(middle, "Color", 1), EPropertyError);

    // A new default belongs to the class that declares it and its descendants.
    const TClassInfo& leaf = TShadeLeaf::StaticClassInfo();
    EXPECT_EQ(leaf.FindProperty("Width")->Default(), 3);
    EXPECT_EQ(TShadeBase::StaticClassInfo().FindProperty("Width")->Default(), 0);
    EXPECT_EQ(leaf.FindProperty("Color")->Default(), 7);
    EXPECT_EQ(TShadeSibling::StaticClassInfo().FindProperty("Color")->Default(), 5);
    TShadeLeaf control(nullptr);
    EXPECT_FALSE(leaf.FindProperty("Caption")->IsStored(control));
    EXPECT_TRUE(TShadeSibling::StaticClassInfo().FindProperty("Color")->IsStored(control));

    // The base's setter does the work.
    SetOrdProp(control, "color", 9);
    EXPECT_EQ(TestLog(), (std::vector<std::string>{"Color=9"}));
    EXPECT_EQ(GetOrdProp(control, "Color"), 9);
    SetStrProp(control, "Caption", "Next");
    EXPECT_EQ(control.Caption(), "Next");
}

// Found when the class's properties are first put together (its first
// lookup), not later at some read or write.
TEST_F(Properties, InheritingAnUndeclaredPropertyOrHidingAPublishedOneFailsAtFirstUse) {
    auto message = [](auto&& classInfo) -> std::string {
        try {
            classInfo();
        } catch (const EPropertyError& e) {
            return e.what();
        }
        return "(no error)";
    };
    EXPECT_EQ(message([] { TMisspelledInherit::StaticClassInfo().Properties(); }),
              "TMisspelledInherit inherits no property Colour");
    EXPECT_EQ(message([] { THidingWidth::StaticClassInfo().FindProperty("Left"); }),
              "THidingWidth cannot hide the published property Width");
}

TEST_F(Properties, ReadAndWriteByNameThroughTheSetters) {
    TTestControl c(nullptr);
    EXPECT_TRUE(HasProperty(&c, "left"));
    EXPECT_TRUE(HasProperty(&c, "Font.Name"));
    EXPECT_FALSE(HasProperty(&c, "UIStyle"));
    EXPECT_FALSE(HasProperty(&c, "Font.Nothing"));
    EXPECT_FALSE(HasProperty(nullptr, "Left"));

    SetOrdProp(c, "LEFT", 12);
    SetStrProp(c, "Caption", "Next");
    SetEnumProp(c, "Style", "tswinxp");
    SetEnumProp(c, "Visible", "False");
    SetStrProp(c, "Font.Name", "MS Sans Serif");
    EXPECT_EQ(TestLog(), (std::vector<std::string>{"Left=12", "Caption=Next", "Style=tsWinXP",
                                                   "Font.Name=MS Sans Serif"}));
    EXPECT_EQ(GetOrdProp(c, "Left"), 12);
    EXPECT_EQ(GetEnumProp(c, "Style"), "tsWinXP");
    EXPECT_EQ(c.Color(), 0x00DEEBEFu); // derived by the Style setter
    EXPECT_FALSE(c.Visible());
    EXPECT_EQ(GetStrProp(c, "Font.Name"), "MS Sans Serif");

    SetEnumProp(c, "Color", "clBtnFace");
    EXPECT_EQ(c.Color(), 0x8000000Fu);
    EXPECT_EQ(GetEnumProp(c, "Color"), "clBtnFace");

    SetOrdProp(c, "Font.Style",
               static_cast<int64_t>(TTestFontStyles{TTestFontStyle::fsBold}.Mask()));
    EXPECT_TRUE(c.Font()->Style().Contains(TTestFontStyle::fsBold));
}

TEST_F(Properties, FailedWritesNameThePropertyAndChangeNothing) {
    TTestControl c(nullptr);
    auto message = [&](auto&& write) -> std::string {
        try {
            write();
        } catch (const EPropertyError& e) {
            return e.what();
        }
        return "(no error)";
    };
    EXPECT_EQ(message([&] { SetOrdProp(c, "UIStyle", 2); }), "Property UIStyle does not exist");
    EXPECT_EQ(message([&] { SetComponentProp(c, "FileTheme", nullptr); }),
              "Property FileTheme does not exist");
    EXPECT_EQ(message([&] { SetEnumProp(c, "Style", "suiWinXP"); }),
              "Invalid value for property Style");
    EXPECT_EQ(message([&] { SetOrdProp(c, "Style", 4); }),
              "Value 4 out of range for property Style");
    EXPECT_EQ(message([&] { SetOrdProp(c, "Left", int64_t(1) << 40); }),
              "Value 1099511627776 out of range for property Left");
    EXPECT_EQ(message([&] { SetOrdProp(c, "Font.Style", 16); }),
              "Value 16 out of range for property Style");
    EXPECT_EQ(message([&] { SetOrdProp(c, "Version", 8); }), "Property Version is read-only");
    EXPECT_EQ(message([&] { SetStrProp(c, "Left", "1"); }), "Invalid property type: Left");
    EXPECT_EQ(c.Style(), TTestStyle::tsDeepBlue);
    EXPECT_EQ(c.Left(), 0);
    EXPECT_TRUE(TestLog().empty());

    // A reference must be of the declared class.
    TTestTheme theme(nullptr);
    EXPECT_EQ(message([&] { SetComponentProp(c, "Buddy", &theme); }),
              "Invalid value for property Buddy");
    EXPECT_EQ(c.Buddy(), nullptr);
}

TEST_F(Properties, ComponentReferencesAreClearedWhenTheReferencedComponentGoes) {
    TComponent formA(nullptr), formB(nullptr);
    auto* control = new TTestControl(&formA);
    auto* theme = new TTestTheme(&formB);
    SetComponentProp(*control, "Theme", theme);
    EXPECT_EQ(GetComponentProp(*control, "Theme"), theme);
    theme->Free();
    EXPECT_EQ(control->Theme(), nullptr);
}

TEST_F(Properties, EventsBindTheFormsMethodsByName) {
    TTestForm form(nullptr);
    auto* button = new TTestControl(&form);
    button->SetName("CoverNextBtn");
    SetMethodProp(*button, "OnClick", form, "buttonclick");
    SetMethodProp(*button, "OnIndex", form, "IndexClick");
    EXPECT_EQ(GetMethodProp(*button, "OnClick"), "ButtonClick");
    button->Click();
    button->OnIndex()(button, 3);
    EXPECT_EQ(TestLog(), (std::vector<std::string>{"ButtonClick CoverNextBtn", "IndexClick 3"}));

    auto message = [&](const char* prop, const char* method) -> std::string {
        try {
            SetMethodProp(*button, prop, form, method);
        } catch (const EPropertyError& e) {
            return e.what();
        }
        return "(no error)";
    };
    EXPECT_EQ(message("OnClick", "IndexClick"), "Method IndexClick does not fit event OnClick");
    EXPECT_EQ(message("OnClick", "FormShow"), "Method FormShow not found");
    EXPECT_EQ(GetMethodProp(*button, "OnClick"), "ButtonClick");
    SetMethodProp(*button, "OnClick", form, "");
    EXPECT_FALSE(button->OnClick().Assigned());

    // Handlers answer through reference parameters (a close query).
    const TMethodInfo* query = form.ClassInfo().FindMethod("closequery");
    ASSERT_NE(query, nullptr);
    auto close = std::any_cast<TEvent<TObject*, bool&>>(query->Bind(form));
    bool canClose = true;
    close(&form, canClose);
    EXPECT_FALSE(canClose);
    EXPECT_EQ(close.MethodName(), "CloseQuery");
}

TEST_F(Properties, CopyingPublishedPropertiesCopiesEveryKind) {
    TTestForm form(nullptr);
    TTestControl source(&form), target(&form);
    TTestControl buddy(&form);
    source.SetName("Source");
    target.SetName("Target");
    source.SetLeft(5);
    source.SetCaption("Next");
    source.Font()->SetName("Tahoma");
    source.Picture()->Bytes() = {1, 2, 3};
    TStringList lines;
    lines.Add("a");
    source.SetLines(lines);
    static_cast<TTestItem*>(source.Items()->Add())->SetCaption("first");
    source.SetBuddy(&buddy);
    SetMethodProp(source, "OnClick", form, "ButtonClick");

    CopyPublishedProperties(source, target);
    EXPECT_EQ(target.Left(), 5);
    EXPECT_EQ(target.Caption(), "Next");
    EXPECT_EQ(target.Picture()->Bytes(), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(target.Lines().Text(), "a\r\n");
    ASSERT_EQ(target.Items()->Count(), 1);
    EXPECT_EQ(static_cast<TTestItem*>(target.Items()->Item(0))->Caption(), "first");
    EXPECT_EQ(target.Buddy(), &buddy);
    EXPECT_EQ(target.OnClick().MethodName(), "ButtonClick");
    EXPECT_EQ(target.Name(), "Target"); // names are not part of the value

    TTestTheme theme(nullptr);
    EXPECT_THROW(CopyPublishedProperties(theme, target), EConvertError);
    EXPECT_THROW(target.Font()->Assign(theme), EConvertError);
}

TEST_F(Properties, ClassRegistryFindsClassesByNameWithAncestry) {
    const TClassInfo& info = FindClass("ttestcontrol");
    EXPECT_EQ(&info, &TTestControl::StaticClassInfo());
    EXPECT_TRUE(info.InheritsFrom(TComponent::StaticClassInfo()));
    EXPECT_TRUE(info.InheritsFrom("TPersistent"));
    EXPECT_FALSE(info.InheritsFrom("TTestTheme"));
    EXPECT_EQ(GetClass("TNothing"), nullptr);
    try {
        FindClass("TNothing");
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_STREQ(e.what(), "Class TNothing not found");
    }
    // Factories exist only for concrete component classes.
    EXPECT_TRUE(info.CanCreate());
    EXPECT_FALSE(TTestFont::StaticClassInfo().CanCreate());
    TComponent owner(nullptr);
    TComponent* made = info.CreateComponent(&owner);
    EXPECT_EQ(made->ClassName(), "TTestControl");
    EXPECT_EQ(made->Owner(), &owner);

    static const TClassInfo impostor("TTestControl", &TComponent::StaticClassInfo(), nullptr,
                                     nullptr);
    EXPECT_THROW(RegisterClass(impostor), EInvalidOperation);
    RegisterClass(TTestControl::StaticClassInfo()); // again: no error
}

TEST_F(Properties, StringListsOfTheirOwnClassAreCopiedThroughTheSetter) {
    TListOwner owner(nullptr);
    TStringList names;
    names.SetText("suiInstallarForm\nCoverNextBtn\n");
    SetStringsProp(owner, "CompList", names);
    EXPECT_EQ(owner.CompList().Count(), 2);
    EXPECT_EQ(GetStringsProp(owner, "complist").Get(1), "CoverNextBtn");
}

TEST_F(Properties, CollectionsReportChangesOnceAndAssignByItems) {
    TTestItems items(nullptr);
    items.BeginUpdate();
    items.Add();
    items.Add();
    items.Insert(0);
    EXPECT_EQ(items.Updates(), 0);
    items.EndUpdate();
    EXPECT_EQ(items.Updates(), 1);
    static_cast<TTestItem*>(items.Item(0))->SetCaption("zero");
    items.Item(0)->SetIndex(5); // clamped to the last position
    EXPECT_EQ(items.Item(2)->Index(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(items.Item(2))->Caption(), "zero");
    delete items.Item(1);
    EXPECT_EQ(items.Count(), 2);

    TTestItems copy(nullptr);
    copy.Add();
    copy.Assign(items);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(copy.Item(1))->Caption(), "zero");
    EXPECT_THROW(items.Item(2), EListError);
}
} // namespace
