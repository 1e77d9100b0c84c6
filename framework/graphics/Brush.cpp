#include "framework/graphics/Brush.h"

void TBrush::SetColor(TColor value) {
    if (value == FColor && FStyle == TBrushStyle::bsSolid)
        return;
    FColor = value;
    FStyle = TBrushStyle::bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == FStyle)
        return;
    FStyle = value;
    Changed();
}

void TBrush::Assign(const TBrush& other) {
    FColor = other.FColor;
    FStyle = other.FStyle;
    Changed();
}

void TBrush::Changed() {
    if (OnChange)
        OnChange(*this);
}
