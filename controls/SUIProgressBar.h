#pragma once
// TsuiProgressBar: a one-pixel border, the filled part drawn from the look's
// ProgressBarImage stretched to the filled length, the rest in the look's
// background colour, and an optional centred percentage. Vertical bars fill
// from the bottom with the picture turned. Setting Position (or Min, Max)
// repaints at once, so a long task on the user-interface thread that sets
// it between its steps shows the bar advance.

#include "framework/graphics/PersistentPicture.h"
#include "framework/ui/Panel.h"
#include "skin/SUIStyleLink.h"

#include <string>

enum class TsuiProgressBarOrientation : uint8_t { suiHorizontal, suiVertical };
extern const TEnumInfo TsuiProgressBarOrientationInfo;

class TsuiProgressBar : public TCustomPanel {
    SSI_CLASS(TsuiProgressBar, TCustomPanel)
public:
    explicit TsuiProgressBar(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* value) { FStyle.SetFileTheme(value); }
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    // Picture, Color and BorderColor from the look (turned for a vertical
    // bar); colours set afterwards stay until the next change of the look.
    void SetUIStyle(TsuiUIStyle value) { FStyle.SetUIStyle(value); }
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool value);
    // No percentage while Position equals Min.
    bool SmartShowCaption() const { return FSmartShowCaption; }
    void SetSmartShowCaption(bool value);
    // Min, Max and Position are not checked against each other.
    int Max() const { return FMax; }
    void SetMax(int value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    // Turning the bar swaps its long side into the new direction: the
    // longer of width and height stays, the other becomes 12.
    TsuiProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TsuiProgressBarOrientation value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    // The colour of the part not yet filled.
    void SetColor(TColor value);
    TPersistentPicture* Picture() { return &FPicture; }
    void SetPicture(const TPersistentPicture& value);

    // (Position - Min) * 100 div (Max - Min); 0 when Min = Max.
    int Percentage() const;
    // The filled part of `length` pixels: 0 when Min >= Max or Min >=
    // Position, all of it when Position > Max.
    int FillLength(int length) const;
    const TsuiStyleLink& Style() const { return FStyle; }

protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;

private:
    // Invalidates and paints at once (only invalidates while loading).
    void RepaintNow();
    void RefreshLook();
    void UpdateCaption();
    void DrawHorizontal(TCanvas& canvas, const TGraphic* picture);
    void DrawVertical(TCanvas& canvas, const TGraphic* picture);

    TsuiStyleLink FStyle;
    TColor FCaptionColor = clBlack;
    bool FShowCaption = true;
    bool FSmartShowCaption = false;
    int FMax = 100;
    int FMin = 0;
    int FPosition = 50;
    TsuiProgressBarOrientation FOrientation = TsuiProgressBarOrientation::suiHorizontal;
    TColor FBorderColor = clBlack;
    TPersistentPicture FPicture;
    bool FRefreshing = false;
};
