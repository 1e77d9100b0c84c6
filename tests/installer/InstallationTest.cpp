#include "installer/Installation.h"

#include "support/TestPackages.h"
#include "framework/base/SysUtils.h"
#include "package/DecompileStream.h"

#include <gtest/gtest.h>
#include <zlib.h>

using namespace testing_support;

namespace {

// Records what the installation shows, in order.
class TRecordingView : public TInstallationView {
public:
    void SetProgress(int position) override {
        positions.push_back(position);
        events.push_back("progress " + std::to_string(position));
    }
    void ShowCompletionPage() override {
        completed = true;
        events.push_back("completion page");
    }
    void Pause(unsigned milliseconds) override {
        events.push_back("pause " + std::to_string(milliseconds));
    }
    std::vector<int> positions;
    std::vector<std::string> events;
    bool completed = false;
};

TProject ProjectNamed(const std::string& name) {
    TProject project;
    project.ScreensaverName = name;
    return project;
}

std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.what(); // the line as it is shown
    }
    return "<no exception>";
}

Bytes StreamOf(const TDecompileStream& reader, int index, bool force) {
    auto s = reader.GetStream(index, force);
    return Bytes(s->Memory(), s->Memory() + s->Size());
}

class Installation : public ::testing::Test {
protected:
    void SetUp() override {
        FInstaller = FSandbox.Root() / "setup";
        WriteFile(FInstaller, FPayload.Build());
    }
    Sandbox FSandbox;
    Payload FPayload;
    fs::path FInstaller;
};

} // namespace

TEST_F(Installation, WritesTheScreensaverPackageAndRegistersIt) {
    TRecordingView view;
    TProject project;
    ReadInstallerProject(FInstaller, project);
    ASSERT_EQ(project.ScreensaverName, "Tropical Fish");
    RunInstallation(FInstaller, project, view);

    EXPECT_EQ(view.positions,
              std::vector<int>(std::begin(kInstallationProgress), std::end(kInstallationProgress)));
    ASSERT_GE(view.events.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(view.events.end() - 3, view.events.end()),
              (std::vector<std::string>{"progress 100", "pause 300", "completion page"}));

    fs::path scr = FSandbox.Windows() / "Tropical Fish.scr";
    Bytes installed = ReadFile(scr);
    ASSERT_GE(installed.size(), FPayload.runtime.size());
    EXPECT_TRUE(std::equal(FPayload.runtime.begin(), FPayload.runtime.end(), installed.begin()))
        << "the installed file starts with the runtime's image";
    EXPECT_NE(fs::status(scr).permissions() & fs::perms::owner_exec, fs::perms::none);

    TMemoryStream file;
    file.LoadFromFile(scr);
    TDecompileStream reader;
    reader.Decompile(file);
    ASSERT_EQ(reader.Count(), 4);
    EXPECT_EQ(reader.StoredSize(0), reader.OriginalSize(0));
    EXPECT_EQ(StreamOf(reader, 0, false), FPayload.runtime);
    EXPECT_EQ(StreamOf(reader, 1, true), FPayload.movie);
    EXPECT_EQ(StreamOf(reader, 2, true), FPayload.record);
    EXPECT_EQ(StreamOf(reader, 3, true), FPayload.logo);
    for (int i = 1; i < 4; ++i) {
        auto stored = reader.GetStoredStream(i);
        EXPECT_EQ(stored->Memory()[0], 0x78);
        EXPECT_EQ(stored->Memory()[1], 0xDA);
    }

    EXPECT_EQ(ReadText(FSandbox.SystemIni()),
              "[boot]\r\nSCRNSAVE.EXE=" + (FSandbox.Windows().string() + "/Tropical Fish.scr") +
                  "\r\n");
}

// Streams already deflated at level 9 are copied, not deflated again: an
// installer whose streams were made any other way installs the same bytes.
TEST_F(Installation, CopiedStreamsGiveTheSameFileAsDeflatedOnes) {
    TRecordingView view;
    TProject project;
    ReadInstallerProject(FInstaller, project);
    RunInstallation(FInstaller, project, view);
    Bytes fromLevel9 = ReadFile(FSandbox.Windows() / "Tropical Fish.scr");

    // The same payload with its data streams deflated at level 1.
    TCompileStream writer;
    const Bytes* parts[] = {&FPayload.stub, &FPayload.runtime, &FPayload.movie, &FPayload.record,
                            &FPayload.logo};
    for (int i = 0; i < 5; ++i) {
        if (i == 0) {
            TMemoryStream s;
            s.WriteBuffer(parts[i]->data(), static_cast<int64_t>(parts[i]->size()));
            writer.AddStream(s, false);
            continue;
        }
        uLongf size = compressBound(static_cast<uLong>(parts[i]->size()));
        Bytes level1(size);
        ASSERT_EQ(compress2(level1.data(), &size, parts[i]->data(),
                            static_cast<uLong>(parts[i]->size()), 1),
                  Z_OK);
        level1.resize(size);
        TMemoryStream s;
        s.WriteBuffer(level1.data(), static_cast<int64_t>(level1.size()));
        writer.AddStoredStream(s, static_cast<int32_t>(parts[i]->size()));
    }
    TMemoryStream& package = writer.Compile();
    WriteFile(FInstaller, Bytes(package.Memory(), package.Memory() + package.Size()));
    fs::remove(FSandbox.Windows() / "Tropical Fish.scr");
    RunInstallation(FInstaller, project, view);
    EXPECT_EQ(ReadFile(FSandbox.Windows() / "Tropical Fish.scr"), fromLevel9);
}

TEST_F(Installation, ReplacesAnExistingScreensaverAndEntry) {
    WriteFile(FSandbox.Windows() / "Tropical Fish.scr", Bytes(10, 'x'));
    WriteFile(FSandbox.SystemIni(),
              {'[', 'b', 'o', 'o', 't', ']', '\n', 'S', 'C', 'R',  'N', 'S', 'A', 'V',
               'E', '.', 'E', 'X', 'E', '=', 'o',  'l', 'd', '\n', '[', 'x', ']', '\n'});
    TRecordingView view;
    RunInstallation(FInstaller, ProjectNamed("Tropical Fish"), view);
    EXPECT_GT(fs::file_size(FSandbox.Windows() / "Tropical Fish.scr"), FPayload.runtime.size());
    EXPECT_EQ(ReadText(FSandbox.SystemIni()),
              "[boot]\nSCRNSAVE.EXE=" + (FSandbox.Windows().string() + "/Tropical Fish.scr") +
                  "\r\n[x]\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(FSandbox.Windows()), fs::directory_iterator{}),
              2)
        << "no temporary files are left behind";
}

// The name is system text: in Windows-1252 bytes it makes the file whose
// UTF-8 name shows the same letters. system.ini gets the path in its own
// encoding: the bytes as given into a file without a mark, UTF-8 into a UTF-8
// one, UTF-16 into a UTF-16 one.
TEST_F(Installation, ANameInWindows1252BytesIsInstalledUnderItsUtf8Name) {
    const std::string windows = FSandbox.Windows().string() + "/";
    const fs::path utf8 = FSandbox.Windows() / "Caf\xC3\xA9 \xE2\x82\xAC.scr";
    TRecordingView view;
    RunInstallation(FInstaller, ProjectNamed("Caf\xE9 \x80"), view);
    EXPECT_TRUE(fs::exists(utf8));
    EXPECT_EQ(ReadText(FSandbox.SystemIni()),
              "[boot]\r\nSCRNSAVE.EXE=" + windows + "Caf\xE9 \x80.scr\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(FSandbox.Windows()), fs::directory_iterator{}),
              2);

    const std::string mark = "\xEF\xBB\xBF";
    WriteFile(FSandbox.SystemIni(), {0xEF, 0xBB, 0xBF});
    RunInstallation(FInstaller, ProjectNamed("Caf\xE9 \x80"), view);
    EXPECT_EQ(ReadText(FSandbox.SystemIni()),
              mark + "[boot]\r\nSCRNSAVE.EXE=" + utf8.string() + "\r\n");

    WriteFile(FSandbox.SystemIni(), {0xFF, 0xFE});
    RunInstallation(FInstaller, ProjectNamed("Caf\xE9 \x80"), view);
    std::string units;
    for (char c : "[boot]\r\nSCRNSAVE.EXE=" + windows + "Caf")
        units += std::string{c, '\0'};
    units += std::string("\xE9\0 \0\xAC\x20.\0s\0c\0r\0\r\0\n\0", 18);
    EXPECT_EQ(ReadText(FSandbox.SystemIni()), "\xFF\xFE" + units)
        << "a Windows-1252 name into a UTF-16 file";
}

TEST_F(Installation, UnusableNamesAreRefusedBeforeAnythingIsWritten) {
    for (std::string name :
         {std::string(""), std::string("."), std::string(".."), std::string("../evil"),
          std::string("sub/dir"), std::string("C:\\x"), std::string("a\x01"), std::string("tab\t"),
          std::string("nul\0x", 5), std::string("del\x7f")}) {
        TRecordingView view;
        std::string message =
            FailureOf([&] { RunInstallation(FInstaller, ProjectNamed(name), view); });
        EXPECT_NE(message.find("cannot be used as a file name"), std::string::npos) << message;
        EXPECT_TRUE(view.positions.empty());
    }
    EXPECT_TRUE(fs::is_empty(FSandbox.Windows()));
    EXPECT_FALSE(fs::exists(FSandbox.Root() / "evil.scr"));
    EXPECT_EQ(FailureOf([] { CheckScreensaverName("a\x01"); }),
              "The screensaver name \"a\\x01\" cannot be used as a file name");
    CheckScreensaverName("Tropical Fish 2.0 (c) \xe9t\xe9");
}

// Names that are files here but that no Windows program could open fail the
// way creating such a file fails on Windows, naming the file and the reason,
// before anything is written.
TEST_F(Installation, NamesWindowsRefusesCannotBeCreated) {
    const std::string windows = FSandbox.Windows().string() + "/";
    const std::pair<std::string, std::string> cases[] = {
        {"a:b", "\":\" is not allowed in Windows file names"},
        {"x*y", "\"*\" is not allowed in Windows file names"},
        {"Fish?", "\"?\" is not allowed in Windows file names"},
        {"Fish.", "Windows drops the dot at the end of a name"},
        {"Fish ", "Windows drops the blank at the end of a name"},
        {"  ", "the name is only blanks"},
        {"CON", "CON is a Windows device name"},
        {"con.txt", "CON is a Windows device name"},
        {"Nul.scr", "NUL is a Windows device name"},
        {"lpt9", "LPT9 is a Windows device name"},
    };
    for (const auto& [name, reason] : cases) {
        TRecordingView view;
        const std::string project = name; // a lambda cannot capture a structured binding
        EXPECT_EQ(FailureOf([&] { RunInstallation(FInstaller, ProjectNamed(project), view); }),
                  "Cannot create file " + windows + name + ".scr: " + reason);
        EXPECT_TRUE(view.positions.empty()) << name;
    }
    EXPECT_TRUE(fs::is_empty(FSandbox.Windows()));
    for (const char* usable : {"CONSOLE", "COM10", "my con.txt", ".hidden", "a.b"})
        EXPECT_EQ(FailureOf([&] { CheckScreensaverName(usable); }), "<no exception>") << usable;
}

TEST_F(Installation, DamagedInstallersLeaveTheOldScreensaverAlone) {
    fs::path scr = FSandbox.Windows() / "Tropical Fish.scr";
    const Bytes old(100, 'o');

    Bytes damaged = FPayload.Build();
    size_t logoStart = damaged.size() - 4 - 8 * 5 - 20; // inside the logo's zlib stream
    damaged[logoStart] ^= 0x55;
    damaged[logoStart + 1] ^= 0x55;
    Payload fourStreams;
    TCompileStream writer;
    for (int i = 0; i < 4; ++i) {
        TMemoryStream s;
        s.WriteBuffer("x", 1);
        writer.AddStream(s, true);
    }
    TMemoryStream& four = writer.Compile();

    struct Case {
        const char* what;
        Bytes file;
        std::string message;
    } cases[] = {
        {"corrupt logo stream", damaged, "error"},
        {"four streams only", Bytes(four.Memory(), four.Memory() + four.Size()),
         "incomplete: it holds 4 of 5 streams"},
        {"no package at all", Bytes(100, 'z'), "Stream read error"},
    };
    for (const Case& c : cases) {
        WriteFile(scr, old);
        WriteFile(FInstaller, c.file);
        TRecordingView view;
        std::string message =
            FailureOf([&] { RunInstallation(FInstaller, ProjectNamed("Tropical Fish"), view); });
        EXPECT_NE(message, "<no exception>") << c.what;
        EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
        EXPECT_EQ(ReadFile(scr), old) << c.what;
        EXPECT_FALSE(fs::exists(FSandbox.SystemIni())) << c.what;
        EXPECT_FALSE(view.completed);
    }
}

TEST_F(Installation, FailuresStopAtTheirStep) {
    TRecordingView missing;
    EXPECT_EQ(
        FailureOf([&] { RunInstallation(FSandbox.Root() / "nope", ProjectNamed("X"), missing); }),
        "Cannot open file " + (FSandbox.Root() / "nope").string() + ": No such file or directory");
    EXPECT_EQ(missing.positions, (std::vector<int>{0, 10}));

    // The Windows directory is gone: the file cannot be created.
    fs::remove_all(FSandbox.Windows());
    TRecordingView noDir;
    EXPECT_EQ(FailureOf([&] { RunInstallation(FInstaller, ProjectNamed("X"), noDir); }),
              "Cannot create file " + FSandbox.Windows().string() +
                  "/X.scr: No such file or directory");
    EXPECT_EQ(noDir.positions.back(), 90);

    // system.ini cannot be written: the screensaver file stays, unregistered.
    fs::create_directories(FSandbox.SystemIni());
    TRecordingView noIni;
    EXPECT_EQ(FailureOf([&] { RunInstallation(FInstaller, ProjectNamed("X"), noIni); }),
              "Unable to write to " + FSandbox.Windows().string() + "/system.ini: Is a directory");
    EXPECT_EQ(noIni.positions.back(), 100);
    EXPECT_FALSE(noIni.completed);
    EXPECT_TRUE(fs::exists(FSandbox.Windows() / "X.scr"));
}
