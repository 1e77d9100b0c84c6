// ssinstall: the screensaver installer. The program is a package: behind its
// own executable image it carries the screensaver runtime, movie data, project
// record and logo, and installs them as <Windows directory>/<name>.scr.
//
// With a display it is the skinned four-page wizard ("/AUTO" opens it on the
// progress page). Without one, "/AUTO" runs the same wizard on the in-memory
// window system and reports on the console, ending after the completion page
// (status 0) or after the first failure (its message on standard error,
// status 1), since nobody could press Finish or close an error box there;
// without "/AUTO" it describes the screensaver it carries.
//
// Exit status: 0 installed (or described), 1 a failure, 2 the wizard was
// closed or cancelled before the installation ran.

#include "ConsoleText.h"
#include "InstallarUnit.h"
#include "Installation.h"
#include "SystemInfoUnit.h"
#include "framework/base/SysUtils.h"
#include "framework/ui/Application.h"
#include "platform/kernel32/FileIO.h"
#include "platform/backend/Backend.h"

#include <cstdio>
#include <malloc.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const kApplicationTitle = "Screensaver Installar";

// Only the first argument counts, upper-cased in ASCII.
bool IsAutoInstall(const std::vector<std::string>& arguments) {
    return !arguments.empty() && UpperCase(arguments[0]) == "/AUTO";
}

// A progress line on the console, rewritten in place on a terminal; at the
// completion page the result, and the program ends.
class TConsoleProgress : public TInstallationView {
public:
    explicit TConsoleProgress(const TInstallarForm& form) : FForm(form) {}
    ~TConsoleProgress() override { EndLine(); }
    void SetProgress(int position) override {
        if (!FInteractive) {
            std::printf("Installing... %3d%%\n", position);
            return;
        }
        std::printf("\rInstalling... %3d%%", position);
        std::fflush(stdout);
        FOpen = true;
    }
    void ShowCompletionPage() override {
        EndLine();
        std::string windows;
        TSystemInfo().GetWindowsPath(windows);
        const TProject* project = FForm.Project();
        std::printf("Installed %s\nDefault screensaver set in %ssystem.ini\n",
                    ConsoleText(ScreensaverPath(project ? project->ScreensaverName : "")).c_str(),
                    ConsoleText(windows).c_str());
        std::fflush(stdout);
        Application().Terminate();
    }

private:
    void EndLine() {
        if (FOpen)
            std::printf("\n");
        FOpen = false;
    }
    const TInstallarForm& FForm;
    const bool FInteractive = isatty(STDOUT_FILENO) != 0;
    bool FOpen = false;
};

void Describe(const TProject& project) {
    std::printf("%s\n", ConsoleText(project.ScreensaverName).c_str());
    std::printf("  Homepage:  %s\n", ConsoleText(project.Homepage).c_str());
    std::printf("  Copyright: %s\n", ConsoleText(project.Copyright).c_str());
    std::printf("  Licence:   %s\n", project.ShowLicense ? "shown before installing" : "not shown");
    std::printf("Run with /AUTO to install it as %s\n",
                ConsoleText(ScreensaverPath(project.ScreensaverName)).c_str());
}

void ReportFailure(const std::string& message) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %s\n", kApplicationTitle, ConsoleText(message).c_str());
}

int Run(const std::vector<std::string>& arguments) {
    const std::string self = GetModuleFileName();
    if (self.empty())
        throw Exception("Cannot find the installer's own file (no /proc, and the path it was "
                        "started by does not lead to it)");
    std::unique_ptr<TWindowSystem> windowSystem = CreateWindowSystem();
    const bool headless = std::string(windowSystem->Name()) == "headless";
    if (!DisplayFallbackReason().empty())
        std::fprintf(stderr, "%s: no display (%s); working on the console\n", kApplicationTitle,
                     DisplayFallbackReason().c_str());
    if (headless && !IsAutoInstall(arguments)) {
        TProject project;
        ReadInstallerProject(self, project);
        Describe(project);
        return 0;
    }
    SetWindowSystem(std::move(windowSystem));
    Application().SetTitle(kApplicationTitle);
    LoadApplicationIcon();

    bool failed = false;
    Application().SetOnException(TExceptionEvent([&](TObject*, const std::exception& e) {
        failed = true;
        if (!headless)
            return Application().ShowException(Exception(FailureText(e)));
        ReportFailure(FailureText(e));
        Application().Terminate();
    }));
    auto* form = new TInstallarForm(&Application(), self, arguments);
    Application().AddCreatedForm(form);
    std::unique_ptr<TConsoleProgress> console;
    if (headless) {
        console = std::make_unique<TConsoleProgress>(*form);
        form->SetInstallationObserver(console.get());
    }
    Application().Run();
    form->SetInstallationObserver(nullptr);
    if (failed)
        return 1;
    return form->Installed() ? 0 : 2;
}

} // namespace

int main(int argc, char** argv) {
    // Pictures and streams are allocated and freed in large blocks while the
    // wizard paints and installs: freed memory is kept for the next one
    // rather than handed back to the system and faulted in again.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    int status = 1;
    try {
        status = Run(arguments);
    } catch (const std::exception& e) {
        ReportFailure(FailureText(e));
        status = 1;
    }
    ResetApplication();
    SetWindowSystem(nullptr);
    return status;
}
