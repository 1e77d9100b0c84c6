#include "platform/kernel32/FileIO.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

TEST(ReplaceFileContents, ReplacesWholeAndKeepsPermissionsLeavingNoTemporaries) {
    fs::path dir = fs::temp_directory_path() / ("ssi-replace-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string path = (dir / "target.scr").string();

    ASSERT_TRUE(ReplaceFileContents(path, "first version", 13, 0755));
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0755u);

    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(ReplaceFileContents(path, "v2", 2, 0755));
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_EQ(s.str(), "v2");
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "an existing file keeps its mode";

    EXPECT_FALSE(ReplaceFileContents((dir / "missing" / "x").string(), "x", 1, 0644));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 1);
    fs::remove_all(dir);
}

// A path is system text: a name in Windows-1252 bytes is the file whose UTF-8
// name shows the same letters, and either spelling reaches it.
TEST(FileNames, AreHandedToTheSystemAsUtf8) {
    fs::path dir = fs::temp_directory_path() / ("ssi-names-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string windows1252 = (dir / "Caf\xE9 \x80.scr").string();
    const std::string utf8 = (dir / "Caf\xC3\xA9 \xE2\x82\xAC.scr").string();

    THandle created = FileCreate(windows1252);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    EXPECT_EQ(FileWrite(created, "abc", 3), 3);
    FileClose(created);
    EXPECT_TRUE(fs::exists(utf8));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 1);
    EXPECT_TRUE(FileExists(windows1252));
    EXPECT_TRUE(FileExists(utf8));

    THandle opened = FileOpen(windows1252, fmOpenRead | fmShareDenyNone);
    ASSERT_NE(opened, INVALID_HANDLE_VALUE);
    char bytes[4] = {};
    EXPECT_EQ(FileRead(opened, bytes, 3), 3);
    EXPECT_STREQ(bytes, "abc");
    FileClose(opened);

    ASSERT_TRUE(ReplaceFileContents(windows1252, "v2", 2, 0644));
    std::ifstream in(utf8);
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_EQ(s.str(), "v2");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 1);

    EXPECT_TRUE(DeleteFile(windows1252));
    EXPECT_FALSE(fs::exists(utf8));
    fs::remove_all(dir);
}

// A folder the system named in another encoding (Latin-1 bytes) is kept as
// it stands: the program finds its own file there and creates new files in
// it, their new names still converted.
TEST(FileNames, FoldersTheSystemNamedStayAsTheyAre) {
    fs::path dir = fs::temp_directory_path() / ("ssi-native-" + std::to_string(getpid()));
    const std::string latin1 = (dir / "Caf\xE9").string();
    fs::create_directories(latin1);
    EXPECT_EQ(NativePath(latin1), latin1);
    EXPECT_EQ(NativePath(latin1 + "/n\xE9u.scr"), latin1 + "/n\xC3\xA9u.scr");
    EXPECT_EQ(NativePath((dir / "ou\xF9/x").string()), (dir / "ou\xC3\xB9/x").string())
        << "a part that names nothing is converted";
    const std::string file = latin1 + "/n\xE9u.scr";
    ASSERT_TRUE(ReplaceFileContents(file, "x", 1));
    EXPECT_TRUE(fs::exists(latin1 + "/n\xC3\xA9u.scr"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(NativePath("/tmp/plain"), "/tmp/plain");
    fs::remove_all(dir);
}
