// sspack refuses what the installer would refuse on the end user's machine.
// Every mistake is refused with one line naming the file or option and the
// reason (status 1, nothing written); with --force it is built anyway with a
// warning, and the installer built so fails as the refusal said it would.
// Good inputs, among them the spellings the installer takes alike, build
// without a word and install.

#include "framework/graphics/PngCodec.h"
#include "support/GraphicsTestSupport.h"
#include "support/MetafileLogos.h"
#include "support/TestPackages.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;
using gfxtest::MakeBmp;
using gfxtest::MakeIco;
using gfxtest::MakeJpeg;

namespace {

const std::string kBin = SSI_BIN_DIR;

struct TRun {
    int status = -1;
    std::string out, err;
};

Bytes RecordOf(const std::string& name, const std::string& logoFile) {
    TProject project;
    project.ScreensaverName = name;
    project.LogoFile = logoFile;
    project.Homepage = "http://example.org/";
    project.SaveToStream();
    return Bytes(project.ProjectStream.Memory(),
                 project.ProjectStream.Memory() + project.ProjectStream.Size());
}

Bytes Png() {
    TPngImage image{4, 4, std::vector<uint8_t>(4 * 4 * 4, 0x80)};
    return EncodePng(image);
}

// A whole GIF of one pixel.
Bytes Gif() {
    const char bytes[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xFF\xFF\xFF\x2C\x00\x00"
                         "\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B";
    return Bytes(bytes, bytes + sizeof bytes - 1);
}

Bytes Bmp() {
    return MakeBmp(8, 8, 24, {}, [](int32_t x, int32_t y) { return uint32_t(x * 30 + y); });
}

bool Holds(const std::string& text, const std::vector<std::string>& words) {
    for (const std::string& word : words)
        if (text.find(word) == std::string::npos)
            return false;
    return true;
}

// What goes into one build; the defaults make a good installer.
struct TInputs {
    std::string stub = kBin + "/ssinstall";
    Bytes record = RecordOf("Reef", "C:\\Art\\reef.jpg");
    std::string logoName = "reef.jpg"; // the --logo file's name
    Bytes logo = ReadFile(std::string(SSI_SOURCE_DIR) + "/examples/demo/logo.jpg");
    bool recordIsMovie = false;
};

class SspackChecks : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"home", "tmp"})
            fs::create_directories(FSandbox.Root() / folder);
        WriteFile(FSandbox.Root() / "movie", FMovie);
        WriteFile(FSandbox.Root() / "runtime", RandomBytes(3000, 8));
    }

    // Runs a program in an environment of the test's own: no display, the
    // sandbox as home, temporary and Windows directory, a fixed locale.
    TRun Run(const std::vector<std::string>& args) {
        const fs::path root = FSandbox.Root();
        const std::string out = (root / "stdout").string(), err = (root / "stderr").string();
        std::vector<std::string> environment = {
            "PATH=/usr/bin:/bin", "LC_ALL=C.UTF-8", "HOME=" + (root / "home").string(),
            "TMPDIR=" + (root / "tmp").string(), "WINDIR=" + FSandbox.Windows().string()};
        std::vector<char*> argv, envp;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        for (const std::string& e : environment)
            envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
            dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        TRun run;
        int status = 0;
        if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
            run.status = WEXITSTATUS(status);
        run.out = ReadText(out);
        run.err = ReadText(err);
        return run;
    }

    // Builds an installer of `inputs` (kept in `folder`) into `output`.
    TRun Build(const TInputs& inputs, const fs::path& folder, const fs::path& output, bool force) {
        fs::create_directories(folder);
        WriteFile(folder / "record", inputs.record);
        WriteFile(folder / inputs.logoName, inputs.logo);
        const fs::path movie = FSandbox.Root() / "movie";
        std::vector<std::string> args = {kBin + "/sspack",
                                         "build",
                                         "--stub",
                                         inputs.stub,
                                         "--runtime",
                                         (FSandbox.Root() / "runtime").string(),
                                         "--movie",
                                         movie.string(),
                                         "--record",
                                         inputs.recordIsMovie ? movie.string()
                                                              : (folder / "record").string(),
                                         "--logo",
                                         (folder / inputs.logoName).string(),
                                         "-o",
                                         output.string()};
        if (force)
            args.push_back("--force");
        return Run(args);
    }

    Sandbox FSandbox;
    Bytes FMovie = RandomBytes(50000, 7);
};

} // namespace

TEST_F(SspackChecks, BuildRefusesWhatTheInstallerWouldRefuse) {
    struct Mistake {
        std::string what;
        std::function<void(TInputs&)> make;
        // What sspack says, after the row's folder, and what the installer
        // built with --force says when it fails ("" when it is not run).
        std::vector<std::string> words;
        std::string installer;
    } mistakes[] = {
        {"a PNG logo",
         [](TInputs& i) {
             i.record = RecordOf("Reef", "art.png");
             i.logoName = "art.png";
             i.logo = Png();
         },
         {"/record: the logo name \"art.png\" has the extension .png; the installer shows .bmp"},
         "Unknown picture file extension (.png)"},
        {"a GIF logo",
         [](TInputs& i) {
             i.record = RecordOf("Reef", "C:\\Art\\art.gif");
             i.logoName = "art.gif";
             i.logo = Gif();
         },
         {"/record: the logo name \"C:\\Art\\art.gif\" has the extension .gif"},
         "Unknown picture file extension (.gif)"},
        {"a record without a logo name",
         [](TInputs& i) { i.record = RecordOf("Reef", ""); },
         {"/record: no logo file name; the installer needs one"},
         "Cannot create file"},
        {"a logo name that is a folder",
         [](TInputs& i) { i.record = RecordOf("Reef", "C:\\Art\\"); },
         {"/record: the logo name \"C:\\Art\\\" has no file name after its folder"},
         "Cannot create file"},
        {"a logo name without an extension",
         [](TInputs& i) { i.record = RecordOf("Reef", "logo"); },
         {"/record: the logo name \"logo\" has no extension"},
         "Unknown picture file extension"},
        {"a PNG picture named .jpg",
         [](TInputs& i) {
             i.record = RecordOf("Reef", "C:\\Art\\art.jpg");
             i.logoName = "art.jpg";
             i.logo = Png();
         },
         {"the record names art.jpg but ", "/art.jpg holds a PNG picture"},
         "JPEG error: the file holds a PNG picture, not a JPEG"},
        {"a BMP picture named .jpg",
         [](TInputs& i) { i.logo = Bmp(); },
         {"the record names reef.jpg but ", "/reef.jpg holds a BMP picture"},
         "JPEG error"},
        {"a JPEG picture named .bmp",
         [](TInputs& i) { i.record = RecordOf("Reef", "reef.bmp"); },
         {"the record names reef.bmp but ", "/reef.jpg holds a JPEG picture"},
         "\"BM\""},
        {"an icon named .wmf",
         [](TInputs& i) {
             i.record = RecordOf("Reef", "reef.wmf");
             i.logo = MakeIco({16});
         },
         {"the record names reef.wmf but ", "/reef.jpg holds an ICO picture"},
         "Metafile is not valid"},
        {"a metafile named .ico",
         [](TInputs& i) {
             i.record = RecordOf("Reef", "reef.ico");
             i.logo = gfxtest::LogoWmf(false);
         },
         {"the record names reef.ico but ", "/reef.jpg holds a WMF picture"},
         "no icon directory"},
        {"an EMF named .jpeg",
         [](TInputs& i) {
             i.record = RecordOf("Reef", "reef.jpeg");
             i.logo = gfxtest::LogoEmf();
         },
         {"the record names reef.jpeg but ", "/reef.jpg holds an EMF picture"},
         "JPEG error"},
        {"a damaged JPEG",
         [](TInputs& i) { i.logo.resize(40); },
         {"/reef.jpg: the installer cannot show it as reef.jpg: JPEG error"},
         "JPEG error"},
        {"no picture at all",
         [](TInputs& i) { i.logo = RandomBytes(900, 9); },
         {"/reef.jpg: the installer cannot show it as reef.jpg: JPEG error"},
         "JPEG error"},
        {"the name a/b",
         [](TInputs& i) { i.record = RecordOf("a/b", "reef.jpg"); },
         {"/record: the screensaver name \"a/b\" cannot be used: \"/\" separates folders"},
         "cannot be used as a file name"},
        {"an empty name",
         [](TInputs& i) { i.record = RecordOf("", "reef.jpg"); },
         {"/record: the screensaver name \"\" cannot be used: the name is empty"},
         "cannot be used as a file name"},
        {"the name ..\\evil",
         [](TInputs& i) { i.record = RecordOf("..\\evil", "reef.jpg"); },
         {"/record: the screensaver name \"..\\evil\" cannot be used: \"\\\" separates folders"},
         "cannot be used as a file name"},
        {"the name a:b",
         [](TInputs& i) { i.record = RecordOf("a:b", "reef.jpg"); },
         {"/record: the screensaver name \"a:b\" cannot be used: \":\" is not allowed in Windows "
          "file names"},
         "Cannot create file"},
        {"the name x*y",
         [](TInputs& i) { i.record = RecordOf("x*y", "reef.jpg"); },
         {"\"x*y\" cannot be used: \"*\" is not allowed"},
         "Cannot create file"},
        {"the name CON",
         [](TInputs& i) { i.record = RecordOf("CON", "reef.jpg"); },
         {"\"CON\" cannot be used: CON is a Windows device name"},
         "Cannot create file"},
        {"the name nul.txt",
         [](TInputs& i) { i.record = RecordOf("nul.txt", "reef.jpg"); },
         {"\"nul.txt\" cannot be used: NUL is a Windows device name"},
         "Cannot create file"},
        {"a name ending in a dot",
         [](TInputs& i) { i.record = RecordOf("Reef.", "reef.jpg"); },
         {"\"Reef.\" cannot be used: Windows drops the dot"},
         "Cannot create file"},
        {"the movie as the record",
         [](TInputs& i) { i.recordIsMovie = true; },
         {"/movie: not a project record ("},
         "List index out of bounds"},
        {"a record of one line",
         [](TInputs& i) { i.record = {'R', 'e', 'e', 'f', '\r', '\n'}; },
         {"/record: not a project record (List index out of bounds (1))"},
         "List index out of bounds (1)"},
        {"a program as the stub",
         [](TInputs& i) { i.stub = kBin + "/sspack"; },
         {"--stub " + kBin + "/sspack: not an installer stub"},
         ""},
        {"random bytes as the stub",
         [this](TInputs& i) {
             i.stub = (FSandbox.Root() / "random-stub").string();
             WriteFile(i.stub, RandomBytes(4000, 5));
         },
         {"/random-stub: not an installer stub"},
         ""},
    };

    int row = 0;
    for (const Mistake& mistake : mistakes) {
        SCOPED_TRACE(mistake.what);
        TInputs inputs;
        mistake.make(inputs);
        const fs::path folder = FSandbox.Root() / ("row" + std::to_string(row++));
        const TRun refused = Build(inputs, folder, folder / "setup", false);
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err.rfind("sspack: ", 0), 0u) << refused.err;
        EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
        EXPECT_TRUE(Holds(refused.err, mistake.words)) << refused.err;
        EXPECT_FALSE(fs::exists(folder / "setup"));
        EXPECT_LT(refused.err.size(), 300u) << "one short line, whatever the file holds";

        const TRun forced = Build(inputs, folder, folder / "setup", true);
        EXPECT_EQ(forced.status, 0) << forced.err;
        EXPECT_EQ(forced.err.rfind("sspack: warning: ", 0), 0u) << forced.err;
        EXPECT_TRUE(Holds(forced.err, mistake.words)) << forced.err;
        ASSERT_TRUE(fs::exists(folder / "setup"));
        if (mistake.installer.empty())
            continue;
        const TRun installed = Run({(folder / "setup").string(), "/AUTO"});
        EXPECT_EQ(installed.status, 1) << installed.out << installed.err;
        EXPECT_NE(installed.err.find(mistake.installer), std::string::npos) << installed.err;
    }
    EXPECT_TRUE(fs::is_empty(FSandbox.Windows())) << "no installer built so installed anything";
}

// A problem of each input at once: refused by the first, forced with a
// warning for each, in the order of the inputs.
TEST_F(SspackChecks, ForceWarnsOfEveryProblem) {
    TInputs inputs;
    inputs.stub = kBin + "/demo-screensaver";
    inputs.record = RecordOf("a|b", "logo.gif");
    inputs.logo = Png();
    const fs::path folder = FSandbox.Root() / "all";
    const TRun refused = Build(inputs, folder, folder / "setup", false);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "sspack: --stub " + kBin +
                               "/demo-screensaver: not an installer stub (it carries no stub "
                               "marker with a version)\n");

    const TRun forced = Build(inputs, folder, folder / "setup", true);
    EXPECT_EQ(forced.status, 0);
    const std::string record = (folder / "record").string();
    EXPECT_EQ(forced.err,
              "sspack: warning: --stub " + kBin +
                  "/demo-screensaver: not an installer stub (it carries no stub marker with a "
                  "version)\n"
                  "sspack: warning: " +
                  record +
                  ": the screensaver name \"a|b\" cannot be used: \"|\" is not allowed in Windows "
                  "file names\n"
                  "sspack: warning: " +
                  record +
                  ": the logo name \"logo.gif\" has the extension .gif; the installer shows .bmp, "
                  ".ico, .wmf, .emf, .jpg and .jpeg pictures\n"
                  "sspack: warning: " +
                  (folder / "reef.jpg").string() +
                  " holds a PNG picture, which the installer does not show\n");
}

// The spellings and formats the installer takes alike build without a word,
// and their installers install.
TEST_F(SspackChecks, GoodLogosBuildAndInstall) {
    struct Good {
        std::string logoFile;
        Bytes logo;
    } goods[] = {
        {"C:\\Art\\reef.jpg", ReadFile(std::string(SSI_SOURCE_DIR) + "/examples/demo/logo.jpg")},
        {"reef.JPEG", MakeJpeg(20, 10, clRed)},
        {"C:reef.bmp", Bmp()},
        {"/art/reef.ico", MakeIco({16, 32})},
        {"reef.wmf", gfxtest::LogoWmf(true)},
        {"reef.emf", gfxtest::LogoWmf(false)},
        {"reef.wmf", gfxtest::LogoEmf()},
    };
    int row = 0;
    for (const Good& good : goods) {
        SCOPED_TRACE(good.logoFile);
        TInputs inputs;
        const std::string name = "Reef " + std::to_string(row);
        inputs.record = RecordOf(name, good.logoFile);
        inputs.logo = good.logo;
        const fs::path folder = FSandbox.Root() / ("good" + std::to_string(row++));
        const TRun built = Build(inputs, folder, folder / "setup", false);
        EXPECT_EQ(built.status, 0) << built.err;
        EXPECT_EQ(built.err, "");
        const TRun installed = Run({(folder / "setup").string(), "/AUTO"});
        EXPECT_EQ(installed.status, 0) << installed.out << installed.err;
        EXPECT_TRUE(fs::exists(FSandbox.Windows() / (name + ".scr")));
    }
}

// `record` refuses a name or logo name that `build` would refuse, before
// it writes; with --force it writes the record as given.
TEST_F(SspackChecks, RecordRefusesWhatBuildWouldRefuse) {
    struct Mistake {
        std::vector<std::string> args;
        std::string message;
    } mistakes[] = {
        {{"--name", "a/b", "--logo-file", "x.jpg"},
         "--name: the screensaver name \"a/b\" cannot be used: \"/\" separates folders"},
        {{"--name", "", "--logo-file", "x.jpg"},
         "--name: the screensaver name \"\" cannot be used: the name is empty"},
        {{"--name", "..\\evil", "--logo-file", "x.jpg"},
         "--name: the screensaver name \"..\\evil\" cannot be used: \"\\\" separates folders"},
        {{"--name", "a:b", "--logo-file", "x.jpg"},
         "--name: the screensaver name \"a:b\" cannot be used: \":\" is not allowed in Windows "
         "file names"},
        {{"--name", "x*y", "--logo-file", "x.jpg"},
         "--name: the screensaver name \"x*y\" cannot be used: \"*\" is not allowed in Windows "
         "file names"},
        {{"--name", "CON", "--logo-file", "x.jpg"},
         "--name: the screensaver name \"CON\" cannot be used: CON is a Windows device name"},
        {{"--name", "Tab\there", "--logo-file", "x.jpg"},
         "--name: the screensaver name \"Tab\\x09here\" cannot be used: \\x09 is a control "
         "character"},
        {{"--name", "Reef"},
         "--logo-file: no logo file name; the installer needs one to show "
         "the logo"},
        {{"--name", "Reef", "--logo-file", "art.png"},
         "--logo-file: the logo name \"art.png\" has the extension .png; the installer shows "
         ".bmp, .ico, .wmf, .emf, .jpg and .jpeg pictures"},
        {{"--name", "Reef", "--logo-file", "art.gif"},
         "--logo-file: the logo name \"art.gif\" has the extension .gif; the installer shows "
         ".bmp, .ico, .wmf, .emf, .jpg and .jpeg pictures"},
        {{"--name", "Reef", "--logo-file", "D:\\Art\\"},
         "--logo-file: the logo name \"D:\\Art\\\" has no file name after its folder"},
        {{"--name", "Reef", "--logo-file", std::string(252, 'x') + ".jpg"},
         "--logo-file: the logo name \"" + std::string(252, 'x') +
             ".jpg\" is longer than the 255 bytes a file name may have"},
    };
    const fs::path output = FSandbox.Root() / "record";
    for (const Mistake& mistake : mistakes) {
        std::vector<std::string> args = {kBin + "/sspack", "record"};
        args.insert(args.end(), mistake.args.begin(), mistake.args.end());
        args.insert(args.end(), {"-o", output.string()});
        SCOPED_TRACE(mistake.message);
        const TRun refused = Run(args);
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.err, "sspack: " + mistake.message + "\n");
        EXPECT_FALSE(fs::exists(output));

        args.push_back("--force");
        const TRun forced = Run(args);
        EXPECT_EQ(forced.status, 0);
        EXPECT_EQ(forced.err, "sspack: warning: " + mistake.message + "\n");
        TProject project;
        const Bytes written = ReadFile(output);
        project.ProjectStream.WriteBuffer(written.data(), static_cast<int64_t>(written.size()));
        project.ProjectStream.SetPosition(0);
        project.LoadFromStream();
        EXPECT_EQ(project.ScreensaverName, mistake.args[1]);
        EXPECT_EQ(project.LogoFile, mistake.args.size() > 3 ? mistake.args[3] : "");
        fs::remove(output);
    }
}
