#pragma once
// TsuiCustomGroupBox: a frame in the look's border colour with a caption set
// into its top edge, on an image panel (so it can be see-through). Setting
// its UIStyle or FileTheme passes the pair on to every child that takes a
// style, then takes the border and caption colours from the look; enabling
// or disabling it does the same to every child. Aligned children share the
// area inside the frame. TsuiGroupBox publishes it.

#include "controls/SUIImagePanel.h"
#include "skin/SUIStyleLink.h"

#include <string>

class TsuiCustomGroupBox : public TsuiCustomPanel {
    SSI_CLASS(TsuiCustomGroupBox, TsuiCustomPanel)
public:
    explicit TsuiCustomGroupBox(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* value) { FStyle.SetFileTheme(value); }
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    // Stores the style, then ApplyUIStyle with it and the file theme.
    void SetUIStyle(TsuiUIStyle value) { FStyle.SetUIStyle(value); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    // The text in the top edge. It is not the window text, which stays a
    // single blank (the panel underneath draws no caption of its own).
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);

    // The same value to every child control as well.
    void SetEnabled(bool value) override;

    const TsuiStyleLink& Style() const { return FStyle; }
    // A colour taken from the parent is not stored with the control.
    bool ColorStored() const { return !ParentColor(); }
    // The frame's top line (half the font's pixel height, plus one).
    int FrameTop() const;

protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    // Inside the frame: 3 pixels at the sides and the bottom, the caption's
    // height and 5 more at the top.
    void AdjustClientRect(TRect& rect) const override;

    // Passes the style to the children, then takes BorderColor (item 25,
    // ControlBorderColor) and the font colour (item 27, ControlFontColor)
    // from the look.
    virtual void ApplyUIStyle(TsuiUIStyle style, TsuiFileTheme* fileTheme);

    // The font's height in pixels, whatever its sign.
    int FontPixelHeight() const;
    // Whether the control is being read from a layout.
    bool Loading() const;

private:
    TsuiStyleLink FStyle;
    TColor FBorderColor = clBlack;
    std::string FCaption;
};

class TsuiGroupBox : public TsuiCustomGroupBox {
    SSI_CLASS(TsuiGroupBox, TsuiCustomGroupBox)
public:
    explicit TsuiGroupBox(TComponent* owner);
};
