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
