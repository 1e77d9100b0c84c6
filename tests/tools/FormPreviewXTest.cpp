// form-preview live in a private Xvfb with no window manager, used from the
// keyboard and the mouse as a person would (xdotool), its windows found as
// the server lists them: Alt+Space opens the window menu, Alt and a letter
// the menu bar's drop-down, a maximised window fills the screen, SIGTERM and
// SIGINT end the program, and so does the end of the X server, with one
// line and status 1.

#include "framework/base/SysUtils.h"
#include "support/ChildProcess.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

using namespace testing_support;

namespace {

const std::string kPreview = std::string(SSI_BIN_DIR) + "/form-preview";
const std::string kLayouts = std::string(SSI_SOURCE_DIR) + "/examples/layouts/";

struct TGeometry {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

class FormPreviewXTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (FindProgram("Xvfb").empty() || FindProgram("xdotool").empty() ||
            FindProgram("xwininfo").empty())
            GTEST_SKIP() << "Xvfb, xdotool or xwininfo is not installed";
        ASSERT_TRUE(FServer.Start("800x600x24"));
        FScratch = std::filesystem::temp_directory_path() /
                   ("form-preview-x-" + std::to_string(getpid()));
        std::filesystem::create_directories(FScratch);
    }
    void TearDown() override { std::filesystem::remove_all(FScratch); }

    void Open(const std::string& layout) {
        ASSERT_TRUE(FProgram.Start({kPreview, layout},
                                   {"DISPLAY=" + FServer.Display(), "SSI_BACKEND="},
                                   (FScratch / "stderr.txt").string()));
        ASSERT_TRUE(WaitFor([&] { return Windows().size() == 1; })) << FProgram.ErrorOutput();
    }
    std::string Shell(const std::string& command) {
        std::string out;
        FILE* pipe = popen(("DISPLAY=" + FServer.Display() + " " + command).c_str(), "r");
        std::array<char, 1024> buffer;
        size_t n;
        while (pipe != nullptr && (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            out.append(buffer.data(), n);
        if (pipe != nullptr)
            pclose(pipe);
        return out;
    }
    void Xdotool(const std::string& args) {
        ASSERT_EQ(std::system(("DISPLAY=" + FServer.Display() + " xdotool " + args).c_str()), 0);
    }
    // The program's windows that the server shows (the form, open menus).
    std::vector<std::string> Windows() {
        std::istringstream ids(Shell("xdotool search --onlyvisible --class ScreensaverInstaller"));
        std::vector<std::string> list;
        for (std::string id; ids >> id;)
            list.push_back(id);
        return list;
    }
    TGeometry Geometry(const std::string& window) {
        const std::string info = Shell("xwininfo -id " + window);
        TGeometry g;
        std::smatch m;
        if (std::regex_search(info, m, std::regex(R"(Absolute upper-left X:\s+(-?\d+))")))
            g.X = std::stoi(m[1]);
        if (std::regex_search(info, m, std::regex(R"(Absolute upper-left Y:\s+(-?\d+))")))
            g.Y = std::stoi(m[1]);
        if (std::regex_search(info, m, std::regex(R"(Width:\s+(\d+))")))
            g.Width = std::stoi(m[1]);
        if (std::regex_search(info, m, std::regex(R"(Height:\s+(\d+))")))
            g.Height = std::stoi(m[1]);
        return g;
    }
    bool WaitFor(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    TXvfb FServer;
    TChildProcess FProgram;
    std::filesystem::path FScratch;
};

} // namespace

TEST_F(FormPreviewXTest, AltSpaceAndAltWithALetterOpenTheirMenus) {
    Open(kLayouts + "skinned-window.txt");
    Xdotool("key alt+space");
    EXPECT_TRUE(WaitFor([&] { return Windows().size() == 2; })) << "the window menu opened";
    Xdotool("key Escape");
    ASSERT_TRUE(WaitFor([&] { return Windows().size() == 1; }));

    Xdotool("key alt+f");
    ASSERT_TRUE(WaitFor([&] { return Windows().size() == 2; })) << "the File menu opened";
    const std::vector<std::string> open = Windows();
    const TGeometry form = Geometry(open.front());
    const TGeometry menu = Geometry(open.back());
    EXPECT_GT(menu.Y, form.Y + 26) << "under the title bar, at the menu bar";
    EXPECT_LT(menu.X, form.X + 40) << "under File, the first item";
    Xdotool("key Escape");
    EXPECT_TRUE(WaitFor([&] { return Windows().size() == 1; }));
    Xdotool("key alt+q");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(Windows().size(), 1u) << "no item is underlined Q";
}

TEST_F(FormPreviewXTest, AMaximisedWindowFillsTheScreen) {
    // The demonstration window with its maximise button shown.
    std::ifstream in(kLayouts + "skinned-window.txt");
    std::string layout((std::istreambuf_iterator<char>(in)), {});
    const std::string hidden = "ButtonType = suiMax\n        Visible = False";
    ASSERT_NE(layout.find(hidden), std::string::npos);
    layout.replace(layout.find(hidden), hidden.size(), "ButtonType = suiMax");
    const std::string file = (FScratch / "maximisable.txt").string();
    std::ofstream(file) << layout;

    Open(file);
    const std::string window = Windows().front();
    const TGeometry before = Geometry(window);
    // A double click on the title bar's caption maximises.
    Xdotool(Format("mousemove %d %d click --repeat 2 --delay 80 1", before.X + 150, before.Y + 14));
    ASSERT_TRUE(WaitFor([&] { return Geometry(window).Width == 800; }));
    const TGeometry after = Geometry(window);
    EXPECT_EQ(after.X, 0);
    EXPECT_EQ(after.Y, 0);
    EXPECT_EQ(after.Height, 599) << "the work area, less the row the platform leaves";
    Xdotool(Format("mousemove %d %d click --repeat 2 --delay 80 1", 150, 14));
    ASSERT_TRUE(WaitFor([&] { return Geometry(window).Width == before.Width; }));
    EXPECT_EQ(Geometry(window).X, before.X) << "restored to its place";
}

TEST_F(FormPreviewXTest, TheQuitSignalsEndTheProgram) {
    for (int signal : {SIGTERM, SIGINT}) {
        Open(kLayouts + "controls-gallery.txt");
        FProgram.Signal(signal);
        EXPECT_EQ(FProgram.WaitForExit(3000), 0) << "signal " << signal;
        EXPECT_TRUE(WaitFor([&] { return Windows().empty(); }));
    }
}

TEST_F(FormPreviewXTest, TheEndOfTheXServerEndsTheProgramWithOneLine) {
    Open(kLayouts + "skinned-window.txt");
    FServer.Stop();
    EXPECT_EQ(FProgram.WaitForExit(3000), 1);
    EXPECT_TRUE(std::regex_match(
        FProgram.ErrorOutput(),
        std::regex("form-preview: the connection to the display :[0-9]+ was lost\n")))
        << FProgram.ErrorOutput();
}
