#include "platform/kernel32/ReplacementFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace fs = std::filesystem;

namespace {

class ReplacementFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "ssi-replacement-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        FDir = pattern;
    }
    void TearDown() override { fs::remove_all(FDir); }

    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(FDir))
            names.insert(entry.path().filename().string());
        return names;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(FDir / name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(FDir / name, std::ios::binary) << text;
    }
    std::string Target() const { return (FDir / "target.scr").string(); }

    fs::path FDir;
};

// A pid that no process holds now: a child's, once it has been reaped.
pid_t GonePid() {
    const pid_t pid = fork();
    if (pid == 0)
        _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

void SetModified(const fs::path& path, time_t when) {
    utimbuf times{when, when};
    ASSERT_EQ(utime(path.c_str(), &times), 0);
}

} // namespace

// Whichever way the content waits for Commit, the target is the old file
// until then and the whole new one after, with nothing else in the folder;
// dropped without Commit, the new content leaves no trace.
TEST_F(ReplacementFile, TheTargetIsOldOrNewAndNothingIsLeftBehind) {
    for (const auto temporary :
         {TReplacementFile::TTemporary::Anonymous, TReplacementFile::TTemporary::Named}) {
        const bool named = temporary == TReplacementFile::TTemporary::Named;
        SCOPED_TRACE(named ? "named" : "anonymous");
        Write("target.scr", "old");
        {
            TReplacementFile file(Target(), 0644, temporary);
            ASSERT_TRUE(file.Opened());
            ASSERT_TRUE(file.Write("new ", 4));
            ASSERT_TRUE(file.Write("content", 7));
            EXPECT_EQ(Read("target.scr"), "old");
            // A named temporary carries its writer's process number.
            EXPECT_EQ(Names().size(), named ? 2u : 1u);
            if (named)
                EXPECT_EQ(Names().begin()->rfind(".ssi-" + std::to_string(getpid()) + "-", 0), 0u);
        }
        EXPECT_EQ(Names(), std::set<std::string>{"target.scr"}) << "dropped";
        EXPECT_EQ(Read("target.scr"), "old");

        TReplacementFile file(Target(), 0644, temporary);
        ASSERT_TRUE(file.Write("new content", 11));
        ASSERT_TRUE(file.Commit());
        EXPECT_EQ(Read("target.scr"), "new content");
        EXPECT_EQ(Names(), std::set<std::string>{"target.scr"});
        EXPECT_FALSE(file.Commit()) << "once only";
        fs::remove(FDir / "target.scr");
    }
}

TEST_F(ReplacementFile, KeepsTheTargetsModeAndGivesANewOneItsOwn) {
    TReplacementFile created(Target(), 0750);
    ASSERT_TRUE(created.Write("x", 1) && created.Commit());
    struct stat info {};
    ASSERT_EQ(stat(Target().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0750u);

    chmod(Target().c_str(), 0604);
    TReplacementFile replaced(Target(), 0755);
    ASSERT_TRUE(replaced.Write("y", 1) && replaced.Commit());
    ASSERT_EQ(stat(Target().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
}

TEST_F(ReplacementFile, AFolderThatCannotTakeItFailsWithTheSystemsReason) {
    TReplacementFile missing((FDir / "no such folder" / "x.scr").string());
    EXPECT_FALSE(missing.Opened());
    EXPECT_EQ(missing.OpenError(), ENOENT);
    errno = 0;
    EXPECT_FALSE(missing.Write("x", 1));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(missing.Commit());
    EXPECT_EQ(errno, ENOENT);

    // A folder where the target's name is taken by a folder: written, but
    // the rename fails, and the written content goes.
    fs::create_directories(FDir / "target.scr" / "inside");
    TReplacementFile blocked(Target(), 0644, TReplacementFile::TTemporary::Named);
    ASSERT_TRUE(blocked.Write("x", 1));
    EXPECT_FALSE(blocked.Commit());
    EXPECT_EQ(errno, EISDIR);
    EXPECT_EQ(Names(), std::set<std::string>{"target.scr"});
}

// A named temporary is litter once its writer is gone, or once its
// process number belongs to a process that started after it last changed;
// a writer that may still be writing keeps its file, and names that are not
// our temporaries are never touched.
TEST_F(ReplacementFile, StaleTemporariesGoWhenTheNextReplacementStarts) {
    const std::string mine = ".ssi-" + std::to_string(getpid()) + "-abc123";
    const std::string gone = ".ssi-" + std::to_string(GonePid()) + "-abc123";
    const std::string reused = ".ssi-" + std::to_string(getpid()) + "-old123";
    const std::string init = ".ssi-1-abc123";
    const std::set<std::string> others = {".ssi-abcdef", ".ssi-12-abc", "ssi-99999999-abc123",
                                          ".ssi-99999999-abc123.bak"};
    for (const std::string& name : {mine, gone, reused, init})
        Write(name, "partial");
    for (const std::string& name : others)
        Write(name, "keep");
    // Written before this process started: some earlier process with the
    // same number wrote it.
    SetModified(FDir / reused, 1000000000);
    EXPECT_TRUE(IsStaleTemporary(GonePid(), time(nullptr)));
    EXPECT_FALSE(IsStaleTemporary(getpid(), time(nullptr)));
    EXPECT_TRUE(IsStaleTemporary(getpid(), 1000000000));

    TReplacementFile file(Target());
    ASSERT_TRUE(file.Write("x", 1) && file.Commit());
    std::set<std::string> expected = others;
    expected.insert({"target.scr", mine, init});
    EXPECT_EQ(Names(), expected);
}
