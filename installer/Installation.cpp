#include "Installation.h"

#include "SystemInfoUnit.h"
#include "framework/base/SysUtils.h"
#include "package/CompileStream.h"
#include "package/DecompileStream.h"
#include "package/ScreensaverName.h"
#include "package/Zlib.h"
#include "platform/kernel32/FileIO.h"
#include "platform/kernel32/Kernel32.h"

#include <cerrno>
#include <memory>

namespace {

// Streams of the installer file.
constexpr int32_t kRuntimeStream = 1;
constexpr int32_t kRecordStream = 3;
constexpr int32_t kLogoStream = 4;
constexpr int32_t kInstallerStreams = 5;

constexpr DWORD kCompletionPause = 300; // milliseconds on the full bar
constexpr unsigned kProgramMode = 0755; // the installed file is itself runnable

} // namespace

std::unique_ptr<TStream> OpenInstallerFile(const std::string& installerPath) {
    return std::make_unique<TFileStream>(installerPath, fmOpenRead | fmShareDenyNone);
}

void ReadInstallerPackage(const std::string& installerPath, std::unique_ptr<TStream> installer,
                          TDecompileStream& reader) {
    reader.Open(std::move(installer));
    if (reader.Count() < kInstallerStreams)
        throw EReadError(Format("The package in %s is incomplete: it holds %d of %d streams",
                                installerPath.c_str(), reader.Count(), kInstallerStreams));
}

std::string FailureText(const std::exception& failure) {
    std::string text = failure.what();
    if (dynamic_cast<const EPackageReadError*>(&failure) != nullptr ||
        dynamic_cast<const EZlibError*>(&failure) != nullptr)
        text += " (the installer file is damaged or incomplete)";
    return text;
}

void TInstallationView::Pause(unsigned milliseconds) {
    Sleep(milliseconds);
}

void CheckScreensaverName(const std::string& name) {
    const TNameProblem problem = ScreensaverNameProblem(name);
    if (problem.Fault == TNameFault::nfNotAFileName)
        throw Exception(Format("The screensaver name \"%s\" cannot be used as a file name",
                               PrintableName(name).c_str()));
    // A name that only Windows refuses fails as creating the file would fail there.
    if (problem.Fault == TNameFault::nfNotOnWindows)
        throw EFCreateError(Format("Cannot create file %s", ScreensaverPath(name).c_str()),
                            problem.Reason);
}

std::string ScreensaverPath(const std::string& name) {
    std::string windows;
    TSystemInfo().GetWindowsPath(windows);
    return windows + name + ".scr";
}

void ReadInstallerProject(const std::string& installerPath, TProject& project) {
    TDecompileStream reader;
    ReadInstallerPackage(installerPath, OpenInstallerFile(installerPath), reader);
    std::unique_ptr<TMemoryStream> record = reader.GetStream(kRecordStream, true);
    project.ProjectStream.Clear();
    project.ProjectStream.CopyFrom(*record, 0);
    project.ProjectStream.SetPosition(0);
    project.LoadFromStream();
}

void RunInstallation(const std::string& installerPath, const TProject& project,
                     TInstallationView& view) {
    CheckScreensaverName(project.ScreensaverName);
    TCompileStream writer;
    TSystemInfo systemInfo;
    view.SetProgress(0);
    view.SetProgress(10);

    TDecompileStream reader;
    std::unique_ptr<TStream> installer = OpenInstallerFile(installerPath);
    view.SetProgress(20);
    ReadInstallerPackage(installerPath, std::move(installer), reader);
    view.SetProgress(30);

    // The runtime goes first and raw, the data streams compressed, each at
    // its own progress position. A data stream already deflated exactly as
    // the writer would deflate it (level 9, checksum and size verified) is
    // copied as stored: deflating its content again would give the same
    // bytes, only slowly.
    const int positions[] = {50, 70, 80, 90};
    for (int32_t index = kRuntimeStream; index <= kLogoStream; ++index) {
        if (index != kRuntimeStream) {
            std::unique_ptr<TMemoryStream> stored = reader.GetStoredStream(index);
            const int32_t original = reader.OriginalSize(index);
            if (ZIsExactLevel9Stream(stored->Memory(), static_cast<size_t>(stored->Size()),
                                     static_cast<size_t>(original))) {
                writer.AddStoredStream(*stored, original);
                view.SetProgress(positions[index - kRuntimeStream]);
                continue;
            }
        }
        std::unique_ptr<TMemoryStream> stream = reader.GetStream(index, true);
        writer.AddStream(*stream, index != kRuntimeStream);
        view.SetProgress(positions[index - kRuntimeStream]);
    }

    const std::string outputPath = ScreensaverPath(project.ScreensaverName);
    TMemoryStream& package = writer.Compile();
    if (!ReplaceFileContents(outputPath, package.Memory(), static_cast<size_t>(package.Size()),
                             kProgramMode))
        throw EFCreateError(Format("Cannot create file %s", outputPath.c_str()),
                            SysErrorMessage(errno));
    view.SetProgress(100);

    systemInfo.SetDefaultScreensaver(outputPath);
    view.Pause(kCompletionPause);
    view.ShowCompletionPage();
}
