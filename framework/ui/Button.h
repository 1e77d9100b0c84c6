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
    static void DeclarePublished(TPropertyBuilder& p);

    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int value) { FModalResult = value; }
    bool Pressed() const { return FPressed; }

    void Click() override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;

private:
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
    bool FPressed = false;
    bool FActive = false; // the button Enter would click now
};
