// Runs ssinstall, sspack and an installed screensaver as processes, the way a
// user or an authoring tool does, and checks what they write and say.

#include "support/TestPackages.h"
#include "package/DecompileStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <cerrno>
#include <cstdio>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

using namespace testing_support;

namespace {

const std::string kBin = SSI_BIN_DIR;

struct Result {
    int status;
    std::string out; // standard output and standard error together
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs a shell command without a display, as on a console: an installer
// started on a desktop would otherwise open its wizard and wait there.
Result Shell(const std::string& command) {
    Result result{-1, ""};
    FILE* pipe =
        popen(("unset DISPLAY WAYLAND_DISPLAY SSI_BACKEND; " + command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), n);
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// Runs a program with standard output and error on a terminal of its own and
// returns what it wrote there.
Result OnTerminal(const std::vector<std::string>& args) {
    Result result{-1, ""};
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int terminal = -1;
    pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid < 0)
        return result;
    if (pid == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    char buffer[4096];
    ssize_t n;
    // Reading ends with EIO once the program has gone and the terminal closed.
    while ((n = read(terminal, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            result.out.append(buffer, static_cast<size_t>(n));
    close(terminal);
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// The last line of a program's output, with its line end.
std::string LastLine(const std::string& text) {
    const size_t end = text.size() > 1 ? text.rfind('\n', text.size() - 2) : std::string::npos;
    return end == std::string::npos ? text : text.substr(end + 1);
}

// One level-9 zlib stream made with zlib directly, not with the project's writer.
Bytes Deflate(const Bytes& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes out(size);
    EXPECT_EQ(compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), 9), Z_OK);
    out.resize(size);
    return out;
}

class Programs : public ::testing::Test {
protected:
    // An installer made the way any authoring program could: the ssinstall
    // binary, then four level-9 zlib streams, the size table and the count.
    fs::path MakeInstaller(const Bytes& record) {
        Bytes stub = ReadFile(kBin + "/ssinstall");
        Bytes file = stub;
        std::vector<std::pair<uint32_t, uint32_t>> table = {
            {uint32_t(stub.size()), uint32_t(stub.size())}};
        for (const Bytes* content :
             std::vector<const Bytes*>{&FRuntime, &FMovie, &record, &FLogo}) {
            Bytes z = Deflate(*content);
            file.insert(file.end(), z.begin(), z.end());
            table.push_back({uint32_t(content->size()), uint32_t(z.size())});
        }
        file = ForgePackage(file, table, 5);
        fs::path path = FSandbox.Root() / "setup";
        WriteFile(path, file);
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    Result Install(const fs::path& installer, const std::string& args) {
        return Shell("WINDIR=" + Quote(FSandbox.Windows()) + " " + Quote(installer) + " " + args);
    }

    Sandbox FSandbox;
    Bytes FRuntime = ReadFile(kBin + "/demo-screensaver");
    Bytes FMovie = RandomBytes(200000, 7);
    // A real picture: the wizard shows it before it installs.
    Bytes FLogo = ReadFile(std::string(SSI_SOURCE_DIR) + "/examples/demo/logo.jpg");
};

} // namespace

TEST_F(Programs, AutoInstallsAnInstallerThatAnyToolCouldHaveBuilt) {
    fs::path installer = MakeInstaller(RecordBytes("Tropical Fish", true));
    Result r = Install(installer, "/AUTO");
    ASSERT_EQ(r.status, 0) << r.out;
    fs::path scr = FSandbox.Windows() / "Tropical Fish.scr";
    EXPECT_NE(r.out.find("Installed " + scr.string()), std::string::npos) << r.out;

    TMemoryStream file;
    file.LoadFromFile(scr);
    TDecompileStream reader;
    reader.Decompile(file);
    ASSERT_EQ(reader.Count(), 4);
    auto bytes = [&](int i, bool force) {
        auto s = reader.GetStream(i, force);
        return Bytes(s->Memory(), s->Memory() + s->Size());
    };
    EXPECT_EQ(bytes(0, false), FRuntime);
    EXPECT_EQ(bytes(1, true), FMovie);
    EXPECT_EQ(bytes(2, true), RecordBytes("Tropical Fish", true));
    EXPECT_EQ(bytes(3, true), FLogo);
    EXPECT_EQ(ReadText(FSandbox.SystemIni()), "[boot]\r\nSCRNSAVE.EXE=" + scr.string() + "\r\n");

    // The installed file is a program of its own: the runtime reads its package.
    Result run = Shell(Quote(scr));
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("Screensaver: Tropical Fish"), std::string::npos) << run.out;
}

TEST_F(Programs, OnlyTheFirstArgumentInAnyCaseSwitchesToAutomatic) {
    fs::path installer = MakeInstaller(RecordBytes("Fish", true));
    fs::path scr = FSandbox.Windows() / "Fish.scr";
    for (const char* args : {"", "-AUTO", "/AUTOX", "AUTO", "/AUT", "other /AUTO"}) {
        Result r = Install(installer, args);
        EXPECT_EQ(r.status, 0) << args << r.out;
        EXPECT_NE(r.out.find("Run with /AUTO"), std::string::npos) << args;
        EXPECT_NE(r.out.find("Licence:   shown"), std::string::npos) << args;
        EXPECT_FALSE(fs::exists(scr)) << args;
    }
    for (const char* args : {"/auto", "/Auto extra words"}) {
        fs::remove(scr);
        Result r = Install(installer, args);
        EXPECT_EQ(r.status, 0) << args << r.out;
        EXPECT_TRUE(fs::exists(scr)) << args;
    }
}

TEST_F(Programs, FailuresGoToStandardErrorUnderTheTitle) {
    Result plain = Install(kBin + "/ssinstall", "/AUTO");
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(plain.out.rfind("Screensaver Installar: The package in ", 0), 0u) << plain.out;

    fs::path installer = MakeInstaller(RecordBytes("../escape"));
    Result bad = Install(installer, "/AUTO");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(
        bad.out.find("Screensaver Installar: The screensaver name \"../escape\" cannot be used"),
        std::string::npos)
        << bad.out;
    EXPECT_FALSE(fs::exists(FSandbox.Root() / "escape.scr"));
}

TEST_F(Programs, SspackBuildsListsAndExtracts) {
    fs::path dir = FSandbox.Root();
    WriteFile(dir / "licence.txt", {'O', 'n', 'e', '\n', '\n', 'T', 'w', 'o', '\n'});
    WriteFile(dir / "movie", FMovie);
    WriteFile(dir / "logo.jpg", FLogo);
    std::string sspack = Quote(kBin + "/sspack");

    Result record = Shell(
        sspack + " record --name 'Deep Sea' --logo-file 'C:\\x\\logo.jpg' --homepage http://h/ " +
        "--copyright '(c) me' --license " + Quote(dir / "licence.txt") + " --show-license -o " +
        Quote(dir / "record"));
    ASSERT_EQ(record.status, 0) << record.out;
    EXPECT_EQ(ReadText(dir / "record"),
              "Deep Sea\r\nC:\\x\\logo.jpg\r\n\r\nhttp://h/\r\n\r\n(c) me\r\n0\r\nNO\r\nYES\r\n"
              "NO\r\n3\r\nOne\r\n\r\nTwo\r\n0\r\n\r\n\r\n\r\n\r\nNO\r\n");

    Result build = Shell(sspack + " build --stub " + Quote(kBin + "/ssinstall") + " --runtime " +
                         Quote(kBin + "/demo-screensaver") + " --movie " + Quote(dir / "movie") +
                         " --record " + Quote(dir / "record") + " --logo " +
                         Quote(dir / "logo.jpg") + " -o " + Quote(dir / "setup"));
    ASSERT_EQ(build.status, 0) << build.out;
    EXPECT_NE(fs::status(dir / "setup").permissions() & fs::perms::owner_exec, fs::perms::none);

    Result list = Shell(sspack + " list " + Quote(dir / "setup"));
    ASSERT_EQ(list.status, 0);
    EXPECT_EQ(list.out.rfind("0 " + std::to_string(fs::file_size(kBin + "/ssinstall")), 0), 0u)
        << list.out;
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 6);
    EXPECT_EQ(LastLine(list.out), "stub version " SSI_VERSION "\n") << list.out;

    ASSERT_EQ(
        Shell(sspack + " extract " + Quote(dir / "setup") + " 2 -o " + Quote(dir / "movie.out"))
            .status,
        0);
    EXPECT_EQ(ReadFile(dir / "movie.out"), FMovie);
    ASSERT_EQ(
        Shell(sspack + " extract " + Quote(dir / "setup") + " 0 -o " + Quote(dir / "stub.out"))
            .status,
        0);
    EXPECT_EQ(ReadFile(dir / "stub.out"), ReadFile(kBin + "/ssinstall"));
    ASSERT_EQ(
        Shell(sspack + " extract " + Quote(dir / "setup") + " 4 --raw -o " + Quote(dir / "logo.z"))
            .status,
        0);
    Bytes raw = ReadFile(dir / "logo.z");
    ASSERT_GE(raw.size(), 2u);
    EXPECT_EQ(raw[0], 0x78);
    EXPECT_EQ(raw[1], 0xDA);

    Result installed = Install(dir / "setup", "/AUTO");
    EXPECT_EQ(installed.status, 0) << installed.out;
    EXPECT_TRUE(fs::exists(FSandbox.Windows() / "Deep Sea.scr"));
    // The installed file is a package too, led by the runtime: no stub.
    Result scr = Shell(sspack + " list " + Quote(FSandbox.Windows() / "Deep Sea.scr"));
    EXPECT_EQ(scr.status, 0);
    EXPECT_EQ(std::count(scr.out.begin(), scr.out.end(), '\n'), 5);
    EXPECT_EQ(LastLine(scr.out), "the stub carries no version\n") << scr.out;
}

TEST_F(Programs, ToolsPrintTheirVersion) {
    for (const char* tool : {"sspack", "skinpack", "form-preview"}) {
        Result r = Shell(Quote(kBin + "/" + tool) + " --version");
        EXPECT_EQ(r.status, 0) << tool;
        EXPECT_EQ(r.out, std::string(tool) + " " SSI_VERSION "\n");
    }
}

TEST_F(Programs, SspackExitCodes) {
    std::string sspack = Quote(kBin + "/sspack");
    EXPECT_EQ(Shell(sspack + " --help").status, 0);
    for (const char* usage :
         {"", " frobnicate", " record -o x", " record --name", " list",
          " extract f notanumber -o x", " build --stub a -o b", " list a --bogus"})
        EXPECT_EQ(Shell(sspack + usage).status, 2) << usage;

    fs::path dir = FSandbox.Root();
    Result missing = Shell(sspack + " list " + Quote(dir / "missing"));
    EXPECT_EQ(missing.status, 1);
    WriteFile(dir / "junk", {1, 2});
    EXPECT_EQ(Shell(sspack + " list " + Quote(dir / "junk")).status, 1);
    EXPECT_EQ(
        Shell(sspack + " record --name \"$(printf 'two\\nlines')\" -o " + Quote(dir / "r")).status,
        1);
    EXPECT_FALSE(fs::exists(dir / "r"));
    WriteFile(dir / "empty", {0, 0, 0, 0});
    EXPECT_EQ(
        Shell(sspack + " extract " + Quote(dir / "empty") + " 0 -o " + Quote(dir / "x")).status, 1);
}

// A failure says which file it is about and why, in one line, with the
// system's own message (and the operating system's) kept inside.
TEST_F(Programs, SspackFailuresNameTheFileAndTheReason) {
    std::string sspack = Quote(kBin + "/sspack");
    const fs::path dir = FSandbox.Root();
    const std::string d = dir.string();
    std::string text = "root:x:0:0:root:/root:/bin/bash\n";
    WriteFile(dir / "passwd", Bytes(text.begin(), text.end()));
    WriteFile(dir / "short", {1, 2});
    WriteFile(dir / "movie", FMovie);
    // A table that promises more than the file holds.
    WriteFile(dir / "damaged", ForgePackage({'a', 'b', 'c'}, {{3, 3}, {40, 90}}, 2));
    // A stream whose bytes are no zlib data.
    WriteFile(dir / "garbled", ForgePackage({'a', 'b', 'c', 'd'}, {{9, 4}}, 1));

    struct Case {
        std::string args, message;
    } cases[] = {
        {" list " + d + "/passwd",
         d + "/passwd: not a package: its stream table (174617441 entries of 8 bytes, by the count "
             "in its last four bytes) does not fit in its 32 bytes (Stream read error)"},
        {" list " + d + "/short",
         d + "/short: not a package: it is 2 bytes long, too short for the stream count that ends "
             "a package (Stream read error)"},
        {" list " + d + "/missing",
         "Cannot open file " + d + "/missing: No such file or directory"},
        {" list " + d, "Cannot open file " + d + ": Is a directory"},
        {" extract " + d + "/damaged 1 -o " + d + "/out",
         d + "/damaged: stream 1 (bytes 3 to 93) runs past the end of the file (23 bytes) (Stream "
             "read error)"},
        {" extract " + d + "/garbled 0 -o " + d + "/out",
         d + "/garbled: stream 0 does not inflate: incorrect header check (error)"},
        {" build --stub " + kBin + "/ssinstall --runtime " + d + "/none --movie " + d +
             "/movie --record " + d + "/movie --logo " + d + "/movie -o " + d + "/setup",
         "--runtime Cannot open file " + d + "/none: No such file or directory"},
        {" record --name x --logo-file x.bmp -o " + d + "/no/such/folder/record",
         "Cannot create file " + d + "/no/such/folder/record: No such file or directory"},
        {" record --name x --logo-file x.bmp --license " + d + " -o " + d + "/record",
         "Cannot open file " + d + ": Is a directory"},
    };
    for (const Case& c : cases) {
        Result r = Shell(sspack + c.args);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_EQ(r.out, "sspack: " + c.message + "\n") << c.args;
    }
    EXPECT_FALSE(fs::exists(dir / "setup"));
    EXPECT_FALSE(fs::exists(dir / "out"));
}

// Without --stub, sspack takes the stub beside it in the build tree (the
// installed layout is the install test's); --stub still wins, and a sspack
// that finds none says where it looked.
TEST_F(Programs, SspackBuildFindsItsStub) {
    const fs::path dir = FSandbox.Root();
    WriteFile(dir / "movie", FMovie);
    WriteFile(dir / "record", RecordBytes("Found"));
    WriteFile(dir / "logo", FLogo);
    // Any program with the stub's marker is taken for a stub.
    Bytes otherStub = RandomBytes(500, 3);
    const std::string marker("SSINSTALL-STUB 9.9.1", 21);
    otherStub.insert(otherStub.end(), marker.begin(), marker.end());
    WriteFile(dir / "other-stub", otherStub);
    const std::string inputs = " --runtime " + Quote(kBin + "/demo-screensaver") + " --movie " +
                               Quote(dir / "movie") + " --record " + Quote(dir / "record") +
                               " --logo " + Quote(dir / "logo");

    Result found = Shell(Quote(kBin + "/sspack") + " build" + inputs + " -o " + Quote(dir / "a"));
    ASSERT_EQ(found.status, 0) << found.out;
    EXPECT_EQ(found.out, "") << "no progress line off a terminal";
    TMemoryStream file;
    file.LoadFromFile(dir / "a");
    TDecompileStream reader;
    reader.Decompile(file);
    auto stub = reader.GetStoredStream(0);
    EXPECT_EQ(Bytes(stub->Memory(), stub->Memory() + stub->Size()), ReadFile(kBin + "/ssinstall"));
    Result installed = Install(dir / "a", "/AUTO");
    EXPECT_EQ(installed.status, 0) << installed.out;

    Result given = Shell(Quote(kBin + "/sspack") + " build --stub " + Quote(dir / "other-stub") +
                         inputs + " -o " + Quote(dir / "b"));
    ASSERT_EQ(given.status, 0) << given.out;
    Bytes b = ReadFile(dir / "b");
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 521), otherStub);
    Result list = Shell(Quote(kBin + "/sspack") + " list " + Quote(dir / "b"));
    EXPECT_EQ(LastLine(list.out), "stub version 9.9.1\n") << list.out;

    // A sspack on its own: neither the installed place nor its folder holds a stub.
    fs::create_directories(dir / "alone");
    fs::copy_file(kBin + "/sspack", dir / "alone" / "sspack");
    Result none =
        Shell(Quote(dir / "alone" / "sspack") + " build" + inputs + " -o " + Quote(dir / "c"));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out.rfind("sspack: No installer stub found (looked for ", 0), 0u) << none.out;
    EXPECT_NE(none.out.find("libexec/screensaver-installer/ssinstall and " +
                            (dir / "alone" / "ssinstall").string() + "); give one with --stub"),
              std::string::npos)
        << none.out;
    EXPECT_FALSE(fs::exists(dir / "c"));
}

// On a terminal `build` rewrites one progress line on standard error and
// ends it; --quiet keeps it silent.
TEST_F(Programs, SspackBuildShowsProgressOnATerminal) {
    const fs::path dir = FSandbox.Root();
    WriteFile(dir / "movie", RandomBytes(3 << 20, 4));
    WriteFile(dir / "record", RecordBytes("Progress"));
    WriteFile(dir / "logo", FLogo);
    std::vector<std::string> args = {kBin + "/sspack",
                                     "build",
                                     "--runtime",
                                     kBin + "/demo-screensaver",
                                     "--movie",
                                     (dir / "movie").string(),
                                     "--record",
                                     (dir / "record").string(),
                                     "--logo",
                                     (dir / "logo").string(),
                                     "-o",
                                     (dir / "setup").string()};

    Result shown = OnTerminal(args);
    ASSERT_EQ(shown.status, 0) << shown.out;
    const std::string line = "\rsspack: building " + (dir / "setup").string() + ": ";
    EXPECT_EQ(shown.out.rfind(line + "  0%", 0), 0u) << shown.out;
    const std::string last = line + "100%\r\n"; // the terminal turns \n into \r\n
    ASSERT_GE(shown.out.size(), last.size());
    EXPECT_EQ(shown.out.substr(shown.out.size() - last.size()), last) << shown.out;
    EXPECT_EQ(std::count(shown.out.begin(), shown.out.end(), '\n'), 1);
    // Every rewrite is the same line with a larger share, some between the ends.
    std::vector<int> shares;
    for (size_t at = shown.out.find(line); at != std::string::npos;
         at = shown.out.find(line, at + 1))
        shares.push_back(std::stoi(shown.out.substr(at + line.size(), 3)));
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end())) << shown.out;
    EXPECT_EQ(std::adjacent_find(shares.begin(), shares.end()), shares.end()) << shown.out;
    EXPECT_GE(shares.size(), 4u) << shown.out;
    fs::remove(dir / "setup");

    args.push_back("--quiet");
    Result quiet = OnTerminal(args);
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out, "");
    EXPECT_TRUE(fs::exists(dir / "setup"));
}

// Text from a package cannot drive the terminal: a record's control
// characters, in the description and in errors that quote it, come out
// escaped.
TEST_F(Programs, PackageTextReachesTheTerminalEscaped) {
    fs::path installer = MakeInstaller(RecordBytes("Fish\x1b[2J"));
    Result described = Install(installer, "");
    EXPECT_EQ(described.status, 0) << described.out;
    EXPECT_NE(described.out.find("Fish\\x1B[2J"), std::string::npos) << described.out;
    EXPECT_EQ(described.out.find('\x1b'), std::string::npos);

    Bytes record = RecordBytes("Fish");
    std::string text(record.begin(), record.end());
    text.replace(text.find("\r\n0\r\n"), 5, "\r\n1\x1b[2J\r\n");
    installer = MakeInstaller(Bytes(text.begin(), text.end()));
    Result failed = Install(installer, "/AUTO");
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.out.find("'1\\x1B[2J' is not a valid integer value"), std::string::npos)
        << failed.out;
    EXPECT_EQ(failed.out.find('\x1b'), std::string::npos);
}

// Texts are UTF-8; Windows-1252 bytes are still taken, as the installer reads
// them, with one warning per text naming the option, or the file and line.
TEST_F(Programs, SspackTakesWindows1252TextWithAWarning) {
    const fs::path dir = FSandbox.Root();
    const std::string sspack = Quote(kBin + "/sspack");
    const std::string licence = "One\r\nCaf\xC3\xA9\r\nCaf\xE9\r\n\x80 again\r\n";
    WriteFile(dir / "licence.txt", Bytes(licence.begin(), licence.end()));
    WriteFile(dir / "movie", FMovie);
    WriteFile(dir / "logo.jpg", FLogo);
    const std::string warning = ": not UTF-8; read as Windows-1252\n";

    Result record =
        Shell(sspack + " record --name " + Quote("Caf\xE9") + " --logo-file logo.jpg --homepage " +
              Quote("http://caf\xE9/") + " --copyright " + Quote("\xC2\xA9 Caf\xC3\xA9") +
              " --license " + Quote(dir / "licence.txt") + " -o " + Quote(dir / "record"));
    ASSERT_EQ(record.status, 0) << record.out;
    EXPECT_EQ(record.out, "sspack: warning: --name" + warning + "sspack: warning: --homepage" +
                              warning + "sspack: warning: " + (dir / "licence.txt").string() +
                              ":3" + warning);
    const std::string text = ReadText(dir / "record");
    EXPECT_EQ(text.rfind("Caf\xE9\r\nlogo.jpg\r\n\r\nhttp://caf\xE9/\r\n", 0), 0u)
        << "the texts are kept as they were given";
    EXPECT_NE(text.find("\r\n4\r\nOne\r\nCaf\xC3\xA9\r\nCaf\xE9\r\n\x80 again\r\n"),
              std::string::npos);

    const std::string inputs = " --stub " + Quote(kBin + "/ssinstall") + " --runtime " +
                               Quote(kBin + "/demo-screensaver") + " --movie " +
                               Quote(dir / "movie") + " --logo " + Quote(dir / "logo.jpg");
    Result build = Shell(sspack + " build" + inputs + " --record " + Quote(dir / "record") +
                         " -o " + Quote(dir / "setup"));
    ASSERT_EQ(build.status, 0) << build.out;
    const std::string recordPath = (dir / "record").string();
    EXPECT_EQ(build.out, "sspack: warning: " + recordPath + ":1" + warning +
                             "sspack: warning: " + recordPath + ":4" + warning +
                             "sspack: warning: " + recordPath + ":14" + warning)
        << "the name, the homepage and the licence's first line that is no UTF-8";

    // A record that does not read as one, built all the same, is looked at
    // line by line.
    WriteFile(dir / "broken", {0xE9, '\r', '\n', 'x', '\r', '\n', 0x80});
    Result broken = Shell(sspack + " build" + inputs + " --record " + Quote(dir / "broken") +
                          " -o " + Quote(dir / "broken-setup") + " --force");
    EXPECT_EQ(broken.status, 0) << broken.out;
    EXPECT_EQ(broken.out, "sspack: warning: " + (dir / "broken").string() +
                              ": not a project record (List index out of bounds (3))\n" +
                              "sspack: warning: " + (dir / "broken").string() + ":1" + warning +
                              "sspack: warning: " + (dir / "broken").string() + ":3" + warning);

    // The installer reads the name as Windows-1252: the file it installs
    // has the UTF-8 name, the console shows it in UTF-8, and system.ini
    // (without a byte-order mark) gets the bytes of the record.
    Result installed = Install(dir / "setup", "/AUTO");
    ASSERT_EQ(installed.status, 0) << installed.out;
    const fs::path scr = FSandbox.Windows() / "Caf\xC3\xA9.scr";
    EXPECT_TRUE(fs::exists(scr));
    EXPECT_NE(installed.out.find("Installed " + scr.string() + "\n"), std::string::npos)
        << installed.out;
    EXPECT_EQ(ReadText(FSandbox.SystemIni()),
              "[boot]\r\nSCRNSAVE.EXE=" + FSandbox.Windows().string() + "/Caf\xE9.scr\r\n");

    // UTF-8 texts are taken without a word.
    Result quiet = Shell(sspack + " record --name " + Quote("Caf\xC3\xA9") +
                         " --logo-file logo.jpg --copyright " +
                         Quote("\xC2\xA9") + " -o " + Quote(dir / "utf8-record"));
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out, "");
    Result quietBuild = Shell(sspack + " build" + inputs + " --record " +
                              Quote(dir / "utf8-record") + " -o " + Quote(dir / "utf8-setup"));
    EXPECT_EQ(quietBuild.status, 0);
    EXPECT_EQ(quietBuild.out, "");
}

namespace {

// Whether a mount namespace of our own can be had here (to give the
// installer a full or read-only file system without touching the machine's).
bool CanMountPrivately() {
    static const bool can =
        Shell("unshare --map-root-user --mount sh -c 'mount -t tmpfs tmpfs /mnt' 2>/dev/null")
            .status == 0;
    return can;
}

} // namespace

// What the end user reads when an installation fails: the system's own text
// first, then the operating system's reason, or for a damaged installer
// which stream failed which check. A missing TMPDIR is no failure at all.
TEST_F(Programs, EndUserFailuresSayWhy) {
    const fs::path installer = MakeInstaller(RecordBytes("Tropical Fish"));
    const std::string windows = FSandbox.Windows().string();
    const std::string scr = windows + "/Tropical Fish.scr";
    const std::string title = "Screensaver Installar: ";
    auto installIn = [&](const std::string& prepare, const std::string& environment = "") {
        return Shell(environment + " WINDIR=" + Quote(windows) + " " + prepare + Quote(installer.string()) +
                     " /AUTO");
    };
    // On a file system of its own: `options` for the tmpfs mounted on the
    // Windows directory, then `after` run in it.
    auto mounted = [&](const std::string& options, const std::string& after = "true") {
        return Shell("WINDIR=" + Quote(windows) + " unshare --map-root-user --mount sh -c " +
                     Quote("mount -t tmpfs -o " + options + " tmpfs " + Quote(windows) + " && " +
                           after + " && exec " + Quote(installer.string()) + " /AUTO"));
    };

    struct TCase {
        std::string What;
        std::function<Result()> Run;
        std::string Line; // the failure line, or "" for an installation
    };
    std::vector<TCase> cases = {
        {"missing Windows directory",
         [&] {
             return Shell("WINDIR=" + Quote(windows + "/missing") + " " + Quote(installer.string()) +
                          " /AUTO");
         },
         "Cannot create file " + windows + "/missing/Tropical Fish.scr: No such file or directory"},
        {"system.ini is a folder",
         [&] {
             fs::create_directories(FSandbox.SystemIni());
             Result r = installIn("");
             fs::remove(FSandbox.SystemIni());
             return r;
         },
         "Unable to write to " + windows + "/system.ini: Is a directory"},
        {"missing TMPDIR", [&] { return installIn("", "TMPDIR=/nonexistent/tmp"); }, ""},
    };
    if (CanMountPrivately()) {
        cases.push_back({"full disk", [&] { return mounted("size=256k"); },
                         "Cannot write to " + scr + ": No space left on device"});
        cases.push_back({"read-only file system",
                         [&] { return mounted("ro"); },
                         "Cannot create file " + scr + ": Read-only file system"});
    } else {
        // Where no file system can be mounted, a size-limited file stands in.
        cases.push_back({"file size limit", [&] { return installIn("trap '' XFSZ; ulimit -f 256; "); },
                         "Cannot write to " + scr + ": File too large"});
    }
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        fs::remove(scr);
        const Result r = c.Run();
        if (c.Line.empty()) {
            EXPECT_EQ(r.status, 0) << r.out;
            EXPECT_TRUE(fs::exists(scr));
            continue;
        }
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.out.find(title + c.Line + "\n"), std::string::npos) << r.out;
    }

    // Four bytes damaged in the movie data's stream: which stream, which
    // check, and what the end user can make of it.
    Bytes damaged = ReadFile(installer);
    const size_t movie = ReadFile(kBin + "/ssinstall").size() + Deflate(FRuntime).size() + 1000;
    for (size_t i = 0; i < 4; ++i)
        damaged[movie + i] ^= 0x5A;
    WriteFile(installer, damaged);
    const Result r = installIn("");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("stream 2 "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" (the installer file is damaged or incomplete)\n"), std::string::npos)
        << r.out;
    EXPECT_FALSE(fs::exists(scr));

    // Cut short at the end (the program itself intact): the stream table
    // is no longer where its count says.
    damaged.resize(damaged.size() - 10);
    WriteFile(installer, damaged);
    const Result cut = installIn("");
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.out.rfind(title + "Stream read error: ", 0), 0u) << cut.out;
    EXPECT_NE(cut.out.find("(the installer file is damaged or incomplete)"), std::string::npos);
}
