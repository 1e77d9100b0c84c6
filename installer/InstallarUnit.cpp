#include "InstallarUnit.h"

#include "SystemInfoUnit.h"
#include "controls/SUIButton.h"
#include "controls/SUIForm.h"
#include "controls/SUIImagePanel.h"
#include "controls/SUIMemo.h"
#include "controls/SUIProgressBar.h"
#include "controls/SUIRegister.h"
#include "controls/SUIURLLabel.h"
#include "framework/base/SysUtils.h"
#include "framework/components/LayoutReader.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/ui/Application.h"
#include "framework/ui/Label.h"
#include "framework/ui/PageControl.h"
#include "framework/ui/Timer.h"
#include "package/DecompileStream.h"
#include "platform/kernel32/CodePage.h"
#include "platform/kernel32/FileIO.h"
#include "resources/Resources.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Streams of the installer file the wizard reads.
constexpr int32_t kRecordStream = 3;
constexpr int32_t kLogoStream = 4;

// The pages, by index.
constexpr int kCoverPage = 0;
constexpr int kLicensePage = 1;
constexpr int kProgressPage = 2;
constexpr int kCompletePage = 3;

const char* const kCrLf = "\r\n";

// Finds a control the layout must hold, of the class the wizard expects.
template <class T> T* Bind(TComponent& root, const char* name) {
    auto* found = dynamic_cast<T*>(root.FindComponent(name));
    if (found == nullptr)
        throw Exception(Format("The wizard's layout lacks %s", name));
    return found;
}

// A folder of the wizard's own inside the temporary directory, made with
// owner-only rights under a name nobody could have prepared, and removed
// with whatever is in it when the logo has been loaded (or has failed to).
// Names are system text, handed to the operating system as UTF-8 as the file
// functions hand them (platform/kernel32/FileIO.h): the logo written under a
// name in Windows-1252 bytes is the file its picture is then loaded from.
class TPrivateFolder {
public:
    explicit TPrivateFolder(const std::string& tempDirectory) {
        std::string pattern = NativePath(tempDirectory) + "ssinstall-XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) == nullptr)
            throw EFCreateError(Format("Cannot create file %s", pattern.c_str()),
                                SysErrorMessage(errno));
        FPath = buffer.data();
    }
    ~TPrivateFolder() {
        if (!FFile.empty())
            unlink(FFile.c_str());
        rmdir(FPath.c_str());
    }
    TPrivateFolder(const TPrivateFolder&) = delete;
    TPrivateFolder& operator=(const TPrivateFolder&) = delete;

    // Creates `name` in the folder (it must not exist yet) and writes `data`.
    std::string Write(const std::string& name, TMemoryStream& data) {
        std::string path = FPath + "/" + name;
        if (name.empty() || name == "." || name == "..")
            throw EFCreateError(Format("Cannot create file %s", path.c_str()));
        const std::string native = NativePath(path);
        int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            throw EFCreateError(Format("Cannot create file %s", path.c_str()),
                                SysErrorMessage(errno));
        FFile = native;
        const uint8_t* bytes = data.Memory();
        size_t left = static_cast<size_t>(data.Size());
        while (left > 0) {
            ssize_t n = write(fd, bytes, left);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                const int error = n < 0 ? errno : ENOSPC;
                close(fd);
                throw EWriteError(Format("Cannot write to %s", path.c_str()),
                                  SysErrorMessage(error));
            }
            bytes += n;
            left -= static_cast<size_t>(n);
        }
        if (close(fd) != 0)
            throw EWriteError(Format("Cannot write to %s", path.c_str()), SysErrorMessage(errno));
        return path;
    }

private:
    std::string FPath; // the operating system's names
    std::string FFile;
};

} // namespace

std::string InstallarFormLayout() {
    std::span<const uint8_t> bytes = FindResource("InstallarForm");
    if (bytes.empty())
        throw Exception("The wizard's layout is missing from the program");
    return std::string(bytes.begin(), bytes.end());
}

void LoadApplicationIcon() {
    std::span<const uint8_t> icon = FindResource("MAINICON");
    if (!icon.empty())
        Application().Icon().LoadFromMemory(icon.data(), icon.size());
}

std::string LogoFileName(const std::string& logoFile) {
    size_t at = logoFile.find_last_of("\\:/");
    return at == std::string::npos ? logoFile : logoFile.substr(at + 1);
}

SSI_DEFINE_CLASS(TInstallarForm, TForm)

void TInstallarForm::DeclarePublished(TPropertyBuilder& p) {
    using F = TInstallarForm;
    p.Method("FormShow", &F::FormShow)
        .Method("FormClose", &F::FormClose)
        .Method("CoverNextBtnClick", &F::CoverNextBtnClick)
        .Method("CoverCancelBtnClick", &F::CoverCancelBtnClick)
        .Method("AgreeCheckBoxClick", &F::AgreeCheckBoxClick)
        .Method("LicenseNextBtnClick", &F::LicenseNextBtnClick)
        .Method("LicenseCancelBtnClick", &F::LicenseCancelBtnClick)
        .Method("TimerTimer", &F::TimerTimer)
        .Method("FinishBtnClick", &F::FinishBtnClick);
}

TInstallarForm::TInstallarForm(TComponent* owner)
    : TInstallarForm(owner, GetModuleFileName(), {}) {}

TInstallarForm::TInstallarForm(TComponent* owner, std::string installerPath,
                               std::vector<std::string> arguments)
    : TForm(owner), FInstallerPath(std::move(installerPath)), FArguments(std::move(arguments)) {
    RegisterSkinnedControls();
    ReadLayout(*this, InstallarFormLayout());
    BindControls();
}

TInstallarForm::~TInstallarForm() = default;

void TInstallarForm::BindControls() {
    FSuiForm = Bind<TsuiForm>(*this, "suiInstallarForm");
    FPageControl = Bind<TPageControl>(*this, "PageControl");
    FLogoPanel = Bind<TsuiImagePanel>(*this, "LogoPanel");
    FWelcomeLabel = Bind<TLabel>(*this, "WelcomeLabel");
    FCoverLabel = Bind<TLabel>(*this, "CoverLabel");
    FCopyrightLabel = Bind<TLabel>(*this, "CopyrightLabel");
    FCoverNextBtn = Bind<TsuiButton>(*this, "CoverNextBtn");
    FCoverCancelBtn = Bind<TsuiButton>(*this, "CoverCancelBtn");
    FLicenseMemo = Bind<TsuiMemo>(*this, "LicenseMemo");
    FAgreeCheckBox = Bind<TsuiCheckBox>(*this, "AgreeCheckBox");
    FLicenseNextBtn = Bind<TsuiButton>(*this, "LicenseNextBtn");
    FLicenseCancelBtn = Bind<TsuiButton>(*this, "LicenseCancelBtn");
    FTitleLabel = Bind<TLabel>(*this, "TitleLabel");
    FProgressBar = Bind<TsuiProgressBar>(*this, "ProgressBar");
    FHomepageLabel = Bind<TsuiURLLabel>(*this, "HomepageLabel");
    FCompleteLogoPanel = Bind<TsuiImagePanel>(*this, "CompleteLogoPanel");
    FCompleteLabel = Bind<TLabel>(*this, "CompleteLabel");
    FFinishBtn = Bind<TsuiButton>(*this, "FinishBtn");
    FTimer = Bind<TTimer>(*this, "Timer");
}

void TInstallarForm::ShowPage(int index) {
    FPageControl->SetActivePageIndex(index);
}

void TInstallarForm::StartInstallation() {
    ShowPage(kProgressPage);
    FTimer->SetEnabled(true);
}

// --- Showing ---

void TInstallarForm::FormShow(TObject*) {
    ShowPage(kCoverPage);
    FProject = std::make_unique<TProject>();

    TDecompileStream reader;
    // A file without the whole payload is refused as a whole, before any
    // stream of it is taken for something it is not.
    ReadInstallerPackage(FInstallerPath, OpenInstallerFile(FInstallerPath), reader);
    {
        std::unique_ptr<TMemoryStream> record = reader.GetStream(kRecordStream, true);
        FProject->ProjectStream.Clear();
        FProject->ProjectStream.CopyFrom(*record, 0);
        FProject->ProjectStream.SetPosition(0);
        FProject->LoadFromStream();
    }

    const std::string& name = FProject->ScreensaverName;
    Application().SetTitle(name + " Setup Wizard");
    SetCaption(name + " Setup Wizard");
    FSuiForm->SetCaption(TControl::Caption());
    FWelcomeLabel->SetCaption("Welcome to the " + name + " Setup Wizard");
    std::string cover = "This will install " + name + " to your Windows System.";
    cover += kCrLf;
    cover += kCrLf;
    cover += "Click Next to continue, or Canel to exit Setup";
    FCoverLabel->SetCaption(cover);
    FLicenseMemo->Lines()->Assign(FProject->LicenseText);
    FTitleLabel->SetCaption(name + " Installation Progress");
    FHomepageLabel->SetCaption(FProject->Homepage);
    FHomepageLabel->SetURL(FProject->Homepage);
    FCopyrightLabel->SetCaption(FProject->Copyright);
    FProgressBar->SetHeight(25);
    std::string complete = "Setup has finished installing " + name + " on your Windows System.";
    complete += " The screensaver may be setup in Display Properties Window.";
    complete += kCrLf;
    complete += kCrLf;
    complete += "Click Finish to exit Setup.";
    FCompleteLabel->SetCaption(complete);

    LoadLogo(reader);

    if (!FArguments.empty() && UpperCase(FArguments[0]) == "/AUTO")
        StartInstallation();
}

void TInstallarForm::LoadLogo(TDecompileStream& reader) {
    std::string temp;
    TSystemInfo().GetTempDirectory(temp);
    TPrivateFolder folder(temp);
    std::unique_ptr<TMemoryStream> logo = reader.GetStream(kLogoStream, true);
    const std::string path = folder.Write(LogoFileName(FProject->LogoFile), *logo);
    FLogoPanel->Picture()->LoadFromFile(path);
    FCompleteLogoPanel->Picture()->LoadFromFile(path);
}

void TInstallarForm::FormClose(TObject*, TCloseAction&) {
    FProject.reset();
}

// --- Page flow ---

void TInstallarForm::CoverNextBtnClick(TObject*) {
    if (FProject != nullptr && FProject->ShowLicense)
        ShowPage(kLicensePage);
    else
        StartInstallation();
}

void TInstallarForm::CoverCancelBtnClick(TObject*) {
    Close();
}

void TInstallarForm::AgreeCheckBoxClick(TObject*) {
    FLicenseNextBtn->SetEnabled(FAgreeCheckBox->Checked());
}

void TInstallarForm::LicenseNextBtnClick(TObject*) {
    StartInstallation();
}

void TInstallarForm::LicenseCancelBtnClick(TObject*) {
    Close();
}

void TInstallarForm::TimerTimer(TObject*) {
    FTimer->SetEnabled(false);
    InstallScreensaver();
}

void TInstallarForm::FinishBtnClick(TObject*) {
    Close();
}

// --- Installing ---

namespace {
// The wizard's side of the installation: the progress bar repaints at each
// position, the end turns to the completion page.
class TWizardView : public TInstallationView {
public:
    TWizardView(TsuiProgressBar* bar, std::function<void()> complete, TInstallationView* observer)
        : FBar(bar), FComplete(std::move(complete)), FObserver(observer) {}
    void SetProgress(int position) override {
        FBar->SetPosition(position);
        if (FObserver != nullptr)
            FObserver->SetProgress(position);
    }
    void ShowCompletionPage() override {
        FComplete();
        if (FObserver != nullptr)
            FObserver->ShowCompletionPage();
    }

private:
    TsuiProgressBar* FBar;
    std::function<void()> FComplete;
    TInstallationView* FObserver;
};
} // namespace

void TInstallarForm::InstallScreensaver() {
    // A record that could not be read leaves an empty one, whose name no
    // installation accepts.
    TProject empty;
    const TProject& project = FProject != nullptr ? *FProject : empty;
    TWizardView view(
        FProgressBar,
        [this] {
            FInstalled = true;
            ShowPage(kCompletePage);
        },
        FObserver);
    RunInstallation(FInstallerPath, project, view);
}
