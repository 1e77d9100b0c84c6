// An installation killed at any moment leaves the Windows directory as it
// found it or as a whole installation leaves it: the old or the complete new
// screensaver file and system.ini, and nothing else, no temporary file of
// any name. The installer is the real program, killed with SIGKILL (nothing
// of it runs after the signal) at moments spread over a whole run.

#include "support/ChildProcess.h"
#include "support/TestPackages.h"

#include "package/CompileStream.h"
#include "package/Zlib.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <csignal>
#include <map>
#include <random>
#include <set>
#include <thread>
#include <zlib.h>

using namespace testing_support;

namespace {

const std::string kBin = SSI_BIN_DIR;
constexpr int kKills = 24;
constexpr size_t kMovieBytes = 40u << 20;

using TClock = std::chrono::steady_clock;

// The files of a folder, by name.
std::map<std::string, Bytes> Contents(const fs::path& folder) {
    std::map<std::string, Bytes> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = ReadFile(entry.path());
    return files;
}

std::string Names(const std::map<std::string, Bytes>& files) {
    std::string names;
    for (const auto& [name, bytes] : files)
        names += "\"" + name + "\" (" + std::to_string(bytes.size()) + " bytes) ";
    return names;
}

Bytes Noise(size_t size, unsigned seed) {
    std::mt19937_64 rng(seed);
    Bytes bytes(size);
    for (size_t i = 0; i + 8 <= size; i += 8) {
        const uint64_t word = rng();
        std::memcpy(bytes.data() + i, &word, 8);
    }
    return bytes;
}

// An installer of the real stub whose movie data was deflated at level 1:
// the installation deflates it again at level 9, which keeps it writing for
// a good while.
Bytes LargeInstaller() {
    const Bytes movie = Noise(kMovieBytes, 3);
    uLongf size = compressBound(static_cast<uLong>(movie.size()));
    Bytes deflated(size);
    EXPECT_EQ(compress2(deflated.data(), &size, movie.data(), static_cast<uLong>(movie.size()), 1),
              Z_OK);
    deflated.resize(size);

    const Bytes stub = ReadFile(kBin + "/ssinstall");
    const Bytes runtime = Noise(1 << 20, 2);
    const Bytes record = RecordBytes("Kill Test");
    const Bytes logo = ReadFile(std::string(SSI_SOURCE_DIR) + "/examples/demo/logo.jpg");
    TCompileStream writer;
    const auto add = [&](const Bytes& bytes, bool compress) {
        TMemoryStream s;
        s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        writer.AddStream(s, compress);
    };
    add(stub, false);
    add(runtime, true);
    TMemoryStream stored;
    stored.WriteBuffer(deflated.data(), static_cast<int64_t>(deflated.size()));
    writer.AddStoredStream(stored, static_cast<int32_t>(movie.size()));
    add(record, true);
    add(logo, true);
    TMemoryStream& package = writer.Compile();
    return Bytes(package.Memory(), package.Memory() + package.Size());
}

class InterruptedInstallation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(kBin + "/ssinstall"));
        WriteFile(FSandbox.Root() / "setup", LargeInstaller());
        fs::permissions(FSandbox.Root() / "setup", fs::perms::owner_all);
        fs::create_directories(FSandbox.Root() / "home");
        fs::create_directories(FSandbox.Root() / "tmp");
    }

    // The Windows directory as the installation finds it: an earlier
    // version of the screensaver and a system.ini naming another one.
    void PutOldFiles() {
        fs::remove_all(FSandbox.Windows());
        fs::create_directories(FSandbox.Windows());
        WriteFile(FSandbox.Windows() / "Kill Test.scr", Bytes(1000, 'o'));
        const std::string ini = "[boot]\r\nSCRNSAVE.EXE=C:\\OLD.SCR\r\n[other]\r\nkey=1\r\n";
        WriteFile(FSandbox.SystemIni(), Bytes(ini.begin(), ini.end()));
    }

    bool Start(TChildProcess& installer) {
        const fs::path root = FSandbox.Root();
        return installer.Start({(root / "setup").string(), "/AUTO"},
                               {"DISPLAY", "WAYLAND_DISPLAY", "SSI_BACKEND",
                                "WINDIR=" + FSandbox.Windows().string(),
                                "HOME=" + (root / "home").string(),
                                "TMPDIR=" + (root / "tmp").string(), "LC_ALL=C.UTF-8"},
                               (root / "stderr").string());
    }

    Sandbox FSandbox;
};

} // namespace

TEST_F(InterruptedInstallation, LeavesTheOldOrTheNewFilesAndNothingElse) {
    // A whole installation: what it leaves, and how long it takes.
    PutOldFiles();
    const std::map<std::string, Bytes> before = Contents(FSandbox.Windows());
    TChildProcess whole;
    const auto start = TClock::now();
    ASSERT_TRUE(Start(whole));
    ASSERT_EQ(whole.WaitForExit(60000), 0) << whole.ErrorOutput();
    const auto duration = TClock::now() - start;
    const std::map<std::string, Bytes> after = Contents(FSandbox.Windows());
    ASSERT_EQ(after.size(), 2u) << Names(after);
    ASSERT_EQ(after.count("Kill Test.scr"), 1u) << Names(after);
    ASSERT_NE(after.at("Kill Test.scr"), before.at("Kill Test.scr"));
    ASSERT_NE(after.at("system.ini"), before.at("system.ini"));

    // Killed at moments spread over such a run.
    int old = 0, complete = 0;
    for (int i = 1; i <= kKills; ++i) {
        SCOPED_TRACE("killed after " + std::to_string(i) + "/" + std::to_string(kKills + 1) +
                     " of a run");
        PutOldFiles();
        TChildProcess installer;
        const auto launched = TClock::now();
        ASSERT_TRUE(Start(installer));
        std::this_thread::sleep_until(launched + duration * i / (kKills + 1));
        installer.Signal(SIGKILL);
        installer.WaitForExit(10000);

        const std::map<std::string, Bytes> found = Contents(FSandbox.Windows());
        ASSERT_EQ(found.size(), 2u) << Names(found);
        for (const char* name : {"Kill Test.scr", "system.ini"}) {
            ASSERT_EQ(found.count(name), 1u) << name << " is missing: " << Names(found);
            const Bytes& bytes = found.at(name);
            EXPECT_TRUE(bytes == before.at(name) || bytes == after.at(name))
                << name << " is neither the old nor the new one (" << bytes.size() << " bytes)";
        }
        // The screensaver file is replaced before system.ini names it.
        if (found.at("system.ini") == after.at("system.ini"))
            EXPECT_EQ(found.at("Kill Test.scr"), after.at("Kill Test.scr"));
        (found.at("Kill Test.scr") == before.at("Kill Test.scr") ? old : complete)++;
    }
    // Most kills land while the installer writes.
    EXPECT_GE(old, kKills / 2) << complete << " kills came after the file was replaced";

    // The next installation after a kill runs whole and leaves only its files.
    TChildProcess next;
    ASSERT_TRUE(Start(next));
    ASSERT_EQ(next.WaitForExit(60000), 0) << next.ErrorOutput();
    EXPECT_EQ(Contents(FSandbox.Windows()), after);
}
