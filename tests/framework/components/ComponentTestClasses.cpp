#include "ComponentTestClasses.h"

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
    name_ = v;
}
void TTestFont::Assign(const TPersistent& source) {
    CopyPublishedProperties(const_cast<TPersistent&>(source), *this);
}

SSI_DEFINE_CLASS(TTestPicture, TPersistent)
void TTestPicture::DeclarePublished(TPropertyBuilder& p) {
    p.Binary("Data", &TTestPicture::HasData, &TTestPicture::ReadData, &TTestPicture::WriteData);
}
void TTestPicture::ReadData(TStream& stream) {
    bytes_.resize(static_cast<size_t>(stream.Size() - stream.Position()));
    stream.ReadBuffer(bytes_.data(), static_cast<int64_t>(bytes_.size()));
}
void TTestPicture::WriteData(TStream& stream) const {
    stream.WriteBuffer(bytes_.data(), static_cast<int64_t>(bytes_.size()));
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
    for (TTestControl* child : std::vector<TTestControl*>(children_))
        child->SetParent(nullptr);
}

void TTestControl::SetLeft(int v) {
    TestLog().push_back("Left=" + std::to_string(v));
    loadingSeenBySetter_ = HasState(csLoading);
    left_ = v;
}
void TTestControl::SetCaption(const std::string& v) {
    TestLog().push_back("Caption=" + v);
    caption_ = v;
}
void TTestControl::SetStyle(TTestStyle v) {
    TestLog().push_back("Style=" + TTestStyleInfo.Name(static_cast<int>(v)));
    style_ = v;
    color_ = v == TTestStyle::tsWinXP ? 0x00DEEBEF : 0x00E8E8E8;
}
void TTestControl::SetColor(uint32_t v) {
    TestLog().push_back("Color=" + std::to_string(v));
    color_ = v;
}
void TTestControl::SetLines(const TStringList& v) {
    lines_.Assign(v);
}
void TTestControl::SetBuddy(TTestControl* v) {
    TestLog().push_back("Buddy=" + (v ? v->Name() : std::string("nil")));
    if (v != nullptr)
        v->FreeNotification(this);
    buddy_ = v;
}
void TTestControl::SetTheme(TTestTheme* v) {
    if (v != nullptr)
        v->FreeNotification(this);
    theme_ = v;
}

void TTestControl::SetParent(TTestControl* parent) {
    if (parent == parent_)
        return;
    if (parent_ != nullptr)
        std::erase(parent_->children_, this);
    parent_ = parent;
    if (parent_ != nullptr)
        parent_->children_.push_back(this);
}

void TTestControl::SetParentComponent(TComponent* parent) {
    SetParent(dynamic_cast<TTestControl*>(parent));
}

void TTestControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TTestControl* child : children_)
        if (child->Owner() == root)
            proc(child);
}

void TTestControl::Loaded() {
    TComponent::Loaded();
    loadedBuddy_ = buddy_ ? buddy_->Name() : "nil";
    TestLog().push_back("Loaded " + Name());
}

void TTestControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == buddy_)
        buddy_ = nullptr;
    if (component == theme_)
        theme_ = nullptr;
    if (component == parent_)
        SetParent(nullptr);
}

SSI_DEFINE_CLASS(TTestManager, TComponent)
void TTestManager::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component != nullptr && component != this) {
        int i = names_.IndexOf(component->Name());
        if (i >= 0)
            names_.Delete(i);
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
