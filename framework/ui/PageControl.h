#pragma once
// TPageControl with TTabSheet pages whose tabs are hidden: each page fills
// the page control and only the active one is shown; the installer's
// wizard switches pages with ActivePageIndex. A sheet joins the page
// control it is placed on (in layouts: nested in it).

#include "framework/ui/CustomControl.h"

#include <vector>

class TPageControl;

// How tabs would look; with every tab hidden it changes nothing drawn.
enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };
extern const TEnumInfo TTabStyleInfo;

class TTabSheet : public TCustomControl {
    SSI_CLASS(TTabSheet, TCustomControl)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    static void DeclarePublished(TPropertyBuilder& p);

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* value);
    int PageIndex() const;
    void SetPageIndex(int value);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value) { FTabVisible = value; }

    void SetParent(TWinControl* parent) override;

protected:
    void Paint() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

class TPageControl : public TCustomControl {
    SSI_CLASS(TPageControl, TCustomControl)
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;
    static void DeclarePublished(TPropertyBuilder& p);

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    // An index out of range leaves no page active.
    void SetActivePageIndex(int value);
    TNotifyEvent& OnChange() { return FOnChange; }
    void SetOnChange(const TNotifyEvent& e) { FOnChange = e; }
    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle value) { FStyle = value; }

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    TTabStyle FStyle = TTabStyle::tsTabs;
    TNotifyEvent FOnChange;
};
