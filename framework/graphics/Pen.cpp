#include "framework/graphics/Pen.h"

void TPen::SetColor(TColor value) {
    if (value == FColor)
        return;
    FColor = value;
    Changed();
}

void TPen::SetWidth(int32_t value) {
    if (value == FWidth)
        return;
    FWidth = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (value == FStyle)
        return;
    FStyle = value;
    Changed();
}

void TPen::SetEndCap(TPenEndCap value) {
    if (value == FEndCap)
        return;
    FEndCap = value;
    Changed();
}

void TPen::SetJoin(TPenJoin value) {
    if (value == FJoin)
        return;
    FJoin = value;
    Changed();
}

void TPen::SetMode(TPenMode value) {
    if (value == FMode || int(value) < int(TPenMode::pmBlack) ||
        int(value) > int(TPenMode::pmWhite))
        return;
    FMode = value;
    Changed();
}

void TPen::SetMiterLimit(double value) {
    if (!(value >= 1))
        value = 1;
    if (value == FMiterLimit)
        return;
    FMiterLimit = value;
    Changed();
}

void TPen::Assign(const TPen& other) {
    FColor = other.FColor;
    FWidth = other.FWidth;
    FStyle = other.FStyle;
    FEndCap = other.FEndCap;
    FJoin = other.FJoin;
    FMode = other.FMode;
    FMiterLimit = other.FMiterLimit;
    Changed();
}

void TPen::Changed() {
    if (OnChange)
        OnChange(*this);
}
