#pragma once
// TCustomPanel / TPanel: a container with optional 3-D bevels (outer, then
// inner, each BevelWidth wide), a border and a caption drawn with its
// Alignment, centred vertically. Aligned children share the area inside
// BorderWidth and the bevels. TCustomPanel declares the panel's properties
// without publishing them, so that panels built on it can publish them in
// the order their own setters need; TPanel publishes them.

#include "framework/ui/CustomControl.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
extern const TEnumInfo TBevelCutInfo;
enum class TBorderStyle { bsNone, bsSingle };
extern const TEnumInfo TBorderStyleInfo;

class TCustomPanel : public TCustomControl {
    SSI_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

protected:
    void AdjustClientRect(TRect& rect) const override;
    void Paint() override;

private:
    TAlignment FAlignment = TAlignment::taCenter;
    TBevelCut FBevelInner = TBevelCut::bvNone;
    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    int FBevelWidth = 1;
    TBorderStyle FBorderStyle = TBorderStyle::bsNone;
};

class TPanel : public TCustomPanel {
    SSI_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);
};

// The platform's Frame3D: `width` rings of top-left in `topLeft` and
// bottom-right in `bottomRight`; `rect` shrinks by the rings drawn.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);
