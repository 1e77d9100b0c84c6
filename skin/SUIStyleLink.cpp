#include "skin/SUIStyleLink.h"

#include "framework/graphics/Bitmap.h"
#include "skin/SUIMgr.h"

TsuiStyleLink::TsuiStyleLink(TComponent& control, std::function<void()> refresh)
    : FControl(control), FRefresh(std::move(refresh)) {}

void TsuiStyleLink::StartWithFormStyle() {
    SetUIStyle(GetFormUIStyle(FControl.Owner()));
}

void TsuiStyleLink::SetUIStyle(TsuiUIStyle value) {
    FUIStyle = value;
    if (FRefresh)
        FRefresh();
}

void TsuiStyleLink::SetFileTheme(TsuiFileTheme* value) {
    FFileTheme = value;
    // The theme usually lives on the same form, but it need not: ask to be
    // told of its destruction wherever it is.
    if (value != nullptr)
        FControl.FreeNotification(value);
    SetUIStyle(FUIStyle);
}

bool TsuiStyleLink::Notification(TComponent* component, TOperation operation) {
    if (operation != TOperation::opRemove || component == nullptr || component != FFileTheme)
        return false;
    FFileTheme = nullptr;
    SetUIStyle(TsuiUIStyle::DeepBlue);
    return true;
}

bool TsuiStyleLink::UsesFileTheme() const {
    TsuiUIStyle effective;
    return UsingFileTheme(FFileTheme, FUIStyle, effective);
}

TsuiUIStyle TsuiStyleLink::EffectiveStyle() const {
    TsuiUIStyle effective;
    UsingFileTheme(FFileTheme, FUIStyle, effective);
    return effective;
}

void TsuiStyleLink::GetBitmap(int item, TBitmap& bitmap, int frameCount, int frameIndex) const {
    TsuiUIStyle effective;
    if (!UsingFileTheme(FFileTheme, FUIStyle, effective))
        GetThemeBitmap(effective, item, &bitmap, frameCount, frameIndex);
    else if (frameCount == 0)
        FFileTheme->GetBitmap(item, bitmap);
    else
        FFileTheme->GetBitmapFrame(item, bitmap, frameCount, frameIndex);
}

TColor TsuiStyleLink::GetColor(int item) const {
    TsuiUIStyle effective;
    return UsingFileTheme(FFileTheme, FUIStyle, effective) ? FFileTheme->GetColor(item)
                                                           : GetThemeColor(effective, item);
}

bool TsuiStyleLink::GetBool(int item) const {
    TsuiUIStyle effective;
    return UsingFileTheme(FFileTheme, FUIStyle, effective) ? FFileTheme->GetBool(item)
                                                           : GetThemeBool(effective, item);
}

int32_t TsuiStyleLink::GetInt(int item) const {
    TsuiUIStyle effective;
    return UsingFileTheme(FFileTheme, FUIStyle, effective) ? FFileTheme->GetInt(item)
                                                           : GetThemeInt(effective, item);
}
