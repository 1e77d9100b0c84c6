#pragma once
// The framework's message boxes: a small modal dialog form of its own (the
// window system's message boxes cannot be relied on) with an icon, the text
// and an OK button; Enter, Escape or a click on OK closes it. The
// application's default exception handler shows its errors here.

#include "framework/ui/Forms.h"

#include <string>

enum class TMsgBoxIcon { Error, Warning, Information };

class TLabel;
class TButton;

class TMessageBoxForm : public TForm {
    SSI_CLASS(TMessageBoxForm, TForm)
public:
    TMessageBoxForm(TComponent* owner, const std::string& text, const std::string& title,
                    TMsgBoxIcon icon);
    const std::string& Text() const { return FText; }
    TMsgBoxIcon IconKind() const { return FIconKind; }
    TButton* OkButton() const { return FOk; }

protected:
    void Paint() override;

private:
    std::string FText;
    TMsgBoxIcon FIconKind;
    TLabel* FLabel = nullptr;
    TButton* FOk = nullptr;
};

// Shows `text` in a modal box titled `title` and waits until it is closed.
void ShowMessageBox(const std::string& text, const std::string& title,
                    TMsgBoxIcon icon = TMsgBoxIcon::Error);
// The error box of the default exception handler.
void ShowErrorBox(const std::string& text, const std::string& title);
// The platform framework's message dialog: titled "Error", "Warning" or
// "Information" after its icon, with an OK button.
void MessageDlg(const std::string& text, TMsgBoxIcon icon);
