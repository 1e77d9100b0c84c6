#include "installer/SystemInfoUnit.h"

#include "support/TestPackages.h"
#include "framework/base/SysUtils.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace testing_support;

TEST(SystemInfo, WindowsPathGetsOneSeparatorAppendedAlways) {
    Sandbox sandbox;
    TSystemInfo info;
    std::string path;
    info.GetWindowsPath(path);
    EXPECT_EQ(path, sandbox.Windows().string() + "/");

    setenv("WINDIR", "/", 1); // a root already ends with its separator
    info.GetWindowsPath(path);
    EXPECT_EQ(path, "//");
}

TEST(SystemInfo, LongDirectoriesAreNotCutShort) {
    Sandbox sandbox;
    std::string deep = "/" + std::string(300, 'd');
    setenv("WINDIR", deep.c_str(), 1);
    std::string path;
    TSystemInfo().GetWindowsPath(path);
    EXPECT_EQ(path, deep + "/");
}

TEST(SystemInfo, TempDirectoryAsTheSystemReportsIt) {
    const char* old = std::getenv("TMPDIR");
    std::string saved = old ? old : "";
    setenv("TMPDIR", "/var/tmp", 1);
    std::string path;
    TSystemInfo().GetTempDirectory(path);
    EXPECT_EQ(path, "/var/tmp/");
    old ? setenv("TMPDIR", saved.c_str(), 1) : unsetenv("TMPDIR");
}

TEST(SystemInfo, DefaultScreensaverEntry) {
    Sandbox sandbox;
    std::string scr = sandbox.Windows().string() + "/Tropical Fish.scr";
    WriteFile(scr, {1});
    WriteFile(sandbox.SystemIni(),
              {'[', 'B', 'O', 'O', 'T', ']', '\r', '\n', 's', 'c', 'r',  'n',
               's', 'a', 'v', 'e', '.', 'e', 'x',  'e',  '=', 'x', '\r', '\n'});
    TSystemInfo().SetDefaultScreensaver(scr);
    EXPECT_EQ(ReadText(sandbox.SystemIni()), "[BOOT]\r\nSCRNSAVE.EXE=" + scr + "\r\n");

    // A file that is not there has no short form: the value is written empty.
    TSystemInfo().SetDefaultScreensaver(sandbox.Windows().string() + "/missing.scr");
    EXPECT_EQ(ReadText(sandbox.SystemIni()), "[BOOT]\r\nSCRNSAVE.EXE=\r\n");

    std::error_code ignored;
    fs::remove(sandbox.SystemIni(), ignored);
    fs::create_directory(sandbox.SystemIni());
    try {
        TSystemInfo().SetDefaultScreensaver(scr);
        FAIL();
    } catch (const EIniFileError& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + sandbox.Windows().string() + "/system.ini");
    }

    // A FIFO in its place is refused the same way, at once, not waited on.
    fs::remove(sandbox.SystemIni(), ignored);
    ASSERT_EQ(::mkfifo(sandbox.SystemIni().c_str(), 0644), 0);
    try {
        TSystemInfo().SetDefaultScreensaver(scr);
        FAIL();
    } catch (const EIniFileError& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + sandbox.Windows().string() + "/system.ini");
    }
    EXPECT_TRUE(fs::is_fifo(sandbox.SystemIni()));
}
