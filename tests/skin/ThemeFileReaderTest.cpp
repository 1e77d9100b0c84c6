#include "skin/SUIThemeFile.h"

#include "framework/base/Endian.h"
#include "framework/base/SysUtils.h"
#include "framework/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

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

// Where record `index` of a file with `count` entries starts: the writer
// puts the records after all the data, the terminator last.
size_t RecordAt(const Bytes& file, size_t count, size_t index) {
    return file.size() - (count + 1 - index) * 77;
}

void Put(Bytes& file, size_t at, uint32_t value) {
    StoreU32(file.data() + at, value);
}

} // namespace

TEST(ThemeFileReader, ReadsEveryEntryTypeAndLooksUpWithoutRegardToCase) {
    TsuiThemeFileWriter w;
    Bytes bmp = {'B', 'M', 1, 2, 3};
    w.AddBitmap("ButtonImage", bmp);
    w.AddInteger("FormBGColor", 0x00DEEBEF);
    w.AddInteger("Negative", -5);
    w.AddBoolean("TitleBarCaptionShadow", true);
    w.AddBoolean("Off", false);
    w.AddText("Author", "Someone");
    w.AddText("Unknown", "abc");
    Bytes file = w.Build();
    file[RecordAt(file, 7, 6) + 64] = 9; // "Unknown" becomes an entry of no known type
    const size_t shadowData = LoadU32(&file[RecordAt(file, 7, 3) + 65]);
    ASSERT_EQ(file[shadowData], 1);
    file[shadowData] = 2;
    TsuiThemeFileReader r = Read(file);

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
    TsuiThemeFileWriter w;
    w.AddInteger("buttonimage", 1);
    w.AddInteger("ButtonImage", 2);
    EXPECT_EQ(Read(w.Build()).GetInt("ButtonImage"), 1);

    TsuiThemeFileWriter empty;
    TsuiThemeFileReader r = Read(empty.Build());
    EXPECT_EQ(r.GetInt(""), -1);
    EXPECT_TRUE(r.Entries().empty());
}

TEST(ThemeFileReader, FixedSizesAreKeptWhateverTheSizeFieldsSay) {
    TsuiThemeFileWriter w;
    w.AddInteger("Int", 0x10);
    w.AddBoolean("Bool", false);
    w.AddBoolean("Next", true);
    const std::string fullKey = std::string(60, 'k') + "Full"; // fills all 64 bytes, no zero
    w.AddInteger(fullKey, 3);
    Bytes file = w.Build();
    Put(file, RecordAt(file, 4, 0) + 69, 1);   // size field 1: still 4 bytes read
    Put(file, RecordAt(file, 4, 1) + 69, 100); // size field 100: still 1 byte
    TsuiThemeFileReader r = Read(file);
    EXPECT_EQ(r.GetInt("Int"), 0x10);
    EXPECT_FALSE(r.GetBool("Bool")) << "the next entry's byte is not read";
    EXPECT_EQ(r.GetInt(fullKey), 3);
    EXPECT_EQ(r.Entries()[0].Size, 4u);
    EXPECT_EQ(r.Entries()[1].Size, 1u);
}

TEST(ThemeFileReader, BrokenFilesFailClearlyInsteadOfReadingGarbage) {
    TsuiThemeFileWriter w;
    w.AddBitmap("ButtonImage", Bytes{'B', 'M'});
    w.AddInteger("FormBGColor", 1);
    const Bytes good = w.Build();
    const size_t firstRecord = RecordAt(good, 2, 0);

    auto withU32 = [&](size_t at, uint32_t v) {
        Bytes b = good;
        Put(b, at, v);
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
    TsuiThemeFileWriter w;
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

TEST(ThemeFileWriter, WritesTheLayoutTheReaderReadsBack) {
    TBitmap picture(3, 2);
    picture.SetPixel(2, 1, 0x00123456);
    TsuiThemeFileWriter w;
    w.AddBitmap("ButtonImage", picture);
    w.AddInteger("FormBackgroundColor", int32_t(0x8000000F));
    w.AddBoolean("ButtonTransparentBool", true);
    w.AddText("Author", "");
    w.AddInteger("FormBackgroundColor", 7); // a second entry of a key is written too
    const Bytes file = w.Build();

    // Header: the magic and its zero byte, the header length, the first record.
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data())), "Tessera_TB");
    EXPECT_EQ(LoadU32(&file[12]), 24u);
    EXPECT_EQ(LoadU32(&file[20]), RecordAt(file, 5, 0));
    EXPECT_EQ(LoadU32(&file[RecordAt(file, 5, 5) + 73]), 0u) << "the terminator ends the chain";

    TsuiThemeFileReader r = Read(file);
    ASSERT_EQ(r.Entries().size(), 5u);
    const auto& entries = r.Entries();
    EXPECT_EQ(entries[0].Key, "ButtonImage");
    EXPECT_EQ(entries[0].Type, TsuiFileEntryType::suiFileBitmap);
    EXPECT_EQ(entries[0].Offset, 24u) << "the data comes right after the header";
    EXPECT_EQ(entries[1].Type, TsuiFileEntryType::suiFileInteger);
    EXPECT_EQ(entries[1].Value, int32_t(0x8000000F));
    EXPECT_EQ(entries[2].Type, TsuiFileEntryType::suiFileBoolean);
    EXPECT_EQ(entries[2].Value, 1);
    EXPECT_EQ(entries[3].Type, TsuiFileEntryType::suiFileText);
    EXPECT_EQ(entries[3].Size, 0u);
    EXPECT_EQ(entries[4].Value, 7);
    EXPECT_EQ(r.GetInt("FormBackgroundColor"), int32_t(0x8000000F)) << "the first one wins";

    TBitmap back;
    back.LoadFromStream(*r.GetStream("ButtonImage"));
    EXPECT_EQ(back.Width(), 3);
    EXPECT_EQ(back.Height(), 2);
    EXPECT_EQ(back.Pixel(2, 1), 0x00123456u);
    EXPECT_EQ(back.Pixel(0, 0), 0x00FFFFFFu);

    TMemoryStream stream;
    w.SaveToStream(stream);
    EXPECT_EQ(Contents(&stream), file);
}

TEST(ThemeFileWriter, RefusesKeysThatARecordCannotHold) {
    TsuiThemeFileWriter w;
    const std::string full(64, 'k');
    EXPECT_NO_THROW(w.AddInteger(full, 1));
    try {
        w.AddInteger(full + "x", 1);
        ADD_FAILURE() << "a 65-character key was taken";
    } catch (const EWriteError& e) {
        EXPECT_NE(e.Message().find(full + "x"), std::string::npos) << e.Message();
    }
    EXPECT_THROW(w.AddBoolean(std::string("a\0b", 3), true), EWriteError);
    EXPECT_THROW(w.AddBitmap(full + "x", Bytes{}), EWriteError);
    EXPECT_THROW(w.AddText(full + "x", ""), EWriteError);
    EXPECT_EQ(w.Count(), 1u);
    EXPECT_EQ(Read(w.Build()).GetInt(full), 1);
}
