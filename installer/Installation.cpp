#include "Installation.h"

#include "SystemInfoUnit.h"
#include "framework/base/SysUtils.h"
#include "package/CompileStream.h"
#include "package/DecompileStream.h"
#include "package/ScreensaverName.h"
#include "package/Zlib.h"
#include "platform/kernel32/Kernel32.h"

#include <exception>
#include <memory>

namespace {

// Streams of the installer file.
constexpr int32_t kRuntimeStream = 1;
constexpr int32_t kRecordStream = 3;
constexpr int32_t kLogoStream = 4;
constexpr int32_t kInstallerStreams = 5;

constexpr DWORD kCompletionPause = 300; // milliseconds on the full bar
constexpr unsigned kProgramMode = 0755; // the installed file is itself runnable

// The screensaver file as the installation writes it, stream by stream. A
// failure to create or write it is held back until the file is saved, the
// step after every stream has been read: so the steps before run, and fail,
// as they would if the file were written in one piece at the end.
class TScreensaverOutput : public TStream {
public:
    explicit TScreensaverOutput(const std::string& path) {
        try {
            FFile = std::make_unique<TReplacementStream>(path, kProgramMode);
        } catch (const EStreamError&) {
            FFailure = std::current_exception();
        }
    }
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void* buffer, int64_t count) override {
        if (!FFailure) {
            try {
                FFile->WriteBuffer(buffer, count);
            } catch (const EStreamError&) {
                FFailure = std::current_exception();
            }
        }
        FSize += count;
        return count;
    }
    int64_t Seek(int64_t, TSeekOrigin) override { return FSize; }
    void SetSize(int64_t) override {}
    // Puts the file in place, or fails as creating or writing it failed.
    void Save() {
        if (FFailure)
            std::rethrow_exception(FFailure);
        FFile->Commit();
    }

private:
    std::unique_ptr<TReplacementStream> FFile;
    std::exception_ptr FFailure;
    int64_t FSize = 0;
};

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
    TSystemInfo systemInfo;
    view.SetProgress(0);
    view.SetProgress(10);

    TDecompileStream reader;
    std::unique_ptr<TStream> installer = OpenInstallerFile(installerPath);
    view.SetProgress(20);
    ReadInstallerPackage(installerPath, std::move(installer), reader);
    view.SetProgress(30);

    // The new file is written beside the old one as the streams are read,
    // and takes its place only when every stream has read back whole.
    const std::string outputPath = ScreensaverPath(project.ScreensaverName);
    TScreensaverOutput output(outputPath);
    TCompileStream writer(output);

    // The runtime goes first and raw, the data streams compressed, each at
    // its own progress position. A data stream already deflated exactly as
    // the writer would deflate it (level 9, checksum and size verified) is
    // copied as stored: deflating its content again would give the same
    // bytes, only slowly.
    const int positions[] = {50, 70, 80, 90};
    for (int32_t index = kRuntimeStream; index <= kLogoStream; ++index) {
        if (index != kRuntimeStream) {
            std::unique_ptr<TStream> stored = reader.OpenStoredStream(index);
            const int32_t original = reader.OriginalSize(index);
            if (ZIsExactLevel9Stream(*stored, stored->Size(), original)) {
                writer.AddStoredStream(*stored, original);
                view.SetProgress(positions[index - kRuntimeStream]);
                continue;
            }
        }
        std::unique_ptr<TStream> stream = reader.OpenStream(index, true);
        writer.AddStream(*stream, index != kRuntimeStream);
        view.SetProgress(positions[index - kRuntimeStream]);
    }
    writer.Compile();
    output.Save();
    view.SetProgress(100);

    systemInfo.SetDefaultScreensaver(outputPath);
    view.Pause(kCompletionPause);
    view.ShowCompletionPage();
}
