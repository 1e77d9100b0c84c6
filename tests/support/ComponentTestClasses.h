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

    const std::string& Name() const { return FName; }
    void SetName(const std::string& v);
    int Size() const { return FSize; }
    void SetSize(int v) { FSize = v; }
    uint32_t Color() const { return FColor; }
    void SetColor(uint32_t v) { FColor = v; }
    TTestFontStyles Style() const { return FStyle; }
    void SetStyle(TTestFontStyles v) { FStyle = v; }

private:
    std::string FName = "Tahoma";
    int FSize = 8;
    uint32_t FColor = 0;
    TTestFontStyles FStyle;
};

class TTestPicture : public TPersistent {
    SSI_CLASS(TTestPicture, TPersistent)
public:
    static void DeclarePublished(TPropertyBuilder& p);
    bool HasData() const { return !FBytes.empty(); }
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;
    std::vector<uint8_t>& Bytes() { return FBytes; }
    const std::vector<uint8_t>& Bytes() const { return FBytes; }

private:
    std::vector<uint8_t> FBytes;
};

class TTestControl;

class TTestItem : public TCollectionItem {
    SSI_CLASS(TTestItem, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    static void DeclarePublished(TPropertyBuilder& p);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v) { FCaption = v; }
    TTestControl* Target() const { return FTarget; }
    void SetTarget(TTestControl* v) { FTarget = v; }

private:
    std::string FCaption;
    TTestControl* FTarget = nullptr;
};

class TTestItems : public TCollection {
    SSI_CLASS(TTestItems, TCollection)
public:
    explicit TTestItems(TPersistent* owner)
        : TCollection(owner, TTestItem::StaticClassInfo(), FactoryOf<TTestItem>()) {}
    int Updates() const { return FUpdates; }

protected:
    void Update(TCollectionItem*) override { ++FUpdates; }

private:
    int FUpdates = 0;
};

class TTestTheme : public TComponent {
    SSI_CLASS(TTestTheme, TComponent)
public:
    using TComponent::TComponent;
    static void DeclarePublished(TPropertyBuilder& p);
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& v) { FFileName = v; }

private:
    std::string FFileName;
};

// A control-like component: nested in its parent in layouts.
class TTestControl : public TComponent {
    SSI_CLASS(TTestControl, TComponent)
public:
    explicit TTestControl(TComponent* owner);
    ~TTestControl() override;
    static void DeclarePublished(TPropertyBuilder& p);

    int Left() const { return FLeft; }
    void SetLeft(int v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& v);
    // Setting the style derives the colour, so a colour stored after the
    // style must win.
    TTestStyle Style() const { return FStyle; }
    void SetStyle(TTestStyle v);
    uint32_t Color() const { return FColor; }
    void SetColor(uint32_t v);
    TTestFont* Font() { return &FFont; }
    void SetFont(const TTestFont& v) { FFont.Assign(v); }
    TTestPicture* Picture() { return &FPicture; }
    void SetPicture(const TTestPicture& v) { FPicture.Bytes() = v.Bytes(); }
    const TStringList& Lines() const { return FLines; }
    void SetLines(const TStringList& v);
    TTestItems* Items() { return &FItems; }
    void SetItems(const TTestItems& v) { FItems.Assign(v); }
    TTestControl* Buddy() const { return FBuddy; }
    void SetBuddy(TTestControl* v);
    TTestTheme* Theme() const { return FTheme; }
    void SetTheme(TTestTheme* v);
    const TNotifyEvent& OnClick() const { return FOnClick; }
    void SetOnClick(const TNotifyEvent& v) { FOnClick = v; }
    const TEvent<TObject*, int>& OnIndex() const { return FOnIndex; }
    void SetOnIndex(const TEvent<TObject*, int>& v) { FOnIndex = v; }
    int Version() const { return 7; }

    TTestControl* Parent() const { return FParent; }
    void SetParent(TTestControl* parent);
    const std::vector<TTestControl*>& Children() const { return FChildren; }

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void Loaded() override;

    void Click() { FOnClick(this); }
    // What Loaded saw: the buddy's name and whether csLoading was still set.
    const std::string& LoadedBuddy() const { return FLoadedBuddy; }
    bool LoadingSeenBySetter() const { return FLoadingSeenBySetter; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    int FLeft = 0;
    bool FVisible = true;
    std::string FCaption;
    TTestStyle FStyle = TTestStyle::tsDeepBlue;
    uint32_t FColor = 0x00E8E8E8;
    TTestFont FFont;
    TTestPicture FPicture;
    TStringList FLines;
    TTestItems FItems{this};
    TTestControl* FBuddy = nullptr;
    TTestTheme* FTheme = nullptr;
    TNotifyEvent FOnClick;
    TEvent<TObject*, int> FOnIndex;
    TTestControl* FParent = nullptr;
    std::vector<TTestControl*> FChildren;
    std::string FLoadedBuddy = "(not loaded)";
    bool FLoadingSeenBySetter = false;
};

// Keeps names of components, deleting a name when its component goes.
class TTestManager : public TComponent {
    SSI_CLASS(TTestManager, TComponent)
public:
    using TComponent::TComponent;
    TStringList& Names() { return FNames; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TStringList FNames;
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
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& v) { FTitle = v; }

private:
    std::string FTitle;
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
