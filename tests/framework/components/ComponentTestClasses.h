#pragma once
// Small component classes for the component, property and layout tests: a
// control-like component with one published property of every kind, a
// referenced "theme", a list-keeping manager and a form offering handlers.

#include "framework/components/Collections.h"
#include "framework/components/Components.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/base/StringList.h"

#include <string>
#include <vector>

// Every setter call and notification appends a line here.
std::vector<std::string>& TestLog();

enum class TTestStyle : uint8_t { tsFromFile, tsMacOS, tsWinXP, tsDeepBlue };
extern const TEnumInfo TTestStyleInfo;
enum class TTestFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TTestFontStyles = TSet<TTestFontStyle>;
extern const TEnumInfo TTestFontStyleInfo;

class TTestFont : public TPersistent {
    SSI_CLASS(TTestFont, TPersistent)
public:
    static void DeclarePublished(TPropertyBuilder& p);
    void Assign(const TPersistent& source) override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& v);
    int Size() const { return size_; }
    void SetSize(int v) { size_ = v; }
    uint32_t Color() const { return color_; }
    void SetColor(uint32_t v) { color_ = v; }
    TTestFontStyles Style() const { return style_; }
    void SetStyle(TTestFontStyles v) { style_ = v; }

private:
    std::string name_ = "Tahoma";
    int size_ = 8;
    uint32_t color_ = 0;
    TTestFontStyles style_;
};

class TTestPicture : public TPersistent {
    SSI_CLASS(TTestPicture, TPersistent)
public:
    static void DeclarePublished(TPropertyBuilder& p);
    bool HasData() const { return !bytes_.empty(); }
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;
    std::vector<uint8_t>& Bytes() { return bytes_; }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

class TTestControl;

class TTestItem : public TCollectionItem {
    SSI_CLASS(TTestItem, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    static void DeclarePublished(TPropertyBuilder& p);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    TTestControl* Target() const { return target_; }
    void SetTarget(TTestControl* v) { target_ = v; }

private:
    std::string caption_;
    TTestControl* target_ = nullptr;
};

class TTestItems : public TCollection {
    SSI_CLASS(TTestItems, TCollection)
public:
    explicit TTestItems(TPersistent* owner)
        : TCollection(owner, TTestItem::StaticClassInfo(), FactoryOf<TTestItem>()) {}
    int Updates() const { return updates_; }

protected:
    void Update(TCollectionItem*) override { ++updates_; }

private:
    int updates_ = 0;
};

class TTestTheme : public TComponent {
    SSI_CLASS(TTestTheme, TComponent)
public:
    using TComponent::TComponent;
    static void DeclarePublished(TPropertyBuilder& p);
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& v) { fileName_ = v; }

private:
    std::string fileName_;
};

// A control-like component: nested in its parent in layouts.
class TTestControl : public TComponent {
    SSI_CLASS(TTestControl, TComponent)
public:
    explicit TTestControl(TComponent* owner);
    ~TTestControl() override;
    static void DeclarePublished(TPropertyBuilder& p);

    int Left() const { return left_; }
    void SetLeft(int v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);
    // Setting the style derives the colour, so a colour stored after the
    // style must win.
    TTestStyle Style() const { return style_; }
    void SetStyle(TTestStyle v);
    uint32_t Color() const { return color_; }
    void SetColor(uint32_t v);
    TTestFont* Font() { return &font_; }
    void SetFont(const TTestFont& v) { font_.Assign(v); }
    TTestPicture* Picture() { return &picture_; }
    void SetPicture(const TTestPicture& v) { picture_.Bytes() = v.Bytes(); }
    const TStringList& Lines() const { return lines_; }
    void SetLines(const TStringList& v);
    TTestItems* Items() { return &items_; }
    void SetItems(const TTestItems& v) { items_.Assign(v); }
    TTestControl* Buddy() const { return buddy_; }
    void SetBuddy(TTestControl* v);
    TTestTheme* Theme() const { return theme_; }
    void SetTheme(TTestTheme* v);
    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& v) { onClick_ = v; }
    const TEvent<TObject*, int>& OnIndex() const { return onIndex_; }
    void SetOnIndex(const TEvent<TObject*, int>& v) { onIndex_ = v; }
    int Version() const { return 7; }

    TTestControl* Parent() const { return parent_; }
    void SetParent(TTestControl* parent);
    const std::vector<TTestControl*>& Children() const { return children_; }

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return parent_; }
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void Loaded() override;

    void Click() { onClick_(this); }
    // What Loaded saw: the buddy's name and whether csLoading was still set.
    const std::string& LoadedBuddy() const { return loadedBuddy_; }
    bool LoadingSeenBySetter() const { return loadingSeenBySetter_; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    int left_ = 0;
    bool visible_ = true;
    std::string caption_;
    TTestStyle style_ = TTestStyle::tsDeepBlue;
    uint32_t color_ = 0x00E8E8E8;
    TTestFont font_;
    TTestPicture picture_;
    TStringList lines_;
    TTestItems items_{this};
    TTestControl* buddy_ = nullptr;
    TTestTheme* theme_ = nullptr;
    TNotifyEvent onClick_;
    TEvent<TObject*, int> onIndex_;
    TTestControl* parent_ = nullptr;
    std::vector<TTestControl*> children_;
    std::string loadedBuddy_ = "(not loaded)";
    bool loadingSeenBySetter_ = false;
};

// Keeps names of components, deleting a name when its component goes.
class TTestManager : public TComponent {
    SSI_CLASS(TTestManager, TComponent)
public:
    using TComponent::TComponent;
    TStringList& Names() { return names_; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TStringList names_;
};

// A form: the root of layouts, offering its handlers by name.
class TTestForm : public TComponent {
    SSI_CLASS(TTestForm, TComponent)
public:
    using TComponent::TComponent;
    static void DeclarePublished(TPropertyBuilder& p);
    void ButtonClick(TObject* sender);
    void IndexClick(TObject* sender, int index);
    void CloseQuery(TObject* sender, bool& canClose);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& v) { title_ = v; }

private:
    std::string title_;
};

// A component whose setter fails.
class TFailingComponent : public TComponent {
    SSI_CLASS(TFailingComponent, TComponent)
public:
    using TComponent::TComponent;
    static void DeclarePublished(TPropertyBuilder& p);
    int Value() const { return 0; }
    void SetValue(int v);
};

void RegisterTestClasses();
