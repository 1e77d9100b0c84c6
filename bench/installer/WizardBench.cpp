// The installer wizard. With a display (run under xvfb-run): the time from
// a running program to the wizard's first painted frame (StartupBench times
// it from exec, next to a bare SDL program). Headless: a full repaint of the
// wizard and the repaint a pointer move over the title bar causes.

#include "controls/SUIForm.h"
#include "framework/base/Streams.h"
#include "framework/ui/Application.h"
#include "installer/InstallarUnit.h"
#include "package/CompileStream.h"
#include "platform/backend/Backend.h"
#include "resources/Resources.h"
#include "support/HeadlessApplication.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// An installer file with a record and the demo logo, in a folder of its own.
struct TInstallerFile {
    fs::path Root;
    std::string Path;
    TInstallerFile() {
        Root = fs::temp_directory_path() / ("ssi-wizard-bench-" + std::to_string(getpid()));
        fs::create_directories(Root / "windows");
        setenv("WINDIR", (Root / "windows").c_str(), 1);
        TProject project;
        project.ScreensaverName = "Aquarium";
        project.LogoFile = "logo.jpg";
        project.Homepage = "https://example.org/aquarium";
        project.SaveToStream();
        std::ifstream logoFile(std::string(SSI_SOURCE_DIR) + "/examples/demo/logo.jpg",
                               std::ios::binary);
        std::string logo((std::istreambuf_iterator<char>(logoFile)), {});
        TCompileStream writer;
        for (int i = 0; i < 5; ++i) {
            TMemoryStream s;
            if (i == 3)
                s.CopyFrom(project.ProjectStream, 0);
            else if (i == 4)
                s.WriteBuffer(logo.data(), static_cast<int64_t>(logo.size()));
            else
                s.WriteBuffer("data", 4);
            writer.AddStream(s, i != 0);
        }
        TMemoryStream& package = writer.Compile();
        Path = (Root / "setup").string();
        package.SaveToFile(Path);
    }
    ~TInstallerFile() {
        std::error_code ignored;
        fs::remove_all(Root, ignored);
    }
};

bool HasDisplay() {
    const char* d = std::getenv("DISPLAY");
    return d != nullptr && *d != 0;
}


void BM_WizardFirstFrame(benchmark::State& state) {
    if (!HasDisplay()) {
        state.SkipWithError("no display (run under xvfb-run)");
        return;
    }
    TInstallerFile installer;
    unsetenv("SSI_BACKEND");
    for (auto _ : state) {
        SetWindowSystem(CreateWindowSystem());
        Application().SetTitle("Screensaver Installar");
        LoadApplicationIcon();
        auto* form = new TInstallarForm(&Application(), installer.Path, {});
        Application().AddCreatedForm(form);
        form->Show(); // shows, runs FormShow and presents the first frame
        ResetApplication();
        SetWindowSystem(nullptr);
    }
}
BENCHMARK(BM_WizardFirstFrame)->Unit(benchmark::kMillisecond);

struct THeadlessWizard {
    TInstallerFile Installer;
    THeadlessApplication App;
    TInstallarForm* Form = nullptr;
    THeadlessWizard() {
        LoadApplicationIcon();
        Form = new TInstallarForm(&Application(), Installer.Path, {});
        Application().AddCreatedForm(Form);
        Form->Show();
        Application().ProcessMessages();
    }
};

void BM_WizardFullRepaint(benchmark::State& state) {
    THeadlessWizard w;
    for (auto _ : state) {
        w.Form->InvalidateFrame();
        w.Form->Invalidate();
        w.Form->PaintNow();
    }
}
BENCHMARK(BM_WizardFullRepaint)->Unit(benchmark::kMicrosecond);

void BM_WizardTitleBarHover(benchmark::State& state) {
    THeadlessWizard w;
    TsuiTitleBar* bar = w.Form->SuiForm()->TitleBar();
    TPoint close = bar->ClientToScreen(Point(460, 10));
    TPoint minimize = bar->ClientToScreen(Point(440, 10));
    bool onClose = false;
    for (auto _ : state) {
        onClose = !onClose;
        TPoint p = onClose ? close : minimize;
        w.App.Backend().MoveMouse(p.X, p.Y);
        Application().ProcessMessages();
    }
}
BENCHMARK(BM_WizardTitleBarHover)->Unit(benchmark::kMicrosecond);

} // namespace
