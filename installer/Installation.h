#pragma once
// The installation itself: the payload the installer carries in its own file
// becomes <Windows directory>/<ScreensaverName>.scr, a package of the runtime
// (raw, so the file starts with its executable image) and the movie data,
// project record and logo (recompressed), which is then made the default
// screensaver in system.ini.

#include "package/Project.h"

#include <exception>
#include <memory>
#include <string>

// What the installation drives while it runs. The wizard binds its progress
// bar and page control here; the console entry binds a progress line.
class TInstallationView {
public:
    virtual ~TInstallationView() = default;
    // Shows the new position (0 to 100) at once: the installation does not
    // return to the message loop until it is done.
    virtual void SetProgress(int position) = 0;
    // Turns to the completion page.
    virtual void ShowCompletionPage() = 0;
    // Holds the full bar on screen for a moment before the completion page.
    virtual void Pause(unsigned milliseconds);
};

// The progress positions, in the order they are reached.
inline constexpr int kInstallationProgress[] = {0, 10, 20, 30, 50, 70, 80, 90, 100};

// Checks the name by the rule of package/ScreensaverName.h, before anything
// is written. A name that is no file name at all (empty, "." or "..", or one
// holding a path separator or a control character) fails with "The
// screensaver name "%s" cannot be used as a file name"; one that Windows
// refuses (a character of : * ? " < > |, a dot or blank at its end, a device
// name such as CON or nul.txt) fails as creating the file would fail there:
// "Cannot create file %s: " and the reason, with the file's path.
void CheckScreensaverName(const std::string& name);

// The installed file's path for a screensaver name.
std::string ScreensaverPath(const std::string& name);

class TDecompileStream;
class TStream;

// The line a failure is shown as, on the console and in the error box: the
// exception's own line (the system's text, then the reason), and for a
// package whose streams do not read back, that the installer file is
// damaged or incomplete, which is all the end user can do anything about.
std::string FailureText(const std::exception& failure);

// Reads the installer file (open as `installer`, which the reader keeps) as
// a package, its table now and its streams when they are taken, and makes
// sure every stream the installation needs is there: a file without its
// payload, or with part of it, fails with "The package in %s is incomplete:
// it holds %d of %d streams" before anything is written.
void ReadInstallerPackage(const std::string& installerPath, std::unique_ptr<TStream> installer,
                          TDecompileStream& reader);
// The installer file, opened read-only with full sharing.
std::unique_ptr<TStream> OpenInstallerFile(const std::string& installerPath);

// Reads the project record (stream 3) of the installer file into `project`.
void ReadInstallerProject(const std::string& installerPath, TProject& project);

// Runs the installation from the installer file `installerPath` for
// `project`. Catches nothing: a failure ends it at that step. Every stream is
// read back before the screensaver file is touched, and the file is replaced
// in one step, so a failure never leaves half a file behind.
void RunInstallation(const std::string& installerPath, const TProject& project,
                     TInstallationView& view);
