#pragma once
// TLabel: a windowless caption. With AutoSize (the default) it takes the
// size of its text (the width too unless WordWrap); WordWrap breaks lines
// at the width; Alignment and Layout place the text; a Transparent label
// leaves its parent's background showing. Its "&" accelerator focuses
// FocusControl.

#include "framework/ui/CustomControl.h"

enum class TTextLayout { tlTop, tlCenter, tlBottom };
extern const TEnumInfo TTextLayoutInfo;

class TLabel : public TGraphicControl {
    SSI_CLASS(TLabel, TGraphicControl)
public:
    explicit TLabel(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);

    // Resizes to the text (AutoSize), keeping the anchor edge that the
    // alignment implies.
    void AdjustBounds();

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    uint32_t TextFlags() const;

    TAlignment FAlignment = TAlignment::taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = TTextLayout::tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};
