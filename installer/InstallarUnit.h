#pragma once
// TInstallarForm: the installer's only window, a four-page wizard in a
// skinned frame (cover with the logo, licence agreement when the record asks
// for it, progress, completion). The form and its controls come from the
// stored layout embedded in the program (resources/wizard/InstallarForm.txt);
// its behaviour lies in the handlers below, which the layout binds by name.
//
// When the form is shown it reads the project record from the installer's
// own file, writes every text of its pages from it and loads the logo into
// both image panels. Next leads to the licence page when the record asks for
// it and to the progress page otherwise, where a timer's first tick runs the
// installation; its end turns to the completion page.

#include "Installation.h"
#include "framework/ui/Forms.h"

#include <memory>
#include <string>
#include <vector>

class TDecompileStream;
class TLabel;
class TPageControl;
class TTimer;
class TsuiButton;
class TsuiCheckBox;
class TsuiForm;
class TsuiImagePanel;
class TsuiMemo;
class TsuiProgressBar;
class TsuiURLLabel;

class TInstallarForm : public TForm {
    SSI_CLASS(TInstallarForm, TForm)
public:
    // Reads the form from its stored layout. `installerPath` is the package
    // the wizard shows and installs (the program's own file), `arguments`
    // the command line after the program's name ("/AUTO" as the first one
    // starts the installation at once).
    TInstallarForm(TComponent* owner, std::string installerPath,
                   std::vector<std::string> arguments);
    explicit TInstallarForm(TComponent* owner);
    ~TInstallarForm() override;
    static void DeclarePublished(TPropertyBuilder& p);

    // The handlers the layout binds.
    void FormShow(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void CoverNextBtnClick(TObject* sender);
    void CoverCancelBtnClick(TObject* sender);
    void AgreeCheckBoxClick(TObject* sender);
    void LicenseNextBtnClick(TObject* sender);
    void LicenseCancelBtnClick(TObject* sender);
    void TimerTimer(TObject* sender);
    void FinishBtnClick(TObject* sender);

    // The installation of the wizard's package, driving the progress bar
    // (each position painted at once) and ending on the completion page.
    void InstallScreensaver();

    // Also told of every progress position and of the completion (the
    // program's console output without a display); may be null.
    void SetInstallationObserver(TInstallationView* observer) { FObserver = observer; }

    // Whether the installation ran to its completion page (false when the
    // wizard was closed or cancelled before it, or it failed).
    bool Installed() const { return FInstalled; }

    // The project record loaded when the form was shown (null before and
    // after closing).
    const TProject* Project() const { return FProject.get(); }

    // The controls, as the layout named them.
    TsuiForm* SuiForm() const { return FSuiForm; }
    TPageControl* PageControl() const { return FPageControl; }
    TsuiImagePanel* LogoPanel() const { return FLogoPanel; }
    TLabel* WelcomeLabel() const { return FWelcomeLabel; }
    TLabel* CoverLabel() const { return FCoverLabel; }
    TLabel* CopyrightLabel() const { return FCopyrightLabel; }
    TsuiButton* CoverNextBtn() const { return FCoverNextBtn; }
    TsuiButton* CoverCancelBtn() const { return FCoverCancelBtn; }
    TsuiMemo* LicenseMemo() const { return FLicenseMemo; }
    TsuiCheckBox* AgreeCheckBox() const { return FAgreeCheckBox; }
    TsuiButton* LicenseNextBtn() const { return FLicenseNextBtn; }
    TsuiButton* LicenseCancelBtn() const { return FLicenseCancelBtn; }
    TLabel* TitleLabel() const { return FTitleLabel; }
    TsuiProgressBar* ProgressBar() const { return FProgressBar; }
    TsuiURLLabel* HomepageLabel() const { return FHomepageLabel; }
    TsuiImagePanel* CompleteLogoPanel() const { return FCompleteLogoPanel; }
    TLabel* CompleteLabel() const { return FCompleteLabel; }
    TsuiButton* FinishBtn() const { return FFinishBtn; }
    TTimer* Timer() const { return FTimer; }

private:
    void BindControls();
    void ShowPage(int index);
    void StartInstallation();
    void LoadLogo(TDecompileStream& reader);

    std::string FInstallerPath;
    std::vector<std::string> FArguments;
    std::unique_ptr<TProject> FProject;
    TInstallationView* FObserver = nullptr;
    bool FInstalled = false;

    TsuiForm* FSuiForm = nullptr;
    TPageControl* FPageControl = nullptr;
    TsuiImagePanel* FLogoPanel = nullptr;
    TLabel* FWelcomeLabel = nullptr;
    TLabel* FCoverLabel = nullptr;
    TLabel* FCopyrightLabel = nullptr;
    TsuiButton* FCoverNextBtn = nullptr;
    TsuiButton* FCoverCancelBtn = nullptr;
    TsuiMemo* FLicenseMemo = nullptr;
    TsuiCheckBox* FAgreeCheckBox = nullptr;
    TsuiButton* FLicenseNextBtn = nullptr;
    TsuiButton* FLicenseCancelBtn = nullptr;
    TLabel* FTitleLabel = nullptr;
    TsuiProgressBar* FProgressBar = nullptr;
    TsuiURLLabel* FHomepageLabel = nullptr;
    TsuiImagePanel* FCompleteLogoPanel = nullptr;
    TLabel* FCompleteLabel = nullptr;
    TsuiButton* FFinishBtn = nullptr;
    TTimer* FTimer = nullptr;
};

// The wizard's stored layout, as the program carries it.
std::string InstallarFormLayout();

// Gives the application the program's own icon (MAINICON), which the
// wizard's title bar draws.
void LoadApplicationIcon();

// The file-name part of a record's LogoFile: what follows its last "\", ":"
// or "/" (a "/" separates too on this system, so no name leads out of the
// folder it is written to).
std::string LogoFileName(const std::string& logoFile);
