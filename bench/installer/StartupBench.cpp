// The installer's start-up as its end user meets it, timed from outside the
// process: from exec to the wizard's first frame on the screen (run under a
// display, e.g. xvfb-run), next to a bare SDL program that opens a window of
// the same size at the same place; and from exec to the end of describing
// its package without a display, next to a program that does nothing.
//
// A frame counts as on the screen when the X server shows the wizard's
// border colour at a point of its bottom edge; the server is asked every
// quarter millisecond.

#include "framework/base/SysUtils.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

const std::string kBin = SSI_BIN_DIR;
constexpr int kProbeX = 198 + 200, kProbeY = 125 + 208;
constexpr unsigned long kBorder = 0x002CC8;

// The demo installer, built once with sspack in a folder of its own.
const std::string& Installer() {
    static const std::string path = [] {
        const fs::path dir = fs::temp_directory_path() / ("ssi-startup-" + std::to_string(getpid()));
        fs::create_directories(dir / "windows");
        const std::string record = (dir / "record").string();
        const std::string setup = (dir / "setup").string();
        const std::string commands =
            kBin + "/demo-movie " + (dir / "movie").string() + " && " + kBin +
            "/sspack record --name Aquarium --logo-file logo.jpg -o " + record + " && " + kBin +
            "/sspack build --quiet --runtime " + kBin + "/demo-screensaver --movie " +
            (dir / "movie").string() + " --record " + record + " --logo " + SSI_SOURCE_DIR +
            "/examples/demo/logo.jpg -o " + setup;
        if (std::system(commands.c_str()) != 0)
            return std::string();
        setenv("WINDIR", (dir / "windows").c_str(), 1);
        return setup;
    }();
    return path;
}

pid_t Spawn(const std::string& program, bool withDisplay) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (!withDisplay)
            unsetenv("DISPLAY");
        unsetenv("SSI_BACKEND");
        freopen("/dev/null", "w", stdout);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

class TScreenProbe {
public:
    TScreenProbe() : FDisplay(XOpenDisplay(nullptr)) {}
    ~TScreenProbe() {
        if (FDisplay)
            XCloseDisplay(FDisplay);
    }
    bool IsOpen() const { return FDisplay != nullptr; }
    bool ShowsBorder() {
        XImage* image =
            XGetImage(FDisplay, DefaultRootWindow(FDisplay), kProbeX, kProbeY, 1, 1, AllPlanes,
                      ZPixmap);
        if (image == nullptr)
            return false;
        const bool shown = (XGetPixel(image, 0, 0) & 0xFFFFFF) == kBorder;
        XDestroyImage(image);
        return shown;
    }

private:
    Display* FDisplay;
};

void ExecToFirstFrame(benchmark::State& state, const std::string& program) {
    TScreenProbe probe;
    if (!probe.IsOpen() || program.empty()) {
        state.SkipWithError("no display (run under xvfb-run) or no program");
        return;
    }
    for (auto _ : state) {
        const auto start = TClock::now();
        const pid_t pid = Spawn(program, true);
        bool shown = false;
        while (!(shown = probe.ShowsBorder()) && TClock::now() - start < std::chrono::seconds(5))
            std::this_thread::sleep_for(std::chrono::microseconds(250));
        const auto end = TClock::now();
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        if (!shown) {
            state.SkipWithError("the window never showed");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        // The next run starts on an empty screen.
        while (probe.ShowsBorder())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void ExecToExit(benchmark::State& state, const std::string& program) {
    if (program.empty()) {
        state.SkipWithError("no program");
        return;
    }
    for (auto _ : state) {
        const auto start = TClock::now();
        waitpid(Spawn(program, false), nullptr, 0);
        state.SetIterationTime(std::chrono::duration<double>(TClock::now() - start).count());
    }
}

void BM_WizardExecToFirstFrame(benchmark::State& state) {
    ExecToFirstFrame(state, Installer());
}
BENCHMARK(BM_WizardExecToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

#ifdef SSI_BENCH_SDL
void BM_BareSdlExecToFirstFrame(benchmark::State& state) {
    ExecToFirstFrame(state, kBin + "/bare-sdl-window");
}
BENCHMARK(BM_BareSdlExecToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond);
#endif

void BM_DescribeWithoutDisplay(benchmark::State& state) {
    ExecToExit(state, Installer());
}
BENCHMARK(BM_DescribeWithoutDisplay)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_EmptyProgram(benchmark::State& state) {
    ExecToExit(state, kBin + "/empty-program");
}
BENCHMARK(BM_EmptyProgram)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
