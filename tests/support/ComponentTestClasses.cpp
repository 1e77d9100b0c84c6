#include "support/ComponentTestClasses.h"

#include "framework/components/ClassRegistry.h"
#include "framework/base/Streams.h"

#include <algorithm>

std::vector<std::string>& TestLog() {
    static std::vector<std::string> log;
    return log;
}

const TEnumInfo TTestStyleInfo("TTestStyle", {"tsFromFile", "tsMacOS", "tsWinXP", "tsDeepBlue"});
const TEnumInfo TTestFontStyleInfo("TTestFontStyle",
                                   {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});

SSI_DEFINE_CLASS(TTestFont, TPersistent)
void TTestFont::DeclarePublished(TPropertyBuilder& p) {
    p.String("Name", &TTestFont::Name, &TTestFont::SetName);
    p.Integer("Size", &TTestFont::Size, &TTestFont::SetSize);
    p.Color("Color", &TTestFont::Color, &TTestFont::SetColor);
    p.SetOf("Style", TTestFontStyleInfo, &TTestFont::Style, &TTestFont::SetStyle).Default(0);
}
void TTestFont::SetName(const std::string& v) {
    TestLog().push_back("Font.Name=" + v);
    FName = v;
}
void TTestFont::Assign(const TPersistent& source) {
    CopyPublishedProperties(const_cast<TPersistent&>(source), *this);
}

SSI_DEFINE_CLASS(TTestPicture, TPersistent)
void TTestPicture::DeclarePublished(TPropertyBuilder& p) {
    p.Binary("Data", &TTestPicture::HasData, &TTestPicture::ReadData, &TTestPicture::WriteData);
}
void TTestPicture::ReadData(TStream& stream) {
    FBytes.resize(static_cast<size_t>(stream.Size() - stream.Position()));
    stream.ReadBuffer(FBytes.data(), static_cast<int64_t>(FBytes.size()));
}
void TTestPicture::WriteData(TStream& stream) const {
    stream.WriteBuffer(FBytes.data(), static_cast<int64_t>(FBytes.size()));
}

SSI_DEFINE_CLASS(TTestItem, TCollectionItem)
void TTestItem::DeclarePublished(TPropertyBuilder& p) {
    p.String("Caption", &TTestItem::Caption, &TTestItem::SetCaption).DefaultText("");
    p.Component("Target", &TTestItem::Target, &TTestItem::SetTarget);
}

SSI_DEFINE_CLASS(TTestItems, TCollection)

SSI_DEFINE_CLASS(TTestTheme, TComponent)
void TTestTheme::DeclarePublished(TPropertyBuilder& p) {
    p.String("FileName", &TTestTheme::FileName, &TTestTheme::SetFileName);
}

SSI_DEFINE_CLASS(TTestControl, TComponent)
void TTestControl::DeclarePublished(TPropertyBuilder& p) {
    p.Integer("Left", &TTestControl::Left, &TTestControl::SetLeft);
    p.Boolean("Visible", &TTestControl::Visible, &TTestControl::SetVisible).Default(1);
    p.String("Caption", &TTestControl::Caption, &TTestControl::SetCaption).DefaultText("");
    p.Enum("Style", TTestStyleInfo, &TTestControl::Style, &TTestControl::SetStyle);
    p.Color("Color", &TTestControl::Color, &TTestControl::SetColor);
    p.Object("Font", &TTestControl::Font, &TTestControl::SetFont);
    p.Object("Picture", &TTestControl::Picture, &TTestControl::SetPicture);
    p.Object("Lines", &TTestControl::Lines, &TTestControl::SetLines);
    p.Object("Items", &TTestControl::Items, &TTestControl::SetItems);
    p.Component("Buddy", &TTestControl::Buddy, &TTestControl::SetBuddy);
    p.Component("Theme", &TTestControl::Theme, &TTestControl::SetTheme);
    p.Event("OnClick", &TTestControl::OnClick, &TTestControl::SetOnClick);
    p.Event("OnIndex", &TTestControl::OnIndex, &TTestControl::SetOnIndex);
    p.Integer("Version", &TTestControl::Version, nullptr);
}

TTestControl::TTestControl(TComponent* owner) : TComponent(owner) {}

TTestControl::~TTestControl() {
    SetParent(nullptr);
    for (TTestControl* child : std::vector<TTestControl*>(FChildren))
        child->SetParent(nullptr);
}

void TTestControl::SetLeft(int v) {
    TestLog().push_back("Left=" + std::to_string(v));
    FLoadingSeenBySetter = HasState(csLoading);
    FLeft = v;
}
void TTestControl::SetCaption(const std::string& v) {
    TestLog().push_back("Caption=" + v);
    FCaption = v;
}
void TTestControl::SetStyle(TTestStyle v) {
    TestLog().push_back("Style=" + TTestStyleInfo.Name(static_cast<int>(v)));
    FStyle = v;
    FColor = v == TTestStyle::tsWinXP ? 0x00DEEBEF : 0x00E8E8E8;
}
void TTestControl::SetColor(uint32_t v) {
    TestLog().push_back("Color=" + std::to_string(v));
    FColor = v;
}
void TTestControl::SetLines(const TStringList& v) {
    FLines.Assign(v);
}
void TTestControl::SetBuddy(TTestControl* v) {
    TestLog().push_back("Buddy=" + (v ? v->Name() : std::string("nil")));
    if (v != nullptr)
        v->FreeNotification(this);
    FBuddy = v;
}
void TTestControl::SetTheme(TTestTheme* v) {
    if (v != nullptr)
        v->FreeNotification(this);
    FTheme = v;
}

void TTestControl::SetParent(TTestControl* parent) {
    if (parent == FParent)
        return;
    if (FParent != nullptr)
        std::erase(FParent->FChildren, this);
    FParent = parent;
    if (FParent != nullptr)
        FParent->FChildren.push_back(this);
}

void TTestControl::SetParentComponent(TComponent* parent) {
    SetParent(dynamic_cast<TTestControl*>(parent));
}

void TTestControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TTestControl* child : FChildren)
        if (child->Owner() == root)
            proc(child);
}

void TTestControl::Loaded() {
    TComponent::Loaded();
    FLoadedBuddy = FBuddy ? FBuddy->Name() : "nil";
    TestLog().push_back("Loaded " + Name());
}

void TTestControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == FBuddy)
        FBuddy = nullptr;
    if (component == FTheme)
        FTheme = nullptr;
    if (component == FParent)
        SetParent(nullptr);
}

SSI_DEFINE_CLASS(TTestManager, TComponent)
void TTestManager::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component != nullptr && component != this) {
        int i = FNames.IndexOf(component->Name());
        if (i >= 0)
            FNames.Delete(i);
    }
}

SSI_DEFINE_CLASS(TTestForm, TComponent)
void TTestForm::DeclarePublished(TPropertyBuilder& p) {
    p.String("Title", &TTestForm::Title, &TTestForm::SetTitle);
    p.Method("ButtonClick", &TTestForm::ButtonClick);
    p.Method("IndexClick", &TTestForm::IndexClick);
    p.Method("CloseQuery", &TTestForm::CloseQuery);
}
void TTestForm::ButtonClick(TObject* sender) {
    TestLog().push_back("ButtonClick " + static_cast<TComponent*>(sender)->Name());
}
void TTestForm::CloseQuery(TObject*, bool& canClose) {
    canClose = false;
}
void TTestForm::IndexClick(TObject*, int index) {
    TestLog().push_back("IndexClick " + std::to_string(index));
}

SSI_DEFINE_CLASS(TFailingComponent, TComponent)
void TFailingComponent::DeclarePublished(TPropertyBuilder& p) {
    p.Integer("Value", &TFailingComponent::Value, &TFailingComponent::SetValue);
}
void TFailingComponent::SetValue(int v) {
    if (v < 0)
        throw Exception("Value must not be negative");
}

void RegisterTestClasses() {
    RegisterClasses<TTestControl, TTestTheme, TTestManager, TTestForm, TFailingComponent,
                    TTestFont>();
    RegisterIntegerIdents(kColorIdents, {{"clBtnFace", 0x8000000F}, {"clWhite", 0xFFFFFF}});
}
