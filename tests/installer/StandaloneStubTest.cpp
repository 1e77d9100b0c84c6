// The installer as an end user's machine meets it, a machine that has never
// seen this project: its program file names no shared library but the C
// library's; in a root that holds nothing but those three files it installs
// with /AUTO, and says in one line why it works on the console when a
// display is announced but no X library is there; in a root that adds only
// the X client libraries its wizard opens and is clicked through.
//
// The roots are entered with chroot, or with a user namespace where chroot
// is not allowed; the tests are skipped where neither is.

#include "support/TestPackages.h"
#include "framework/base/SysUtils.h"
#include "support/XScreen.h"
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <regex>
#include <set>
#include <sys/wait.h>
#include <thread>

using namespace testing_support;

namespace {

const std::string kBin = SSI_BIN_DIR;

// What a command printed on standard output and error, and its status.
std::string Output(const std::string& command, int* status = nullptr) {
    std::string text;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return text;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        text.append(buffer.data(), n);
    const int s = pclose(pipe);
    if (status != nullptr)
        *status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    return text;
}

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// The shared libraries a program file asks the loader for.
std::set<std::string> NeededLibraries(const std::string& file) {
    std::set<std::string> needed;
    const std::string dynamic = Output("readelf -d " + Quote(file));
    std::regex entry(R"(\(NEEDED\)\s+Shared library: \[([^\]]+)\])");
    for (auto it = std::sregex_iterator(dynamic.begin(), dynamic.end(), entry);
         it != std::sregex_iterator(); ++it)
        needed.insert((*it)[1]);
    return needed;
}

// The files (by absolute path) that the loader would load for `file`,
// the loader itself included.
std::set<std::string> LoadedFiles(const std::string& file) {
    std::set<std::string> files;
    const std::string list = Output("ldd " + Quote(file));
    std::regex path(R"((/[^ \t\n()]+))");
    for (auto it = std::sregex_iterator(list.begin(), list.end(), path);
         it != std::sregex_iterator(); ++it)
        if ((*it)[1] != file)
            files.insert((*it)[1]);
    return files;
}

// The program that enters a root directory here, "chroot" or "unshare" by
// its full path (with what it needs), or "" where neither may.
std::string RootEntry() {
    static const std::string way = [] {
        const std::string sbin = "PATH=\"$PATH:/usr/sbin:/sbin\" ";
        int status = -1;
        std::string chroot = Output(sbin + "command -v chroot", &status);
        chroot = chroot.substr(0, chroot.find('\n'));
        if (status == 0 && !chroot.empty()) {
            Output(chroot + " / true", &status);
            if (status == 0)
                return chroot;
        }
        std::string unshare = Output(sbin + "command -v unshare", &status);
        unshare = unshare.substr(0, unshare.find('\n')) + " --map-root-user --root=";
        Output(unshare + "/ true", &status);
        return status == 0 ? unshare : std::string();
    }();
    return way;
}

// A root directory made of host files, each at its own path, plus an
// installer at /Setup and empty /tmp and /windows folders.
class TMinimalRoot {
public:
    TMinimalRoot(const fs::path& root, const std::set<std::string>& files,
                 const fs::path& installer)
        : FRoot(root) {
        for (const std::string& file : files) {
            const fs::path target = root / fs::path(file).relative_path();
            fs::create_directories(target.parent_path());
            fs::copy_file(file, target, fs::copy_options::overwrite_existing);
        }
        fs::copy_file(installer, root / "Setup");
        fs::permissions(root / "Setup", fs::perms::owner_all, fs::perm_options::add);
        fs::create_directories(root / "tmp");
        fs::create_directories(root / "windows");
    }
    // The command that runs /Setup with `arguments` inside the root, with
    // nothing in its environment but `environment`.
    std::string Command(const std::string& environment, const std::string& arguments) const {
        const std::string way = RootEntry();
        const std::string enter = way.back() == '=' ? way + Quote(FRoot.string())
                                                    : way + " " + Quote(FRoot.string());
        return "exec env -i " + environment + " " + enter + " /Setup " + arguments;
    }
    fs::path Windows() const { return FRoot / "windows"; }

private:
    fs::path FRoot;
};

class StandaloneStubTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef SSI_SANITIZED_STUB
        GTEST_SKIP() << "a sanitizer build's stub needs the sanitizers' runtime";
#endif
        fs::path dir = FSandbox.Root();
        WriteFile(dir / "movie.dat", RandomBytes(20000, 5));
        ASSERT_EQ(Run(kBin + "/sspack record --name Aquarium --logo-file logo.jpg -o " +
                      Quote((dir / "record.txt").string())),
                  0);
        ASSERT_EQ(Run(kBin + "/sspack build --runtime " + kBin + "/demo-screensaver --movie " +
                      Quote((dir / "movie.dat").string()) + " --record " +
                      Quote((dir / "record.txt").string()) + " --logo " + SSI_SOURCE_DIR +
                      "/examples/demo/logo.jpg -o " + Quote(Installer().string()) + " --quiet"),
                  0);
    }
    int Run(const std::string& command) {
        return std::system((command + " > /dev/null").c_str());
    }
    fs::path Installer() const { return FSandbox.Root() / "AquariumSetup"; }
    // The C library's three files, as the stub's own list names them.
    std::set<std::string> CLibrary() { return LoadedFiles(Installer().string()); }

    Sandbox FSandbox;
};

} // namespace

TEST_F(StandaloneStubTest, TheStubNamesOnlyTheCLibrary) {
    const std::set<std::string> allowed = {"libc.so.6", "libm.so.6", "ld-linux-x86-64.so.2"};
    for (const fs::path& file : {fs::path(kBin) / "ssinstall", Installer()}) {
        const std::set<std::string> needed = NeededLibraries(file.string());
        EXPECT_FALSE(needed.empty()) << file << ": readelf found no dynamic section";
        for (const std::string& library : needed)
            EXPECT_TRUE(allowed.count(library)) << file << " needs " << library;
    }
    const std::string sections = Output("readelf -S " + Quote(Installer().string()));
    EXPECT_EQ(sections.find(".debug_info"), std::string::npos) << "installers carry no debug data";
}

TEST_F(StandaloneStubTest, InstallsInARootThatHoldsOnlyTheCLibrary) {
    if (RootEntry().empty())
        GTEST_SKIP() << "neither chroot nor a user namespace is allowed here";
    const std::set<std::string> c = CLibrary();
    ASSERT_EQ(c.size(), 3u) << "libc, libm and the loader";
    TMinimalRoot root(FSandbox.Root() / "root", c, Installer());

    int status = -1;
    std::string out = Output(root.Command("WINDIR=/windows TMPDIR=/tmp", "/AUTO"), &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("Installed /windows/Aquarium.scr"), std::string::npos) << out;
    ASSERT_TRUE(fs::exists(root.Windows() / "Aquarium.scr"));
    EXPECT_EQ(ReadFile(root.Windows() / "Aquarium.scr").size() > 20000, true);
    EXPECT_NE(ReadText(root.Windows() / "system.ini").find("SCRNSAVE.EXE=/windows/Aquarium.scr"),
              std::string::npos);

    // A display is announced, but there is no X library: one line says so,
    // and the installer describes what it carries, as without a display.
    out = Output(root.Command("WINDIR=/windows DISPLAY=:7", ""), &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("no display (libX11.so.6: cannot open shared object file"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("Aquarium\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Run with /AUTO"), std::string::npos) << out;
}

TEST_F(StandaloneStubTest, TheWizardOpensInARootWithOnlyTheXClientLibrariesAdded) {
    if (RootEntry().empty())
        GTEST_SKIP() << "neither chroot nor a user namespace is allowed here";
    if (FindProgram("Xvfb").empty() || FindProgram("xdotool").empty())
        GTEST_SKIP() << "Xvfb or xdotool is not installed";
    std::set<std::string> files = CLibrary();
    for (const char* library : {"libX11.so.6", "libXext.so.6"}) {
        const std::string path = Output("ldconfig -p | awk '$1 == \"" + std::string(library) +
                                        "\" && /x86-64/ { print $NF; exit }'");
        const std::string found = path.substr(0, path.find('\n'));
        ASSERT_FALSE(found.empty()) << library << " is not installed";
        files.insert(found);
        for (const std::string& dependency : LoadedFiles(found))
            files.insert(dependency);
    }
    TMinimalRoot root(FSandbox.Root() / "xroot", files, Installer());
    TXvfb server;
    ASSERT_TRUE(server.Start("800x600x24"));
    TXScreen screen(server.Display());
    ASSERT_TRUE(screen.IsOpen());

    // The X server's socket is reached by its abstract name, which no root
    // directory hides.
    const std::string command =
        root.Command("WINDIR=/windows TMPDIR=/tmp DISPLAY=" + server.Display(), "") +
        " > " + Quote((FSandbox.Root() / "wizard.log").string()) + " 2>&1";
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    auto waitFor = [](const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    };
    auto click = [&](int x, int y) {
        return std::system(("DISPLAY=" + server.Display() +
                            Format(" xdotool mousemove %d %d click 1", x, y))
                               .c_str());
    };
    // The window at its designed place (198, 125), WinXP's border at its
    // bottom; Next and Finish on the pages below the 26-pixel title bar.
    constexpr int kPageX = 198 + 3, kPageY = 125 + 3 + 26;
    const bool shown = waitFor([&] { return screen.Pixel(198 + 200, 125 + 208) == 0x002CC8; });
    EXPECT_TRUE(shown) << ReadText(FSandbox.Root() / "wizard.log");
    int status = -1;
    if (shown) {
        EXPECT_EQ(click(kPageX + 288 + 40, kPageY + 136 + 13), 0); // Next
        EXPECT_TRUE(waitFor([&] { return fs::exists(root.Windows() / "Aquarium.scr"); }));
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        EXPECT_EQ(click(kPageX + 376 + 40, kPageY + 136 + 13), 0); // Finish
        waitFor([&] {
            int s = 0;
            if (waitpid(pid, &s, WNOHANG) != pid)
                return false;
            status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
            return true;
        });
    }
    if (status == -1) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    EXPECT_EQ(status, 0) << ReadText(FSandbox.Root() / "wizard.log");
    EXPECT_NE(ReadText(root.Windows() / "system.ini").find("SCRNSAVE.EXE=/windows/Aquarium.scr"),
              std::string::npos);
}
