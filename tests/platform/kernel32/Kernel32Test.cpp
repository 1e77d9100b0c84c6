#include "platform/kernel32/Kernel32.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : FName(name) {
        if (const char* old = std::getenv(name))
            FOld = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { FOld ? setenv(FName, FOld->c_str(), 1) : unsetenv(FName); }

private:
    const char* FName;
    std::optional<std::string> FOld;
};

std::string WindowsDirectory() {
    char buffer[512];
    UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
    return std::string(buffer, n);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class ProfileFile : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = fs::temp_directory_path() / ("ssi-profile-" + std::to_string(getpid()));
        fs::create_directories(FDir);
        FFile = (FDir / "system.ini").string();
    }
    void TearDown() override { fs::remove_all(FDir); }
    fs::path FDir;
    std::string FFile;
};

} // namespace

TEST(WindowsDirectory, ComesFromWindirThenWineprefixThenHome) {
    ScopedEnv windir("WINDIR", "/srv/win");
    EXPECT_EQ(WindowsDirectory(), "/srv/win");
    {
        ScopedEnv empty("WINDIR", "");
        ScopedEnv prefix("WINEPREFIX", "/p");
        EXPECT_EQ(WindowsDirectory(), "/p/drive_c/windows");
        ScopedEnv noPrefix("WINEPREFIX", nullptr);
        ScopedEnv home("HOME", "/home/u");
        EXPECT_EQ(WindowsDirectory(), "/home/u/.wine/drive_c/windows");
        // No HOME: the user's home folder from the user database.
        ScopedEnv noHome("HOME", nullptr);
        const passwd* user = getpwuid(getuid());
        ASSERT_NE(user, nullptr);
        EXPECT_EQ(WindowsDirectory(), std::string(user->pw_dir) + "/.wine/drive_c/windows");
    }
    char system[64];
    EXPECT_EQ(std::string(system, GetSystemDirectoryA(system, sizeof system)), "/srv/win/system32");
}

TEST(WindowsDirectory, TooSmallABufferGetsTheSizeNeeded) {
    ScopedEnv windir("WINDIR", "/srv/win");
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 9u);
    EXPECT_EQ(buffer[0], 'x');
}

TEST(TempPath, AlwaysEndsWithASeparator) {
    char buffer[256];
    {
        ScopedEnv tmp("TMPDIR", "/var/tmp");
        EXPECT_EQ(std::string(buffer, GetTempPathA(sizeof buffer, buffer)), "/var/tmp/");
    }
    ScopedEnv none("TMPDIR", nullptr);
    EXPECT_EQ(std::string(buffer, GetTempPathA(sizeof buffer, buffer)), "/tmp/");
}

// A TMPDIR that cannot hold files is passed over for /tmp, as the C
// library passes it over: empty, missing, a file.
TEST(TempPath, AFolderThatCannotHoldFilesFallsBackToTmp) {
    char buffer[256];
    for (const char* unusable : {"", "/nonexistent/tmp", "/proc/self/status"}) {
        ScopedEnv tmp("TMPDIR", unusable);
        EXPECT_EQ(std::string(buffer, GetTempPathA(sizeof buffer, buffer)), "/tmp/") << unusable;
    }
}

TEST_F(ProfileFile, ShortPathIsTheExistingPathItself) {
    std::string scr = (FDir / "Tropical Fish.scr").string();
    char buffer[260];
    EXPECT_EQ(GetShortPathNameA(scr.c_str(), buffer, sizeof buffer), 0u) << "missing file";
    std::ofstream(scr) << "x";
    EXPECT_EQ(std::string(buffer, GetShortPathNameA(scr.c_str(), buffer, sizeof buffer)), scr);
}

TEST_F(ProfileFile, WritesCreateAndEditTheFileKeepingOtherLines) {
    ASSERT_TRUE(WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", "a.scr", FFile.c_str()));
    EXPECT_EQ(ReadFile(FFile), "[boot]\r\nSCRNSAVE.EXE=a.scr\r\n");

    std::ofstream(FFile, std::ios::binary)
        << "[boot]\nshell=Explorer.exe\nScrnSave.exe=old.scr\n; note\n[keyboard]\ntype=4\n";
    ASSERT_TRUE(WritePrivateProfileStringA("BOOT", "SCRNSAVE.EXE", "b.scr", FFile.c_str()));
    EXPECT_EQ(ReadFile(FFile),
              "[boot]\nshell=Explorer.exe\nSCRNSAVE.EXE=b.scr\r\n; note\n[keyboard]\ntype=4\n");
    EXPECT_EQ(WritePrivateProfileStringA(nullptr, nullptr, nullptr, FFile.c_str()), 0)
        << "the flush writes no string";

    char value[64];
    EXPECT_EQ(std::string(value, GetPrivateProfileStringA("boot", "scrnsave.exe", "", value,
                                                          sizeof value, FFile.c_str())),
              "b.scr");
    EXPECT_EQ(std::string(value, GetPrivateProfileStringA("boot", "missing", "dflt", value,
                                                          sizeof value, FFile.c_str())),
              "dflt");
}

TEST_F(ProfileFile, UnwritableFileFailsAndStaysAsItWas) {
    std::string inMissingDir = (FDir / "nowhere" / "system.ini").string();
    EXPECT_FALSE(WritePrivateProfileStringA("boot", "k", "v", inMissingDir.c_str()));
    EXPECT_FALSE(fs::exists(inMissingDir));

    if (geteuid() != 0) { // root writes anywhere; the read-only directory only holds others back
        std::ofstream(FFile) << "[boot]\nk=old\n";
        fs::permissions(FDir, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(WritePrivateProfileStringA("boot", "k", "new", FFile.c_str()));
        fs::permissions(FDir, fs::perms::owner_all);
        EXPECT_EQ(ReadFile(FFile), "[boot]\nk=old\n");
    }
    EXPECT_FALSE(WritePrivateProfileStringA("boot", "k", "v", FDir.c_str()))
        << "a directory is no file";
}

TEST_F(ProfileFile, DeletingFromAMissingFileCreatesNone) {
    EXPECT_TRUE(WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", nullptr, FFile.c_str()));
    EXPECT_TRUE(WritePrivateProfileStringA("boot", nullptr, nullptr, FFile.c_str()));
    EXPECT_FALSE(fs::exists(FFile));
}

TEST_F(ProfileFile, AUtf16FileIsWrittenAndReadInUtf16) {
    const std::string le = "\xFF\xFE";
    const std::string units = std::string("[\0b\0o\0o\0t\0]\0\r\0\n\0", 16);
    std::ofstream(FFile, std::ios::binary) << le + units;
    ASSERT_TRUE(WritePrivateProfileStringA("boot", "k", "v", FFile.c_str()));
    EXPECT_EQ(ReadFile(FFile), le + units + std::string("k\0=\0v\0\r\0\n\0", 10));
    char value[16];
    EXPECT_EQ(std::string(value, GetPrivateProfileStringA("boot", "k", "", value, sizeof value,
                                                          FFile.c_str())),
              "v");

    std::ofstream(FFile, std::ios::binary) << le + units + "x"; // half a unit
    EXPECT_FALSE(WritePrivateProfileStringA("boot", "k", "v", FFile.c_str()));
    EXPECT_EQ(ReadFile(FFile), le + units + "x");
}

TEST_F(ProfileFile, ALinkStaysALinkAndItsTargetIsReplaced) {
    fs::create_directories(FDir / "real");
    std::ofstream(FDir / "real" / "system.ini", std::ios::binary) << "[boot]\r\nshell=x\r\n";
    fs::create_symlink("real/system.ini", FFile); // relative to the link's folder
    ASSERT_TRUE(WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", "a.scr", FFile.c_str()));
    EXPECT_TRUE(fs::is_symlink(FFile));
    EXPECT_EQ(ReadFile(FDir / "real" / "system.ini"),
              "[boot]\r\nshell=x\r\nSCRNSAVE.EXE=a.scr\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(FDir / "real"), fs::directory_iterator{}), 1)
        << "no temporary file is left beside the target";

    // A link to a link to a file that is not there yet: the file is made.
    fs::remove(FDir / "real" / "system.ini");
    fs::create_symlink(FDir / "real" / "final.ini", FDir / "real" / "system.ini");
    ASSERT_TRUE(WritePrivateProfileStringA("boot", "k", "v", FFile.c_str()));
    EXPECT_TRUE(fs::is_symlink(FFile));
    EXPECT_TRUE(fs::is_symlink(FDir / "real" / "system.ini"));
    EXPECT_EQ(ReadFile(FDir / "real" / "final.ini"), "[boot]\r\nk=v\r\n");
}

TEST_F(ProfileFile, WhatIsNoRegularFileOrTooLargeIsRefusedUntouched) {
    // A FIFO: opening it to read would wait for a writer for ever.
    ASSERT_EQ(::mkfifo(FFile.c_str(), 0644), 0);
    EXPECT_FALSE(WritePrivateProfileStringA("boot", "k", "v", FFile.c_str()));
    EXPECT_TRUE(fs::is_fifo(FFile));
    char value[16];
    EXPECT_EQ(std::string(value, GetPrivateProfileStringA("boot", "k", "dflt", value, sizeof value,
                                                          FFile.c_str())),
              "dflt");
    fs::remove(FFile);

    // A device that never ends.
    fs::create_symlink("/dev/zero", FFile);
    EXPECT_FALSE(WritePrivateProfileStringA("boot", "k", "v", FFile.c_str()));
    EXPECT_EQ(fs::read_symlink(FFile), "/dev/zero");
    fs::remove(FFile);

    // More than a settings file could be (sparse: no disk is used).
    const auto limit = static_cast<std::uintmax_t>(16) * 1024 * 1024;
    std::ofstream(FFile, std::ios::binary) << "[boot]\r\n";
    fs::resize_file(FFile, limit + 1);
    EXPECT_FALSE(WritePrivateProfileStringA("boot", "k", "v", FFile.c_str()));
    EXPECT_EQ(fs::file_size(FFile), limit + 1);
    fs::resize_file(FFile, limit);
    EXPECT_TRUE(WritePrivateProfileStringA("boot", "k", "v", FFile.c_str())) << "16 MB is fine";
}

namespace {

// "Café €" in UTF-8 and in Windows-1252 bytes.
const std::string kUtf8Name = "Caf\xC3\xA9 \xE2\x82\xAC";
const std::string kWindows1252Name = "Caf\xE9 \x80";

// UTF-16 code units of "[boot]\r\n" and "Café €", little-endian.
const std::string kBootUnits = std::string("[\0b\0o\0o\0t\0]\0\r\0\n\0", 16);
const std::string kNameUnits = std::string("C\0a\0f\0\xE9\0 \0\xAC\x20", 12);

std::string BigEndian(const std::string& littleEndian) {
    std::string out = littleEndian;
    for (size_t i = 0; i + 1 < out.size(); i += 2)
        std::swap(out[i], out[i + 1]);
    return out;
}

} // namespace

// Section, key and value are system text, written in the file's encoding and
// read back as system text: the bytes as given into a file without a mark,
// their UTF-8 into a UTF-8 file, the UTF-16 of that into a UTF-16 file.
TEST_F(ProfileFile, NamesAreWrittenInTheFilesEncodingAndReadBack) {
    struct Kind {
        const char* what;
        std::string start;                                    // the file before
        std::function<std::string(const std::string&)> bytes; // the section written
        bool marked;
    };
    const std::string le = "\xFF\xFE", be = "\xFE\xFF", mark = "\xEF\xBB\xBF";
    const std::string eq = std::string("=\0", 2), crlf = std::string("\r\0\n\0", 4);
    const std::string open = std::string("[\0", 2), close = std::string("]\0", 2);
    const std::string utf16Section =
        open + kNameUnits + close + crlf + kNameUnits + eq + kNameUnits + crlf;
    const Kind kinds[] = {
        {"no mark", "[boot]\r\n",
         [](const std::string& n) { return "[" + n + "]\r\n" + n + "=" + n + "\r\n"; }, false},
        {"UTF-8", mark + "[boot]\r\n",
         [](const std::string&) {
             return "[" + kUtf8Name + "]\r\n" + kUtf8Name + "=" + kUtf8Name + "\r\n";
         },
         true},
        {"UTF-16 LE", le + kBootUnits, [&](const std::string&) { return utf16Section; }, true},
        {"UTF-16 BE", be + BigEndian(kBootUnits),
         [&](const std::string&) { return BigEndian(utf16Section); }, true},
    };
    for (const Kind& kind : kinds) {
        for (const std::string& name : {kUtf8Name, kWindows1252Name}) {
            SCOPED_TRACE(std::string(kind.what) +
                         (name == kUtf8Name ? ", UTF-8" : ", Windows-1252"));
            std::ofstream(FFile, std::ios::binary) << kind.start;
            ASSERT_TRUE(WritePrivateProfileStringA(name.c_str(), name.c_str(), name.c_str(),
                                                   FFile.c_str()));
            EXPECT_EQ(ReadFile(FFile), kind.start + kind.bytes(name));

            const std::string expected = kind.marked ? kUtf8Name : name;
            char value[64];
            for (const std::string& asked :
                 {kUtf8Name, kWindows1252Name, std::string("cAF\xE9 \x80")})
                EXPECT_EQ(std::string(value,
                                      GetPrivateProfileStringA(asked.c_str(), asked.c_str(), "",
                                                               value, sizeof value, FFile.c_str())),
                          expected)
                    << "asked as " << asked;

            // Written again under the other spelling, the key is the same one.
            const std::string other = name == kUtf8Name ? kWindows1252Name : kUtf8Name;
            ASSERT_TRUE(WritePrivateProfileStringA(other.c_str(), other.c_str(), name.c_str(),
                                                   FFile.c_str()));
            if (kind.marked)
                EXPECT_EQ(ReadFile(FFile), kind.start + kind.bytes(name));
            else
                EXPECT_EQ(ReadFile(FFile),
                          kind.start + "[" + name + "]\r\n" + other + "=" + name + "\r\n");
        }
    }
}

// A file's name is system text too: in Windows-1252 bytes it names the file
// whose UTF-8 name shows the same letters.
TEST_F(ProfileFile, AFileNameInWindows1252BytesIsItsUtf8Name) {
    const std::string given = (FDir / (kWindows1252Name + ".ini")).string();
    const fs::path onDisk = FDir / (kUtf8Name + ".ini");
    ASSERT_TRUE(WritePrivateProfileStringA("boot", "k", "v", given.c_str()));
    EXPECT_EQ(ReadFile(onDisk), "[boot]\r\nk=v\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(FDir), fs::directory_iterator{}), 1);
    char value[16];
    EXPECT_EQ(std::string(value, GetPrivateProfileStringA("boot", "k", "", value, sizeof value,
                                                          given.c_str())),
              "v");

    char shortPath[256];
    EXPECT_EQ(std::string(shortPath, GetShortPathNameA(given.c_str(), shortPath, sizeof shortPath)),
              given)
        << "the name comes back as it was given";
    EXPECT_EQ(GetShortPathNameA((FDir / "Caf\xE9.ini").c_str(), shortPath, sizeof shortPath), 0u);
}
