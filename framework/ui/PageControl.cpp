#include "framework/ui/PageControl.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/ui/Forms.h"

#include <algorithm>

const TEnumInfo TTabStyleInfo("TTabStyle", {"tsTabs", "tsButtons", "tsFlatButtons"});

SSI_DEFINE_CLASS(TTabSheet, TCustomControl)

void TTabSheet::DeclarePublished(TPropertyBuilder& p) {
    p.Inherited("BorderWidth")
        .Inherited("Caption")
        .Integer("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex)
        .NotStored()
        .Boolean("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
        .Default(1)
        .Inherited("Color")
        .Inherited("Font")
        .Inherited("ParentFont");
}

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    TControl::SetVisible(false);
    SetAlign(TAlign::alClient);
}

TTabSheet::~TTabSheet() {
    if (FPageControl != nullptr)
        FPageControl->RemovePage(this);
}

void TTabSheet::SetParent(TWinControl* parent) {
    TCustomControl::SetParent(parent);
    auto* pc = dynamic_cast<TPageControl*>(parent);
    if (pc != FPageControl) {
        if (FPageControl != nullptr)
            FPageControl->RemovePage(this);
        if (pc != nullptr)
            pc->InsertPage(this);
    }
}

void TTabSheet::SetPageControl(TPageControl* value) {
    SetParent(value);
}

int TTabSheet::PageIndex() const {
    if (FPageControl == nullptr)
        return -1;
    auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
    if (FPageControl == nullptr)
        return;
    auto& pages = FPageControl->FPages;
    pages.erase(std::find(pages.begin(), pages.end(), this));
    value = std::clamp(value, 0, static_cast<int>(pages.size()));
    pages.insert(pages.begin() + value, this);
}

void TTabSheet::Paint() {
    TCanvas& c = Canvas();
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(ClientRect());
}

SSI_DEFINE_CLASS(TPageControl, TCustomControl)

void TPageControl::DeclarePublished(TPropertyBuilder& p) {
    p.Inherited("TabStop").Default(1);
    p.Inherited("BorderWidth")
        .Component("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
        .Inherited("Color")
        .Inherited("Font")
        .Inherited("ParentFont")
        .Enum("Style", TTabStyleInfo, &TPageControl::Style, &TPageControl::SetStyle)
        .Default(0)
        .Event("OnChange", &TPageControl::OnChange, &TPageControl::SetOnChange);
}

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

TPageControl::~TPageControl() {
    for (TTabSheet* page : FPages)
        page->FPageControl = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount())
        throw EListError(Format("List index out of bounds (%d)", index));
    return FPages[static_cast<size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
    FPages.push_back(page);
    page->FPageControl = this;
    page->TControl::SetVisible(false);
    if (FActivePage == nullptr && !HasState(csLoading))
        SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    page->FPageControl = nullptr;
    if (FActivePage == page) {
        FActivePage = nullptr;
        if (!HasState(csDestroying) && !FPages.empty())
            SetActivePage(FPages.front());
    }
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FActivePage)
        FActivePage = nullptr;
}

int TPageControl::ActivePageIndex() const {
    if (FActivePage == nullptr)
        return -1;
    return FActivePage->PageIndex();
}

void TPageControl::SetActivePageIndex(int value) {
    if (value < 0 || value >= PageCount())
        SetActivePage(nullptr);
    else
        SetActivePage(FPages[static_cast<size_t>(value)]);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page != nullptr && page->FPageControl != this)
        return;
    if (FActivePage == page)
        return;
    TCustomForm* form = ParentForm();
    // The focus may not stay on a page that is being hidden.
    bool focusInside = form != nullptr && form->ActiveControl() != nullptr &&
                       FActivePage != nullptr &&
                       FActivePage->ContainsControl(form->ActiveControl());
    if (page != nullptr) {
        page->BringToFront();
        page->TControl::SetVisible(true);
    }
    TTabSheet* old = FActivePage;
    FActivePage = page;
    if (old != nullptr)
        old->SetVisible(false);
    if (focusInside && form != nullptr) {
        TWinControl* next =
            page != nullptr ? page->FindNextControl(nullptr, true, true, false) : nullptr;
        if (next != nullptr && next->CanFocus())
            form->FocusControl(next);
        else if (form->ActiveControl() != nullptr && old != nullptr &&
                 old->ContainsControl(form->ActiveControl()))
            form->FocusControl(this->CanFocus() ? this : nullptr);
    }
    Realign();
    Invalidate();
    if (!HasState(csLoading))
        FOnChange(this);
}

void TPageControl::Loaded() {
    TCustomControl::Loaded();
    for (TTabSheet* p : FPages)
        p->TControl::SetVisible(p == FActivePage);
    if (FActivePage == nullptr && !FPages.empty())
        SetActivePage(FPages.front());
}

void TPageControl::Paint() {
    TCanvas& c = Canvas();
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(ClientRect());
}
