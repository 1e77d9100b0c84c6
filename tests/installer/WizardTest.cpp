// The installer wizard on the headless window system: the texts it writes
// from the record, the page flow and the timer on the virtual clock, the
// logo's short stay on disk, the keys of the cover page, and failures while
// the form is shown.

#include "support/PngFile.h"
#include "support/TestPackages.h"
#include "support/HeadlessApplicationTest.h"
#include "support/GraphicsTestSupport.h"
#include "support/MetafileLogos.h"

#include "controls/SUIButton.h"
#include "controls/SUIForm.h"
#include "controls/SUIImagePanel.h"
#include "controls/SUIMemo.h"
#include "controls/SUIProgressBar.h"
#include "controls/SUIURLLabel.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/graphics/metafile/Metafile.h"
#include "framework/ui/ErrorBox.h"
#include "framework/ui/Label.h"
#include "framework/ui/PageControl.h"
#include "framework/ui/Timer.h"
#include "installer/InstallarUnit.h"
#include "package/DecompileStream.h"
#include "platform/kernel32/CodePage.h"
#include "skin/SUIMgr.h"

using namespace testing_support;

namespace {

class WizardTest : public HeadlessApplicationTest {
protected:
    void SetUp() override {
        HeadlessApplicationTest::SetUp();
        FTemp = FSandbox.Root() / "temp";
        fs::create_directories(FTemp);
        FOldTmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
        setenv("TMPDIR", FTemp.c_str(), 1);
        Application().SetTitle("Screensaver Installar");
        LoadApplicationIcon();
    }
    void TearDown() override {
        Backend().SetIdleHandler(nullptr);
        HeadlessApplicationTest::TearDown();
        FOldTmp.empty() ? unsetenv("TMPDIR") : setenv("TMPDIR", FOldTmp.c_str(), 1);
    }

    // A record for `name` with a JPEG logo named like `logoFile`.
    Payload MakePayload(const std::string& name, bool showLicense,
                        const std::string& logoFile = "C:\\Pictures\\logo.jpg") {
        Payload p;
        TProject project;
        project.ScreensaverName = name;
        project.LogoFile = logoFile;
        project.Homepage = "http://example.org/aquarium";
        project.Copyright = "(c) 2026 Fish";
        project.ShowLicense = showLicense;
        project.LicenseText.Add("First licence line");
        project.LicenseText.Add("Second licence line");
        project.SaveToStream();
        p.record = Bytes(project.ProjectStream.Memory(),
                         project.ProjectStream.Memory() + project.ProjectStream.Size());
        p.logo = gfxtest::MakeJpeg(64, 32, 0x00336699);
        return p;
    }
    // The wizard for an installer holding `payload`, shown.
    TInstallarForm* Open(const Payload& payload, std::vector<std::string> arguments = {}) {
        fs::path installer = FSandbox.Root() / "Setup";
        WriteFile(installer, payload.Build());
        return OpenFile(installer.string(), std::move(arguments));
    }
    TInstallarForm* OpenFile(const std::string& path, std::vector<std::string> arguments = {}) {
        FForm = new TInstallarForm(&Application(), path, std::move(arguments));
        Application().AddCreatedForm(FForm);
        FForm->Show();
        Application().ProcessMessages();
        return FForm;
    }
    int Page() const { return FForm->PageControl()->ActivePageIndex(); }
    void Wait(uint64_t milliseconds) {
        Backend().AdvanceClock(milliseconds);
        Application().ProcessMessages();
    }
    bool Installed(const std::string& name) {
        return fs::exists(FSandbox.Windows() / (name + ".scr"));
    }
    // Error boxes are closed as they appear; their texts and titles kept.
    void CloseErrorBoxes() {
        Backend().SetIdleHandler([this] {
            for (TCustomForm* f : Application().ZOrder())
                if (auto* box = dynamic_cast<TMessageBoxForm*>(f)) {
                    FBoxes.push_back(box->Caption() + ": " + box->Text());
                    Backend().TypeKey(VK_ESCAPE);
                    return;
                }
        });
    }

    Sandbox FSandbox;
    fs::path FTemp;
    std::string FOldTmp;
    TInstallarForm* FForm = nullptr;
    std::vector<std::string> FBoxes;
};

} // namespace

TEST_F(WizardTest, EveryTextComesFromTheRecord) {
    Open(MakePayload("Aquarium", false));
    EXPECT_EQ(Page(), 0);
    EXPECT_EQ(Application().Title(), "Aquarium Setup Wizard");
    EXPECT_EQ(FForm->TControl::Caption(), "Aquarium Setup Wizard");
    EXPECT_EQ(FForm->SuiForm()->Caption(), "Aquarium Setup Wizard");
    EXPECT_EQ(FForm->WelcomeLabel()->Caption(), "Welcome to the Aquarium Setup Wizard");
    EXPECT_EQ(FForm->CoverLabel()->Caption(),
              "This will install Aquarium to your Windows System.\r\n\r\n"
              "Click Next to continue, or Canel to exit Setup");
    EXPECT_EQ(FForm->TitleLabel()->Caption(), "Aquarium Installation Progress");
    EXPECT_EQ(FForm->CompleteLabel()->Caption(),
              "Setup has finished installing Aquarium on your Windows System. The screensaver "
              "may be setup in Display Properties Window.\r\n\r\nClick Finish to exit Setup.");
    EXPECT_EQ(FForm->CopyrightLabel()->Caption(), "(c) 2026 Fish");
    EXPECT_EQ(FForm->HomepageLabel()->Caption(), "http://example.org/aquarium");
    EXPECT_EQ(FForm->HomepageLabel()->URL(), "http://example.org/aquarium");
    ASSERT_EQ(FForm->LicenseMemo()->Lines()->Count(), 2);
    EXPECT_EQ(FForm->LicenseMemo()->Lines()->Get(1), "Second licence line");
    EXPECT_EQ(FForm->ProgressBar()->Height(), 25);
    EXPECT_EQ(FForm->ProgressBar()->Position(), 20);
    // The form as designed: client 475 x 203 at (198, 125), its own icon.
    EXPECT_EQ(FForm->ClientWidth(), 475);
    EXPECT_EQ(FForm->ClientHeight(), 203);
    EXPECT_EQ(FForm->Left(), 198);
    EXPECT_EQ(FForm->Top(), 125);
    EXPECT_GE(FForm->Icon().FindImage(16, 16), 0);
    EXPECT_EQ(FForm->Icon().Image(FForm->Icon().FindImage(16, 16)).Pixels.Width(), 16);
    EXPECT_EQ(FForm->Icon().Image(FForm->Icon().FindImage(32, 32)).Pixels.Width(), 32);
}

TEST_F(WizardTest, WithoutALicenceNextStartsTheInstallationAfterATenthOfASecond) {
    Open(MakePayload("Aquarium", false));
    std::vector<int> positions;
    FForm->CoverNextBtn()->Click();
    EXPECT_EQ(Page(), 2);
    EXPECT_EQ(FForm->ProgressBar()->Position(), 20);
    EXPECT_TRUE(FForm->Timer()->Enabled());
    Wait(99);
    EXPECT_FALSE(Installed("Aquarium"));
    EXPECT_FALSE(FForm->Installed());
    EXPECT_EQ(FForm->ProgressBar()->Position(), 20);
    Wait(1);
    EXPECT_TRUE(Installed("Aquarium"));
    EXPECT_TRUE(FForm->Installed()) << "the program exits 0 for this, 2 before it";
    EXPECT_FALSE(FForm->Timer()->Enabled());
    EXPECT_EQ(Page(), 3);
    EXPECT_EQ(FForm->ProgressBar()->Position(), 100);
    std::string ini = ReadText(FSandbox.SystemIni());
    EXPECT_NE(ini.find("SCRNSAVE.EXE=" + (FSandbox.Windows() / "Aquarium.scr").string()),
              std::string::npos)
        << ini;
}

TEST_F(WizardTest, TheLicencePageWantsTheBoxChecked) {
    Open(MakePayload("Aquarium", true));
    FForm->CoverNextBtn()->Click();
    EXPECT_EQ(Page(), 1);
    EXPECT_FALSE(FForm->LicenseNextBtn()->Enabled());
    FForm->AgreeCheckBox()->Click();
    EXPECT_TRUE(FForm->LicenseNextBtn()->Enabled());
    FForm->AgreeCheckBox()->Click();
    EXPECT_FALSE(FForm->LicenseNextBtn()->Enabled());
    FForm->AgreeCheckBox()->Click();
    EXPECT_TRUE(FForm->LicenseNextBtn()->Enabled());
    FForm->LicenseNextBtn()->Click();
    EXPECT_EQ(Page(), 2);
    Wait(100);
    EXPECT_EQ(Page(), 3);
    EXPECT_TRUE(Installed("Aquarium"));
}

TEST_F(WizardTest, AutoOpensOnTheProgressPageEvenWithALicence) {
    std::vector<int> pages;
    Open(MakePayload("Aquarium", true), {"/auto"});
    EXPECT_EQ(Page(), 2);
    Wait(100);
    EXPECT_EQ(Page(), 3);
    EXPECT_TRUE(Installed("Aquarium"));
}

TEST_F(WizardTest, OnlyTheFirstArgumentCounts) {
    Open(MakePayload("Aquarium", true), {"x", "/AUTO"});
    EXPECT_EQ(Page(), 0);
    EXPECT_FALSE(FForm->Timer()->Enabled());
}

TEST_F(WizardTest, TheProgressBarShowsEveryPositionAsItIsReached) {
    Open(MakePayload("Aquarium", false));
    struct TRecorder : TInstallationView {
        std::function<TColor(TCustomForm*, int, int)> Pixel;
        TInstallarForm* Form;
        std::vector<int> Positions;
        std::vector<int> FillEnds; // the painted fill's right end, as presented
        void SetProgress(int position) override {
            Positions.push_back(position);
            TsuiProgressBar* bar = Form->ProgressBar();
            TPoint origin = bar->ClientToForm(Point(0, 0));
            TPoint o = Form->ClientOffset();
            int end = 0;
            for (int x = 1; x < bar->Width() - 1; ++x)
                if (Pixel(Form, o.X + origin.X + x, o.Y + origin.Y + 5) !=
                    Pixel(Form, o.X + origin.X + bar->Width() - 2, o.Y + origin.Y + 5))
                    end = x;
            FillEnds.push_back(end);
        }
        void ShowCompletionPage() override {}
    } recorder;
    recorder.Pixel = [this](TCustomForm* f, int x, int y) { return WindowPixel(f, x, y); };
    recorder.Form = FForm;
    FForm->SetInstallationObserver(&recorder);
    FForm->CoverNextBtn()->Click();
    Wait(100);
    EXPECT_EQ(recorder.Positions, (std::vector<int>{0, 10, 20, 30, 50, 70, 80, 90, 100}));
    // The fill grows with the positions, each shown before the next step.
    for (size_t i = 1; i + 1 < recorder.FillEnds.size(); ++i)
        EXPECT_LT(recorder.FillEnds[i - 1], recorder.FillEnds[i]) << i;
    FForm->SetInstallationObserver(nullptr);
}

TEST_F(WizardTest, TheLogoIsStretchedIntoBothPanelsAndLeavesNoFileBehind) {
    Open(MakePayload("Aquarium", false, "C:\\Pictures\\logo.JPG"));
    EXPECT_TRUE(fs::is_empty(FTemp)) << "the logo's folder is gone";
    for (TsuiImagePanel* panel : {FForm->LogoPanel(), FForm->CompleteLogoPanel()}) {
        ASSERT_NE(dynamic_cast<TJPEGImage*>(panel->Picture()->Graphic()), nullptr);
        EXPECT_EQ(panel->Picture()->Width(), 64);
        EXPECT_EQ(panel->Width(), 128);
        EXPECT_EQ(panel->Height(), 128);
    }
    // The cover's panel shows the logo's colour to its corners.
    TPoint origin = FForm->LogoPanel()->ClientToForm(Point(0, 0));
    TPoint o = FForm->ClientOffset();
    for (TPoint p : {Point(1, 1), Point(126, 126), Point(64, 64)}) {
        TColor c = WindowPixel(FForm, o.X + origin.X + p.X, o.Y + origin.Y + p.Y);
        EXPECT_NEAR(GetRValue(c), 0x99, 6);
        EXPECT_NEAR(GetGValue(c), 0x66, 6);
        EXPECT_NEAR(GetBValue(c), 0x33, 6);
    }
}

TEST_F(WizardTest, HostileLogoNamesStayInsideThePrivateFolder) {
    CloseErrorBoxes();
    for (const std::string& name : {std::string("../../escape.jpg"), std::string("..\\..\\x.jpg"),
                                    std::string("C:..\\y.jpg"), std::string("/etc/z.jpg")}) {
        SCOPED_TRACE(name);
        Open(MakePayload("Aquarium", false, name));
        EXPECT_NE(FForm->LogoPanel()->Picture()->Graphic(), nullptr);
        EXPECT_TRUE(fs::is_empty(FTemp));
        EXPECT_FALSE(fs::exists(FSandbox.Root() / "escape.jpg"));
        FForm->Free();
    }
    EXPECT_TRUE(FBoxes.empty());
    EXPECT_EQ(LogoFileName("C:\\Pictures\\logo.JPG"), "logo.JPG");
    EXPECT_EQ(LogoFileName("C:logo.bmp"), "logo.bmp");
    EXPECT_EQ(LogoFileName("../../x"), "x");
}

// The logo's name is system text: written and loaded under the same name
// when it is in Windows-1252 bytes as when it is in UTF-8.
TEST_F(WizardTest, ALogoNamedInWindows1252BytesIsShown) {
    CloseErrorBoxes();
    for (const std::string& name :
         {std::string("C:\\Bilder\\Caf\xE9 \x80.jpg"), std::string("Caf\xC3\xA9.jpg")}) {
        SCOPED_TRACE(name);
        Open(MakePayload("Aquarium", false, name));
        EXPECT_NE(dynamic_cast<TJPEGImage*>(FForm->LogoPanel()->Picture()->Graphic()), nullptr);
        EXPECT_TRUE(fs::is_empty(FTemp));
        FForm->Free();
    }
    EXPECT_TRUE(FBoxes.empty());
}

TEST_F(WizardTest, AnEmptyHomepageOpensNothing) {
    Payload p = MakePayload("Aquarium", false);
    TProject project;
    project.ScreensaverName = "Aquarium";
    project.LogoFile = "logo.jpg";
    project.SaveToStream();
    p.record = Bytes(project.ProjectStream.Memory(),
                     project.ProjectStream.Memory() + project.ProjectStream.Size());
    Open(p);
    FForm->CoverNextBtn()->Click();
    EXPECT_EQ(FForm->HomepageLabel()->Caption(), "");
    FForm->HomepageLabel()->Click();
    EXPECT_TRUE(Backend().OpenedUrls().empty());
}

TEST_F(WizardTest, EnterAndEscapeOnTheCoverPage) {
    Open(MakePayload("Aquarium", true));
    Key(VK_RETURN);
    EXPECT_EQ(Page(), 1) << "Enter clicked the cover's Next";
    EXPECT_FALSE(FForm->Timer()->Enabled()) << "and no hidden page's default button";
    bool closed = false;
    FForm->SetOnClose(TCloseEvent([&](TObject*, TCloseAction& a) {
        closed = true;
        a = TCloseAction::caNone;
    }));
    FForm->PageControl()->SetActivePageIndex(0);
    Key(VK_ESCAPE);
    EXPECT_TRUE(closed);
}

TEST_F(WizardTest, AFailureWhileShowingLeavesTheFormShownWithWhatWasSet) {
    CloseErrorBoxes();
    // A logo kind nothing decodes: the texts are set, the /AUTO check never
    // comes, the title is the one set so far.
    Open(MakePayload("Aquarium", true, "C:\\logo.xyz"), {"/AUTO"});
    ASSERT_EQ(FBoxes.size(), 1u);
    EXPECT_EQ(FBoxes[0], "Aquarium Setup Wizard: Unknown picture file extension (.xyz)");
    EXPECT_TRUE(FForm->Visible());
    EXPECT_EQ(FForm->WelcomeLabel()->Caption(), "Welcome to the Aquarium Setup Wizard");
    EXPECT_EQ(Page(), 0);
    EXPECT_FALSE(FForm->Timer()->Enabled());
    EXPECT_TRUE(fs::is_empty(FTemp));
    FForm->Free();

    // The file is no package: nothing is set, the title is still the
    // program's.
    FBoxes.clear();
    Application().SetTitle("Screensaver Installar");
    fs::path junk = FSandbox.Root() / "junk";
    WriteFile(junk, Bytes{1, 2, 3});
    OpenFile(junk.string());
    ASSERT_EQ(FBoxes.size(), 1u);
    EXPECT_EQ(FBoxes[0].rfind("Screensaver Installar: ", 0), 0u) << FBoxes[0];
    EXPECT_EQ(FForm->WelcomeLabel()->Caption(), "");

    // An empty logo name cannot be written.
    FForm->Free();
    FBoxes.clear();
    Open(MakePayload("Aquarium", false, ""));
    ASSERT_EQ(FBoxes.size(), 1u);
    EXPECT_EQ(FBoxes[0].rfind("Aquarium Setup Wizard: Cannot create file ", 0), 0u) << FBoxes[0];
}

TEST_F(WizardTest, AFailingInstallationStaysOnTheProgressPage) {
    CloseErrorBoxes();
    // A folder where the screensaver file should go: no file can replace it.
    fs::create_directories(FSandbox.Windows() / "Aquarium.scr" / "inside");
    Open(MakePayload("Aquarium", false), {"/AUTO"});
    Wait(100);
    ASSERT_EQ(FBoxes.size(), 1u);
    EXPECT_NE(FBoxes[0].find("Cannot create file"), std::string::npos) << FBoxes[0];
    EXPECT_EQ(FBoxes[0].rfind("Aquarium Setup Wizard: ", 0), 0u);
    EXPECT_EQ(Page(), 2);
    EXPECT_EQ(FForm->ProgressBar()->Position(), 90);
    EXPECT_TRUE(FForm->Visible());
}

// The four pages, and the cover in every look through the theme manager,
// kept for people to look at (build/artifacts/wizard-<page>.png).
TEST_F(WizardTest, ThePagesAsTheyShow) {
    Open(MakePayload("Aquarium", true));
    auto save = [&](const std::string& name) {
        Application().ProcessMessages();
        EXPECT_TRUE(SavePng(Backend().Framebuffer(FForm->ScreenWindow()),
                            std::string(SSI_ARTIFACTS_DIR) + "/wizard-" + name + ".png"));
    };
    save("cover");
    auto* manager = dynamic_cast<TsuiThemeManager*>(FForm->FindComponent("suiThemeManager"));
    ASSERT_NE(manager, nullptr);
    for (TsuiUIStyle style : {TsuiUIStyle::MacOS, TsuiUIStyle::WinXP, TsuiUIStyle::DeepBlue,
                              TsuiUIStyle::Protein, TsuiUIStyle::BlueGlass}) {
        manager->SetUIStyle(style);
        EXPECT_EQ(FForm->SuiForm()->UIStyle(), style);
        EXPECT_EQ(FForm->CoverNextBtn()->UIStyle(), style);
        save("cover-" + TsuiUIStyleInfo().Name(static_cast<int>(style)));
    }
    manager->SetUIStyle(TsuiUIStyle::WinXP);
    FForm->CoverNextBtn()->Click();
    save("license");
    FForm->AgreeCheckBox()->Click();
    FForm->LicenseNextBtn()->Click();
    save("progress");
    Wait(100);
    save("complete");
}

// Metafile logos draw in both panels like any other picture.
TEST_F(WizardTest, MetafileLogosDrawInBothPanels) {
    const std::pair<std::string, std::vector<uint8_t>> logos[] = {
        {"C:\\Art\\logo.wmf", gfxtest::LogoWmf(true)}, {"C:\\Art\\logo.EMF", gfxtest::LogoEmf()}};
    for (const auto& [name, bytes] : logos) {
        SCOPED_TRACE(name);
        Payload p = MakePayload("Aquarium", false, name);
        p.logo = Bytes(bytes.begin(), bytes.end());
        Open(p);
        for (TsuiImagePanel* panel : {FForm->LogoPanel(), FForm->CompleteLogoPanel()})
            EXPECT_NE(dynamic_cast<TMetafile*>(panel->Picture()->Graphic()), nullptr);
        // Something other than the page's background shows in the panel.
        TPoint origin = FForm->LogoPanel()->ClientToForm(Point(0, 0));
        TPoint o = FForm->ClientOffset();
        const TColor background = WindowPixel(FForm, o.X + origin.X - 4, o.Y + origin.Y + 60);
        int drawn = 0;
        for (int y = 4; y < 128; y += 8)
            for (int x = 4; x < 128; x += 8)
                drawn += WindowPixel(FForm, o.X + origin.X + x, o.Y + origin.Y + y) != background;
        EXPECT_GT(drawn, 100);
        FForm->Free();
    }
}

namespace {

// A record with the given texts, shown with its licence page.
Payload TextPayload(const std::string& name, const std::string& copyright,
                    const std::vector<std::string>& licence) {
    Payload p;
    TProject project;
    project.ScreensaverName = name;
    project.LogoFile = "C:\\Pictures\\logo.jpg";
    project.Homepage = "http://example.org/";
    project.Copyright = copyright;
    project.ShowLicense = true;
    for (const std::string& line : licence)
        project.LicenseText.Add(line);
    project.SaveToStream();
    p.record = Bytes(project.ProjectStream.Memory(),
                     project.ProjectStream.Memory() + project.ProjectStream.Size());
    p.logo = gfxtest::MakeJpeg(64, 32, 0x00336699);
    return p;
}

} // namespace

// The record's texts in any script show as written, on the cover page and
// the licence page: different words of one script make different pictures,
// and none of their letters is drawn as the box of a missing character.
TEST_F(WizardTest, TextsInEveryScriptShowAsWritten) {
    auto pages = [&](const std::string& name, const std::string& copyright,
                     const std::string& line, const std::string& artifact = "") {
        Open(TextPayload(name, copyright, {line, line + " " + line}));
        const THeadlessImage cover = Backend().Framebuffer(FForm->ScreenWindow());
        FForm->CoverNextBtn()->Click();
        Application().ProcessMessages();
        const THeadlessImage licence = Backend().Framebuffer(FForm->ScreenWindow());
        if (!artifact.empty())
            EXPECT_TRUE(SavePng(licence, std::string(SSI_ARTIFACTS_DIR) + "/" + artifact));
        EXPECT_EQ(FForm->SuiForm()->Caption(), name + " Setup Wizard");
        EXPECT_EQ(FForm->LicenseMemo()->Lines()->Get(0), line);
        FForm->Free();
        FForm = nullptr;
        Application().ProcessMessages();
        return std::make_pair(cover.Pixels, licence.Pixels);
    };
    // Each script twice, and as boxes: the same number of characters that
    // no face holds (U+0378).
    struct TScript {
        std::string A, B;
    };
    const std::vector<TScript> scripts = {
        {"Caf\xC3\xA9 M\xC3\xBCller", "Caf\xC3\xA8 M\xC3\xB6ller"},
        {"\xD0\x96\xD1\x83\xD0\xBA", "\xD0\x9A\xD0\xBE\xD1\x82"},
        {"\xCE\x93\xCE\xB5\xCE\xB9\xCE\xAC", "\xCE\x9B\xCF\x8C\xCE\xB3\xCE\xBF"},
        {"\xE4\xBD\xA0\xE5\xA5\xBD", "\xE4\xB8\x96\xE7\x95\x8C"},
    };
    for (const TScript& s : scripts) {
        SCOPED_TRACE(s.A);
        std::string boxes;
        for (size_t n = CharacterCount(s.A); n > 0; --n)
            boxes += "\xCD\xB8";
        const auto a = pages(s.A, "\xC2\xA9 " + s.A, s.A);
        const auto b = pages(s.B, "\xC2\xA9 " + s.B, s.B);
        const auto box = pages(boxes, "\xC2\xA9 " + boxes, boxes);
        EXPECT_NE(a.first, b.first);
        EXPECT_NE(a.second, b.second);
        EXPECT_NE(a.first, box.first);
        EXPECT_NE(a.second, box.second);
    }
    // The README's picture: a licence in Russian, Greek and Chinese.
    pages("\xD0\x90\xD0\xBA\xD0\xB2\xD0\xB0\xD1\x80\xD0\xB8\xD1\x83\xD0\xBC",
          "\xC2\xA9 2026 \xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD",
          "\xD0\x9B\xD0\xB8\xD1\x86\xD0\xB5\xD0\xBD\xD0\xB7\xD0\xB8\xD1\x8F \xC2\xB7 "
          "\xCE\x86\xCE\xB4\xCE\xB5\xCE\xB9\xCE\xB1 \xC2\xB7 "
          "\xE8\xAE\xB8\xE5\x8F\xAF\xE5\x8D\x8F\xE8\xAE\xAE",
          "wizard-license-scripts.png");
}

// A record written in Windows-1252 (as files made elsewhere are) shows the
// same letters as one written in UTF-8: é, ü, ß, €, –.
TEST_F(WizardTest, AWindows1252RecordShowsItsLetters) {
    auto pages = [&](const std::string& name, const std::string& line) {
        Open(TextPayload(name, line, {line}));
        const THeadlessImage cover = Backend().Framebuffer(FForm->ScreenWindow());
        FForm->CoverNextBtn()->Click();
        Application().ProcessMessages();
        const THeadlessImage licence = Backend().Framebuffer(FForm->ScreenWindow());
        FForm->Free();
        FForm = nullptr;
        Application().ProcessMessages();
        return std::make_pair(cover.Pixels, licence.Pixels);
    };
    EXPECT_EQ(pages("Caf\xE9 M\xFCller", "Stra\xDF" "e \x80 5 \x96 6"),
              pages("Caf\xC3\xA9 M\xC3\xBCller",
                    "Stra\xC3\x9F" "e \xE2\x82\xAC 5 \xE2\x80\x93 6"));
}
