// ssinstall: the screensaver installer. The program is a package: behind its
// own executable image it carries the screensaver runtime, movie data, project
// record and logo, and installs them as <Windows directory>/<name>.scr.
//
// Until the wizard window exists the program talks on the console: without
// arguments it describes the screensaver it carries; with "/AUTO" it installs.

#include "Installation.h"
#include "SystemInfoUnit.h"
#include "framework/base/SysUtils.h"
#include "platform/kernel32/FileIO.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const char* const kApplicationTitle = "Screensaver Installar";

// Only the first argument counts, upper-cased in ASCII.
bool IsAutoInstall(int argc, char** argv) {
    return argc >= 2 && UpperCase(argv[1]) == "/AUTO";
}

// A progress line on the console, rewritten in place.
class TConsoleProgress : public TInstallationView {
public:
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
    void ShowCompletionPage() override { EndLine(); }

private:
    void EndLine() {
        if (FOpen)
            std::printf("\n");
        FOpen = false;
    }
    const bool FInteractive = isatty(STDOUT_FILENO) != 0;
    bool FOpen = false;
};

void Describe(const TProject& project) {
    std::printf("%s\n", project.ScreensaverName.c_str());
    std::printf("  Homepage:  %s\n", project.Homepage.c_str());
    std::printf("  Copyright: %s\n", project.Copyright.c_str());
    std::printf("  Licence:   %s\n", project.ShowLicense ? "shown before installing" : "not shown");
    std::printf("Run with /AUTO to install it as %s\n",
                ScreensaverPath(project.ScreensaverName).c_str());
}

int Run(int argc, char** argv) {
    const std::string self = GetModuleFileName();
    TProject project;
    ReadInstallerProject(self, project);
    if (!IsAutoInstall(argc, argv)) {
        Describe(project);
        return 0;
    }
    TConsoleProgress progress;
    RunInstallation(self, project, progress);
    std::string windows;
    TSystemInfo().GetWindowsPath(windows);
    std::printf("Installed %s\nDefault screensaver set in %ssystem.ini\n",
                ScreensaverPath(project.ScreensaverName).c_str(), windows.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s: %s\n", kApplicationTitle, e.what());
        return 1;
    }
}
