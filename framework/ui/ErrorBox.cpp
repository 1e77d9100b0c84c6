#include "framework/ui/ErrorBox.h"

#include "framework/ui/Application.h"
#include "framework/graphics/Bitmap.h"
#include "framework/ui/Button.h"
#include "framework/ui/Label.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/TextDrawing.h"
#include "platform/backend/Backend.h"

#include <algorithm>

SSI_DEFINE_CLASS(TMessageBoxForm, TForm)

namespace {
constexpr int kIconSize = 32;
constexpr int kMargin = 12;
} // namespace

TMessageBoxForm::TMessageBoxForm(TComponent* owner, const std::string& text,
                                 const std::string& title, TMsgBoxIcon icon)
    : TForm(owner), FText(text), FIconKind(icon) {
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetCaption(title);
    FLabel = new TLabel(this);
    FLabel->SetShowAccelChar(false);
    FLabel->SetParent(this);
    FLabel->SetCaption(text);
    // Long texts wrap at a width a screen can show.
    if (FLabel->Width() > 400) {
        FLabel->SetAutoSize(false);
        FLabel->SetWidth(400);
        FLabel->SetWordWrap(true);
        FLabel->SetAutoSize(true);
    }
    int textLeft = kMargin + kIconSize + kMargin;
    int textTop = kMargin + std::max(0, (kIconSize - FLabel->Height()) / 2);
    FLabel->SetBounds(textLeft, textTop, FLabel->Width(), FLabel->Height());
    FOk = new TButton(this);
    FOk->SetParent(this);
    FOk->SetCaption("OK");
    FOk->SetModalResult(mrOk);
    FOk->SetDefault(true);
    FOk->SetCancel(true);
    int contentHeight = std::max(kIconSize, FLabel->Height() + (textTop - kMargin));
    int clientWidth = std::max(textLeft + FLabel->Width() + kMargin, FOk->Width() + 2 * kMargin);
    clientWidth = std::max(clientWidth, 180);
    int buttonTop = kMargin + contentHeight + kMargin;
    FOk->SetBounds((clientWidth - FOk->Width()) / 2, buttonTop, FOk->Width(), FOk->Height());
    SetClientWidth(clientWidth);
    SetClientHeight(buttonTop + FOk->Height() + kMargin);
    SetActiveControl(FOk);
    // Centred on the work area, as the platform places message boxes.
    TWsRect area = WindowSystem().WorkArea();
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2,
              Width(), Height());
}

void TMessageBoxForm::Paint() {
    TForm::Paint();
    TCanvas& c = Canvas();
    TRect r = Bounds(kMargin, kMargin, kIconSize, kIconSize);
    // A round badge: red with a white cross for errors, yellow with "!" for
    // warnings, blue with "i" for information.
    TColor fill = FIconKind == TMsgBoxIcon::Error     ? RGB(0xD0, 0x20, 0x20)
                  : FIconKind == TMsgBoxIcon::Warning ? RGB(0xF0, 0xC0, 0x20)
                                                      : RGB(0x20, 0x50, 0xD0);
    int cx = r.Left * 2 + kIconSize - 1, cy = r.Top * 2 + kIconSize - 1; // doubled centre
    int rad = kIconSize - 1;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            int dx = 2 * x - cx, dy = 2 * y - cy;
            if (dx * dx + dy * dy <= rad * rad)
                c.SetPixel(x, y, fill);
        }
    TColor mark = FIconKind == TMsgBoxIcon::Warning ? clBlack : clWhite;
    if (FIconKind == TMsgBoxIcon::Error) {
        for (int i = 9; i < kIconSize - 9; ++i)
            for (int t = -1; t <= 1; ++t) {
                c.SetPixel(r.Left + i + t, r.Top + i, mark);
                c.SetPixel(r.Left + kIconSize - 1 - i + t, r.Top + i, mark);
            }
    } else {
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.Brush().SetColor(mark);
        bool info = FIconKind == TMsgBoxIcon::Information;
        c.FillRect(
            Rect(r.Left + 14, r.Top + (info ? 13 : 7), r.Left + 18, r.Top + (info ? 25 : 19)));
        c.FillRect(
            Rect(r.Left + 14, r.Top + (info ? 7 : 21), r.Left + 18, r.Top + (info ? 10 : 25)));
    }
}

void ShowMessageBox(const std::string& text, const std::string& title, TMsgBoxIcon icon) {
    auto* box = new TMessageBoxForm(nullptr, text, title, icon);
    try {
        box->ShowModal();
    } catch (...) {
        box->Free();
        throw;
    }
    box->Free();
}

void ShowErrorBox(const std::string& text, const std::string& title) {
    ShowMessageBox(text, title, TMsgBoxIcon::Error);
}

void MessageDlg(const std::string& text, TMsgBoxIcon icon) {
    const char* title = icon == TMsgBoxIcon::Error     ? "Error"
                        : icon == TMsgBoxIcon::Warning ? "Warning"
                                                       : "Information";
    ShowMessageBox(text, title, icon);
}
