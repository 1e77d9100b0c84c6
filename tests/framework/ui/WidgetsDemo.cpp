// widgets-demo: shows the framework's demonstration form (DemoForm.h).
//
//   widgets-demo                     runs it until the form is closed
//   widgets-demo --screenshot FILE   shows it, paints it, saves the window's
//                                    pixels as PNG and exits
//
// It runs in a real window when a display is available and headless
// otherwise (SSI_BACKEND forces one), and paints the same pixels both ways.

#include "support/DemoForm.h"

#include "framework/ui/Application.h"
#include "platform/backend/Backend.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    std::string screenshot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
        } else {
            std::fprintf(stderr, "usage: widgets-demo [--screenshot FILE]\n");
            return 2;
        }
    }
    try {
        TApplication& app = Application();
        app.SetTitle("Widgets demo");
        TDemoForm* form = TDemoForm::Create(&app);
        app.AddCreatedForm(form);
        if (screenshot.empty()) {
            app.Run();
            return 0;
        }
        form->Show();
        app.ProcessMessages();
        form->Surface().SaveToPngFile(screenshot);
        std::printf("%s: %s backend, %dx%d\n", screenshot.c_str(), WindowSystem().Name(),
                    form->Width(), form->Height());
        ResetApplication();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "widgets-demo: %s\n", e.what());
        return 1;
    }
}
