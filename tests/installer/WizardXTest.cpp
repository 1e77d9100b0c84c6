// The real installer in a real X server, as a person uses it: an installer
// built by sspack with a licence, clicked through with xdotool (cover, the
// licence's box and Next, completion, Finish), the same with "/AUTO", and
// the close button on the cover page. What it installed is checked on disk.

#include "support/TestPackages.h"
#include "framework/base/SysUtils.h"
#include "support/XScreen.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

using namespace testing_support;

namespace {

const std::string kBin = SSI_BIN_DIR;

// Where the wizard's window stands (its designed place) and where its
// controls are: the frame is 3 pixels wide, the title bar 26 high, and the
// pages fill the rest.
constexpr int kLeft = 198, kTop = 125;
constexpr int kPageX = kLeft + 3, kPageY = kTop + 3 + 26;
constexpr uint32_t kWinXPBorder = 0x002CC8; // as the screen shows it, RGB

class WizardXTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (FindProgram("Xvfb").empty() || FindProgram("xdotool").empty() ||
            FindProgram("import").empty())
            GTEST_SKIP() << "Xvfb, xdotool or ImageMagick is not installed";
        ASSERT_TRUE(FServer.Start("800x600x24"));
        FScreen = std::make_unique<TXScreen>(FServer.Display());
        ASSERT_TRUE(FScreen->IsOpen());
        fs::path dir = FSandbox.Root();
        WriteFile(dir / "licence.txt", Bytes{'B', 'e', ' ', 'n', 'i', 'c', 'e', '.'});
        WriteFile(dir / "movie.dat", RandomBytes(20000, 5));
        ASSERT_EQ(Run(kBin + "/sspack record --name Aquarium --logo-file 'C:\\Art\\logo.jpg' " +
                      "--homepage https://example.org/aquarium --license " +
                      (dir / "licence.txt").string() + " --show-license -o " +
                      (dir / "record.txt").string()),
                  0);
        ASSERT_EQ(Build(), 0);
    }
    // Builds AquariumSetup from the record in record.txt.
    int Build() {
        const fs::path dir = FSandbox.Root();
        return Run(kBin + "/sspack build --stub " + kBin + "/ssinstall --runtime " + kBin +
                   "/demo-screensaver --movie " + (dir / "movie.dat").string() + " --record " +
                   (dir / "record.txt").string() + " --logo " + SSI_SOURCE_DIR +
                   "/examples/demo/logo.jpg -o " + (dir / "AquariumSetup").string());
    }
    void TearDown() override {
        if (FPid > 0) {
            kill(FPid, SIGKILL);
            waitpid(FPid, nullptr, 0);
        }
    }
    int Run(const std::string& command) {
        return std::system(
            ("DISPLAY=" + FServer.Display() + " " + command + " > /dev/null").c_str());
    }
    // Starts the installer with `argument` (or none).
    void Start(const std::string& argument = "") {
        std::string installer = (FSandbox.Root() / "AquariumSetup").string();
        std::vector<std::string> args = {installer};
        if (!argument.empty())
            args.push_back(argument);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        setenv("DISPLAY", FServer.Display().c_str(), 1);
        unsetenv("SSI_BACKEND");
        ASSERT_EQ(posix_spawn(&FPid, installer.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    }
    bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }
    // Waits until the installer has ended; its exit status, or -1.
    int WaitForExit(int milliseconds = 5000) {
        int status = -1;
        bool ended = WaitFor(
            [&] {
                int s = 0;
                if (waitpid(FPid, &s, WNOHANG) == FPid) {
                    status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
                    return true;
                }
                return false;
            },
            milliseconds);
        if (ended)
            FPid = 0;
        return ended ? status : -1;
    }
    bool Shown() {
        return WaitFor([&] { return FScreen->Pixel(kLeft + 200, kTop + 208) == kWinXPBorder; });
    }
    // Clicks the middle of a page's control at (x, y, w, h) in page coordinates.
    void Click(int x, int y, int w, int h) {
        ASSERT_EQ(
            Run(Format("xdotool mousemove %d %d click 1", kPageX + x + w / 2, kPageY + y + h / 2)),
            0);
    }
    // Keeps what the window shows for people to look at.
    void Screenshot(const std::string& page) {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        Run(Format("import -window root -crop 481x209+%d+%d +repage %s/wizard-x-%s.png", kLeft,
                   kTop, SSI_ARTIFACTS_DIR, page.c_str()));
    }
    bool Installed() { return fs::exists(FSandbox.Windows() / "Aquarium.scr"); }

    Sandbox FSandbox;
    TXvfb FServer;
    std::unique_ptr<TXScreen> FScreen;
    pid_t FPid = 0;
};

} // namespace

TEST_F(WizardXTest, ClickedThroughWithTheLicence) {
    Start();
    ASSERT_TRUE(Shown()) << "the wizard's frame reaches the screen";
    Screenshot("cover");
    Click(288, 136, 80, 27); // Next
    // The licence page: Next waits for the box.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Screenshot("license");
    Click(288, 136, 80, 27);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(Installed()) << "Next on the licence page is disabled until the box is checked";
    Click(8 + 8, 104, 16, 19); // the box, inside the licence group
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Click(288, 136, 80, 27);
    ASSERT_TRUE(WaitFor([&] { return Installed(); })) << "the installation ran";
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    Screenshot("complete");
    Click(376, 136, 80, 27); // Finish
    EXPECT_EQ(WaitForExit(), 0);
    std::string ini = ReadText(FSandbox.SystemIni());
    EXPECT_NE(ini.find("SCRNSAVE.EXE=" + (FSandbox.Windows() / "Aquarium.scr").string()),
              std::string::npos)
        << ini;
}

TEST_F(WizardXTest, AutoOpensOnTheProgressPageAndEndsOnTheCompletionPage) {
    Start("/AUTO");
    ASSERT_TRUE(WaitFor([&] { return Installed(); })) << "the installation ran at once";
    ASSERT_TRUE(Shown());
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    Screenshot("auto-complete");
    EXPECT_EQ(WaitForExit(300), -1) << "the wizard waits for Finish";
    Click(376, 136, 80, 27);
    EXPECT_EQ(WaitForExit(), 0);
}

// Closed or cancelled before the installation ran: status 2, which scripts
// can tell from an installation (0) and a failure (1).
TEST_F(WizardXTest, TheCloseButtonOnTheCoverPageEndsWithoutInstalling) {
    Start();
    ASSERT_TRUE(Shown());
    // The close button: 475 - 2 + 1 - 22 in the title bar, 2 below its top.
    ASSERT_EQ(
        Run(Format("xdotool mousemove %d %d click 1", kLeft + 3 + 452 + 10, kTop + 3 + 2 + 10)), 0);
    EXPECT_EQ(WaitForExit(), 2);
    EXPECT_FALSE(Installed());
}

TEST_F(WizardXTest, CancelOnTheLicencePageEndsWithoutInstalling) {
    Start();
    ASSERT_TRUE(Shown());
    Click(288, 136, 80, 27); // Next, to the licence page
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Click(376, 136, 80, 27); // Cancel
    EXPECT_EQ(WaitForExit(), 2);
    EXPECT_FALSE(Installed());
}

// A name in any script is the window's title as the desktop reads it (UTF-8),
// the installed file's name and system.ini's entry.
TEST_F(WizardXTest, ANameInAnyScriptIsTheTitleTheFileAndTheEntry) {
    const std::string name = "\xD0\x90\xD0\xBA\xD0\xB2\xD0\xB0\xD1\x80\xD0\xB8\xD1\x83\xD0\xBC "
                             "\xE6\xB0\xB4\xE6\x97\x8F\xE9\xA6\x86"; // Аквариум 水族馆
    const fs::path dir = FSandbox.Root();
    ASSERT_EQ(Run(kBin + "/sspack record --name '" + name + "' --logo-file 'C:\\Art\\logo.jpg' " +
                  "--homepage https://example.org/ -o " + (dir / "record.txt").string()),
              0);
    ASSERT_EQ(Build(), 0);
    Start("/AUTO");
    const fs::path scr = FSandbox.Windows() / (name + ".scr");
    ASSERT_TRUE(WaitFor([&] { return fs::exists(scr); })) << "installed under its own name";
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Run("xdotool search --name '^" + name + " Setup Wizard$'"), 0)
        << "the title reaches the desktop as UTF-8";
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    Screenshot("auto-complete-scripts");
    Click(376, 136, 80, 27); // Finish
    EXPECT_EQ(WaitForExit(), 0);
    EXPECT_NE(ReadText(FSandbox.SystemIni()).find("SCRNSAVE.EXE=" + scr.string()),
              std::string::npos);
}
