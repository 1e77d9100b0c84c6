#include "framework/base/Streams.h"
#include "framework/base/SysUtils.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(MemoryStream, WritesPastTheEndGrowAndReadsStopAtIt) {
    TMemoryStream s;
    s.WriteBuffer("abc", 3);
    s.SetPosition(5);
    s.WriteBuffer("z", 1);
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.Memory()), 6),
              std::string("abc\0\0z", 6));
    s.SetPosition(4);
    char buffer[4] = {};
    EXPECT_EQ(s.Read(buffer, 4), 2);
    s.SetPosition(4);
    EXPECT_THROW(s.ReadBuffer(buffer, 3), EReadError);
    // A write that starts inside and ends past the end.
    s.SetPosition(4);
    s.WriteBuffer("WXYZ", 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.Memory()), 8),
              std::string("abc\0WXYZ", 8));
}

TEST(MemoryStream, CopyFromZeroCopiesTheWholeSourceFromItsStart) {
    TMemoryStream source, target;
    source.WriteBuffer("hello", 5);
    EXPECT_EQ(target.CopyFrom(source, 0), 5);
    EXPECT_EQ(target.Size(), 5);
    source.SetPosition(1);
    target.Clear();
    EXPECT_EQ(target.CopyFrom(source, 3), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.Memory()), 3), "ell");
}

TEST(FileStream, FailuresNameTheFile) {
    auto dir = std::filesystem::temp_directory_path() / "ssi-streams-test";
    std::filesystem::create_directories(dir);
    std::string missing = (dir / "missing.bin").string();
    try {
        TFileStream f(missing, fmOpenRead | fmShareDenyNone);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + missing);
    }
    std::string bad = (dir / "no-such-dir" / "x.bin").string();
    try {
        TFileStream f(bad, fmCreate);
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + bad);
    }

    std::string path = (dir / "round.bin").string();
    TMemoryStream out;
    out.WriteBuffer("0123456789", 10);
    out.SaveToFile(path);
    TMemoryStream in;
    in.LoadFromFile(path);
    EXPECT_EQ(in.Size(), 10);
    EXPECT_EQ(in.Position(), 0);
    std::filesystem::remove_all(dir);
}

// A file's new content is written forwards and takes the file's place only
// when committed; a failure names the file and says why.
TEST(ReplacementStream, TheFileChangesOnlyWhenCommitted) {
    auto dir = std::filesystem::temp_directory_path() / "ssi-replacement-stream";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "out.bin").string();
    {
        TReplacementStream dropped(path);
        dropped.WriteBuffer("never", 5);
    }
    EXPECT_FALSE(std::filesystem::exists(path));

    TReplacementStream stream(path);
    stream.WriteBuffer("0123", 4);
    EXPECT_EQ(stream.Position(), 4);
    EXPECT_EQ(stream.Size(), 4);
    EXPECT_THROW(stream.SetPosition(0), EStreamError);
    stream.Commit();
    TMemoryStream in;
    in.LoadFromFile(path);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(in.Memory()), 4), "0123");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator{}),
              1);

    const std::string missing = (dir / "no-such-dir" / "x.bin").string();
    try {
        TReplacementStream failing(missing);
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_STREQ(e.what(), ("Cannot create file " + missing + ": No such file or directory").c_str());
    }
    std::filesystem::remove_all(dir);
}
