// A program outside the project that links the installed skinned controls:
// it reads a skinned form from a layout of its own, shows it and checks that
// the skin painted the window's frame. Exit status 0 when it did.

#include "controls/SUIRegister.h"
#include "framework/components/LayoutReader.h"
#include "framework/ui/Application.h"
#include "framework/ui/Forms.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/backend/Backend.h"

#include <cstdio>
#include <exception>

namespace {

// A red frame (BorderColor, a TColor: $00BBGGRR) around a WinXP title bar.
const char* const kLayout = R"(object OutsideForm: TForm
  Left = 10
  Top = 10
  ClientHeight = 120
  ClientWidth = 240
  object SkinnedFrame: TsuiForm
    Left = 0
    Top = 0
    Width = 240
    Height = 120
    UIStyle = WinXP
    BorderColor = 255
    BorderWidth = 3
    Caption = 'Outside'
    object OK: TsuiButton
      Left = 150
      Top = 80
      Width = 75
      Height = 25
      Caption = 'OK'
      UIStyle = WinXP
    end
  end
end
)";

int Run() {
    RegisterSkinnedControls();
    TLayoutReadOptions options;
    options.AnyRootClass = true;
    TForm* form = Application().CreateForm<TForm>();
    ReadLayout(*form, kLayout, options);
    form->Show();
    Application().ProcessMessages();
    Application().PaintForms();

    auto* headless = dynamic_cast<THeadlessBackend*>(&WindowSystem());
    if (headless == nullptr) {
        std::fprintf(stderr, "skinned-app: run it with SSI_BACKEND=headless\n");
        return 1;
    }
    THeadlessImage image = headless->Framebuffer(form->ScreenWindow());
    const uint32_t frame = image.Pixel(0, image.Height / 2);
    std::printf("skinned-app: %s, %d x %d, frame %06X\n", form->Caption().c_str(), image.Width,
                image.Height, frame);
    return form->Caption() == "Outside" && frame == 0xFF0000 ? 0 : 1;
}

} // namespace

int main() {
    int status = 1;
    try {
        status = Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinned-app: %s\n", e.what());
    }
    ResetApplication();
    SetWindowSystem(nullptr);
    return status;
}
