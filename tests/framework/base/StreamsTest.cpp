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
