#include "installer/Installation.h"

#include "TestPackages.h"
#include "framework/base/SysUtils.h"
#include "package/DecompileStream.h"

#include <gtest/gtest.h>

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
        return e.Message();
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
        installer_ = sandbox_.Root() / "setup";
        WriteFile(installer_, payload_.Build());
    }
    Sandbox sandbox_;
    Payload payload_;
    fs::path installer_;
};

} // namespace

TEST_F(Installation, WritesTheScreensaverPackageAndRegistersIt) {
    TRecordingView view;
    TProject project;
    ReadInstallerProject(installer_, project);
    ASSERT_EQ(project.ScreensaverName, "Tropical Fish");
    RunInstallation(installer_, project, view);

    EXPECT_EQ(view.positions,
              std::vector<int>(std::begin(kInstallationProgress), std::end(kInstallationProgress)));
    ASSERT_GE(view.events.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(view.events.end() - 3, view.events.end()),
              (std::vector<std::string>{"progress 100", "pause 300", "completion page"}));

    fs::path scr = sandbox_.Windows() / "Tropical Fish.scr";
    Bytes installed = ReadFile(scr);
    ASSERT_GE(installed.size(), payload_.runtime.size());
    EXPECT_TRUE(std::equal(payload_.runtime.begin(), payload_.runtime.end(), installed.begin()))
        << "the installed file starts with the runtime's image";
    EXPECT_NE(fs::status(scr).permissions() & fs::perms::owner_exec, fs::perms::none);

    TMemoryStream file;
    file.LoadFromFile(scr);
    TDecompileStream reader;
    reader.Decompile(file);
    ASSERT_EQ(reader.Count(), 4);
    EXPECT_EQ(reader.StoredSize(0), reader.OriginalSize(0));
    EXPECT_EQ(StreamOf(reader, 0, false), payload_.runtime);
    EXPECT_EQ(StreamOf(reader, 1, true), payload_.movie);
    EXPECT_EQ(StreamOf(reader, 2, true), payload_.record);
    EXPECT_EQ(StreamOf(reader, 3, true), payload_.logo);
    for (int i = 1; i < 4; ++i) {
        auto stored = reader.GetStoredStream(i);
        EXPECT_EQ(stored->Memory()[0], 0x78);
        EXPECT_EQ(stored->Memory()[1], 0xDA);
    }

    EXPECT_EQ(ReadText(sandbox_.SystemIni()),
              "[boot]\r\nSCRNSAVE.EXE=" + (sandbox_.Windows().string() + "/Tropical Fish.scr") +
                  "\r\n");
}

TEST_F(Installation, ReplacesAnExistingScreensaverAndEntry) {
    WriteFile(sandbox_.Windows() / "Tropical Fish.scr", Bytes(10, 'x'));
    WriteFile(sandbox_.SystemIni(),
              {'[', 'b', 'o', 'o', 't', ']', '\n', 'S', 'C', 'R',  'N', 'S', 'A', 'V',
               'E', '.', 'E', 'X', 'E', '=', 'o',  'l', 'd', '\n', '[', 'x', ']', '\n'});
    TRecordingView view;
    RunInstallation(installer_, ProjectNamed("Tropical Fish"), view);
    EXPECT_GT(fs::file_size(sandbox_.Windows() / "Tropical Fish.scr"), payload_.runtime.size());
    EXPECT_EQ(ReadText(sandbox_.SystemIni()),
              "[boot]\nSCRNSAVE.EXE=" + (sandbox_.Windows().string() + "/Tropical Fish.scr") +
                  "\r\n[x]\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(sandbox_.Windows()), fs::directory_iterator{}),
              2)
        << "no temporary files are left behind";
}

TEST_F(Installation, UnusableNamesAreRefusedBeforeAnythingIsWritten) {
    for (std::string name :
         {std::string(""), std::string("."), std::string(".."), std::string("../evil"),
          std::string("sub/dir"), std::string("C:\\x"), std::string("a\x01"), std::string("tab\t"),
          std::string("nul\0x", 5), std::string("del\x7f")}) {
        TRecordingView view;
        std::string message =
            FailureOf([&] { RunInstallation(installer_, ProjectNamed(name), view); });
        EXPECT_NE(message.find("cannot be used as a file name"), std::string::npos) << message;
        EXPECT_TRUE(view.positions.empty());
    }
    EXPECT_TRUE(fs::is_empty(sandbox_.Windows()));
    EXPECT_FALSE(fs::exists(sandbox_.Root() / "evil.scr"));
    EXPECT_EQ(FailureOf([] { CheckScreensaverName("a\x01"); }),
              "The screensaver name \"a\\x01\" cannot be used as a file name");
    CheckScreensaverName("Tropical Fish 2.0 (c) \xe9t\xe9");
}

TEST_F(Installation, DamagedInstallersLeaveTheOldScreensaverAlone) {
    fs::path scr = sandbox_.Windows() / "Tropical Fish.scr";
    const Bytes old(100, 'o');

    Bytes damaged = payload_.Build();
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
        WriteFile(installer_, c.file);
        TRecordingView view;
        std::string message =
            FailureOf([&] { RunInstallation(installer_, ProjectNamed("Tropical Fish"), view); });
        EXPECT_NE(message, "<no exception>") << c.what;
        EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
        EXPECT_EQ(ReadFile(scr), old) << c.what;
        EXPECT_FALSE(fs::exists(sandbox_.SystemIni())) << c.what;
        EXPECT_FALSE(view.completed);
    }
}

TEST_F(Installation, FailuresStopAtTheirStep) {
    TRecordingView missing;
    EXPECT_EQ(
        FailureOf([&] { RunInstallation(sandbox_.Root() / "nope", ProjectNamed("X"), missing); }),
        "Cannot open file " + (sandbox_.Root() / "nope").string());
    EXPECT_EQ(missing.positions, (std::vector<int>{0, 10}));

    // The Windows directory is gone: the file cannot be created.
    fs::remove_all(sandbox_.Windows());
    TRecordingView noDir;
    EXPECT_EQ(FailureOf([&] { RunInstallation(installer_, ProjectNamed("X"), noDir); }),
              "Cannot create file " + sandbox_.Windows().string() + "/X.scr");
    EXPECT_EQ(noDir.positions.back(), 90);

    // system.ini cannot be written: the screensaver file stays, unregistered.
    fs::create_directories(sandbox_.SystemIni());
    TRecordingView noIni;
    EXPECT_EQ(FailureOf([&] { RunInstallation(installer_, ProjectNamed("X"), noIni); }),
              "Unable to write to " + sandbox_.Windows().string() + "/system.ini");
    EXPECT_EQ(noIni.positions.back(), 100);
    EXPECT_FALSE(noIni.completed);
    EXPECT_TRUE(fs::exists(sandbox_.Windows() / "X.scr"));
}
