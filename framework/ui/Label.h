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
    // Published: Alignment, AutoSize, Caption, Color, FocusControl, Font,
    // Layout, ParentColor, ParentFont, ShowAccelChar, Transparent, WordWrap,
    // OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp.
    static void DeclarePublished(TPropertyBuilder& p);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return focusControl_; }
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

    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool autoSize_ = true;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};
