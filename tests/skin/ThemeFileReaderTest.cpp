#include "skin/SUIThemeFile.h"

#include "SkinFileWriter.h"
#include "framework/base/SysUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using Bytes = TSkinFileWriter::Bytes;

namespace {

TsuiThemeFileReader Read(const Bytes& bytes) {
    TMemoryStream file;
    file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return TsuiThemeFileReader(file);
}

std::string FailureOf(const Bytes& bytes) {
    try {
        Read(bytes);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "<no exception>";
}

Bytes Contents(TMemoryStream* s) {
    return Bytes(s->Memory(), s->Memory() + s->Size());
}

} // namespace

TEST(ThemeFileReader, ReadsEveryEntryTypeAndLooksUpWithoutRegardToCase) {
    TSkinFileWriter w;
    Bytes bmp = {'B', 'M', 1, 2, 3};
    w.AddBitmap("ButtonImage", bmp);
    w.AddInteger("FormBGColor", 0x00DEEBEF);
    w.AddInteger("Negative", -5);
    w.AddBoolean("TitleBarCaptionShadow", 2);
    w.AddBoolean("Off", 0);
    w.AddText("Author", "Someone");
    w.Add("Unknown", 9, {1, 2, 3});
    TsuiThemeFileReader r = Read(w.Build());

    ASSERT_NE(r.GetStream("buttonimage"), nullptr);
    EXPECT_EQ(Contents(r.GetStream("BUTTONIMAGE")), bmp);
    EXPECT_EQ(r.GetStream("ButtonImage")->Position(), 0);
    EXPECT_EQ(r.GetStream("CheckBoxImage"), nullptr);
    EXPECT_EQ(r.GetInt("formbgcolor"), 0x00DEEBEF);
    EXPECT_EQ(r.GetInt("Negative"), -5);
    EXPECT_EQ(r.GetInt("Missing"), -1);
    EXPECT_TRUE(r.GetBool("TitleBarCaptionShadow")) << "any non-zero byte is true";
    EXPECT_FALSE(r.GetBool("Off"));
    EXPECT_FALSE(r.GetBool("Missing"));
    EXPECT_EQ(r.GetText("author"), "Someone");
    EXPECT_EQ(r.GetInt("Unknown"), -1);
}

TEST(ThemeFileReader, FirstEntryOfAKeyWinsAndTheTerminatorCarriesNothing) {
    TSkinFileWriter w;
    w.AddInteger("buttonimage", 1);
    w.AddInteger("ButtonImage", 2);
    EXPECT_EQ(Read(w.Build()).GetInt("ButtonImage"), 1);

    TSkinFileWriter empty;
    TsuiThemeFileReader r = Read(empty.Build());
    EXPECT_EQ(r.GetInt(""), -1);
}

TEST(ThemeFileReader, FixedSizesAreKeptWhateverTheSizeFieldsSay) {
    TSkinFileWriter w;
    w.Add("Int", 1, {0x10, 0, 0, 0, 0xFF}, 1);                 // size field 1: still 4 bytes read
    w.Add("Bool", 2, {0, 7}, 100);                             // size field 100: still 1 byte
    const std::string fullKey = std::string(60, 'k') + "Full"; // fills all 64 bytes, no zero
    w.Add(fullKey, 1, {3, 0, 0, 0});
    TsuiThemeFileReader r = Read(w.Build());
    EXPECT_EQ(r.GetInt("Int"), 0x10);
    EXPECT_FALSE(r.GetBool("Bool"));
    EXPECT_EQ(r.GetInt(fullKey), 3);
}

TEST(ThemeFileReader, BrokenFilesFailClearlyInsteadOfReadingGarbage) {
    TSkinFileWriter w;
    w.AddBitmap("ButtonImage", {'B', 'M'});
    w.AddInteger("FormBGColor", 1);
    const Bytes good = w.Build();
    const size_t firstRecord = good.size() - 3 * 77;

    auto withU32 = [&](size_t at, uint32_t v) {
        Bytes b = good;
        TSkinFileWriter::Put(b, at, v);
        return b;
    };
    struct Case {
        const char* what;
        Bytes file;
        std::string message;
    } cases[] = {
        {"shorter than the header", Bytes(good.begin(), good.begin() + 20), "Stream read error"},
        {"first record past the end", withU32(20, static_cast<uint32_t>(good.size())),
         "Stream read error"},
        {"record cut short", Bytes(good.begin(), good.end() - 10), "Stream read error"},
        {"bitmap runs past the end", withU32(firstRecord + 69, 1u << 30), "Stream read error"},
        {"bitmap offset past the end", withU32(firstRecord + 65, 0xFFFFFFF0u), "Stream read error"},
        {"integer data past the end",
         withU32(firstRecord + 77 + 65, static_cast<uint32_t>(good.size() - 2)),
         "Stream read error"},
        {"next record past the end", withU32(firstRecord + 73, 0xFFFFFF00u), "Stream read error"},
        {"chain loops to itself", withU32(firstRecord + 73, static_cast<uint32_t>(firstRecord)),
         "Skin file record chain loops back to offset " + std::to_string(firstRecord)},
        {"chain loops further back",
         withU32(firstRecord + 77 + 73, static_cast<uint32_t>(firstRecord)),
         "Skin file record chain loops back to offset " + std::to_string(firstRecord)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FailureOf(c.file), c.message) << c.what;
}

TEST(ThemeFileReader, MagicCheckAndFiles) {
    fs::path dir = fs::temp_directory_path() / ("ssi-skinfile-" + std::to_string(getpid()));
    fs::create_directories(dir);
    auto write = [&](const std::string& name, const Bytes& bytes) {
        std::ofstream(dir / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return (dir / name).string();
    };
    TSkinFileWriter w;
    w.AddInteger("FormBGColor", 42);
    std::string good = write("good.skn", w.Build());
    Bytes magicOnly(16, 0);
    std::memcpy(magicOnly.data(), "Tessera_TB", 10);
    Bytes wrongCase = magicOnly;
    wrongCase[0] = 't';
    Bytes longer = magicOnly;
    longer[10] = 'X';

    auto first = [&](size_t n) { return Bytes(magicOnly.begin(), magicOnly.begin() + n); };

    EXPECT_TRUE(IsSkinFile(good));
    EXPECT_TRUE(IsSkinFile(write("header-only.skn", magicOnly)))
        << "nothing beyond the magic is checked";
    for (size_t size : {11, 12, 15})
        EXPECT_TRUE(IsSkinFile(write("magic-only.skn", first(size))))
            << "the magic and nothing else, " << size << " bytes";
    EXPECT_FALSE(IsSkinFile(write("cut.skn", first(10)))) << "the zero byte is part of the magic";
    EXPECT_FALSE(IsSkinFile(write("empty.skn", {})));
    EXPECT_FALSE(IsSkinFile(write("wrong-case.skn", wrongCase)));
    EXPECT_FALSE(IsSkinFile(write("longer.skn", longer)));
    EXPECT_FALSE(IsSkinFile((dir / "missing.skn").string()));
    EXPECT_FALSE(IsSkinFile(dir.string()));

    EXPECT_EQ(TsuiThemeFileReader(good).GetInt("FormBGColor"), 42);
    EXPECT_THROW(TsuiThemeFileReader((dir / "missing.skn").string()), EFOpenError);
    fs::remove_all(dir);
}
