#pragma once
// TButton: the framework's plain push button. It takes the focus when
// pressed, clicks on a release inside, on Space, on its "&" accelerator, on
// Enter while it is the default button (or focused) and on Escape when it
// is the cancel button; a click sets the form's ModalResult to its own.

#include "framework/ui/CustomControl.h"

class TButton : public TCustomControl {
    SSI_CLASS(TButton, TCustomControl)
public:
    explicit TButton(TComponent* owner);
    // Published: Cancel, Caption, Default, Font, ModalResult, ParentFont,
    // TabOrder, TabStop, OnClick.
    static void DeclarePublished(TPropertyBuilder& p);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    bool Pressed() const { return pressed_; }

    void Click() override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
    bool pressed_ = false;
    bool active_ = false; // the button Enter would click now
};

// Whether `ch` is the accelerator of `caption` (the character after a
// single "&", compared without regard to case).
bool IsAccel(int ch, const std::string& caption);
