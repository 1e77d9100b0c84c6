#pragma once
// The look of one skinned control: its UIStyle and FileTheme and the rules
// every skinned control follows with them. A control keeps one
// TsuiStyleLink, publishes UIStyle and FileTheme through it, forwards its
// Notification to it, and reads its theme items through it; the link decides
// between the file theme and the built-in tables (UsingFileTheme) and calls
// the control back whenever the look has to be refreshed.
//
//     class TsuiCheckBox : public TCustomControl {
//         TsuiStyleLink FStyle{*this, [this] { UIStyleChanged(); }};
//     public:
//         TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
//         void SetUIStyle(TsuiUIStyle v) { FStyle.SetUIStyle(v); }
//         ...
//     protected:
//         void Notification(TComponent* c, TOperation op) override {
//             inherited::Notification(c, op);
//             FStyle.Notification(c, op);
//         }
//     };

#include "framework/components/Components.h"
#include "skin/SUIThemes.h"

#include <functional>

class TBitmap;
class TsuiFileTheme;

class TsuiStyleLink {
public:
    // `control` is the component that carries the properties; `refresh` is
    // called after every change of the look (it may be empty).
    TsuiStyleLink(TComponent& control, std::function<void()> refresh);
    TsuiStyleLink(const TsuiStyleLink&) = delete;
    TsuiStyleLink& operator=(const TsuiStyleLink&) = delete;

    // Sets the style that GetFormUIStyle gives for the control's owner: what
    // every skinned control but the skinned form does when it is created.
    void StartWithFormStyle();

    TsuiUIStyle UIStyle() const { return FUIStyle; }
    // Stores the style, then refreshes the look (always, even when the value
    // did not change).
    void SetUIStyle(TsuiUIStyle value);
    TsuiFileTheme* FileTheme() const { return FFileTheme; }
    // Stores the reference, then runs SetUIStyle with the current style.
    void SetFileTheme(TsuiFileTheme* value);

    // The control's removal notifications: when the file theme goes away the
    // control loses it and falls back to DeepBlue (through SetUIStyle).
    // Returns true when the notification was about the file theme.
    bool Notification(TComponent* component, TOperation operation);

    // Whether the items come from the file theme now, and the built-in style
    // they come from otherwise (DeepBlue for FromThemeFile without a loaded
    // theme).
    bool UsesFileTheme() const;
    TsuiUIStyle EffectiveStyle() const;

    // Theme items under the current look. The bitmap is the whole picture
    // with a frame count of 0, otherwise frame `frameIndex` (1-based) of
    // `frameCount`; an item that is missing or no bitmap leaves `bitmap` as
    // it was for the whole picture and empties it for a frame.
    void GetBitmap(int item, TBitmap& bitmap, int frameCount = 0, int frameIndex = 0) const;
    TColor GetColor(int item) const;
    bool GetBool(int item) const;
    int32_t GetInt(int item) const;

private:
    TComponent& FControl;
    std::function<void()> FRefresh;
    TsuiUIStyle FUIStyle = TsuiUIStyle::DeepBlue;
    TsuiFileTheme* FFileTheme = nullptr;
};
