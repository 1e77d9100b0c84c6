#include "platform/kernel32/IniText.h"

#include <gtest/gtest.h>

namespace {
std::string Set(const std::string& text, const char* section, const char* key, const char* value) {
    std::optional<std::string> k, v;
    if (key)
        k = key;
    if (value)
        v = value;
    return SetIniValue(text, section, k, v);
}
} // namespace

TEST(IniText, NewFileNewSectionAndNewKey) {
    EXPECT_EQ(Set("", "boot", "SCRNSAVE.EXE", "C:/x.scr"), "[boot]\r\nSCRNSAVE.EXE=C:/x.scr\r\n");
    EXPECT_EQ(Set("[386Enh]\r\nwoafont=dosapp.fon", "boot", "k", "v"),
              "[386Enh]\r\nwoafont=dosapp.fon\r\n[boot]\r\nk=v\r\n")
        << "a last line without a line end gets one before the new section";
}

TEST(IniText, ReplacesAKeyMatchedWithoutRegardToCase) {
    std::string text =
        "; "
        "settings\n[Boot]\nshell=Explorer.exe\nscrnsave.exe=old.scr\n\n[drivers]\nwave=mmdrv.dll\n";
    EXPECT_EQ(Set(text, "BOOT", "SCRNSAVE.EXE", "new.scr"),
              "; "
              "settings\n[Boot]\nshell=Explorer.exe\nSCRNSAVE.EXE=new.scr\r\n\n[drivers]\nwave="
              "mmdrv.dll\n");
}

TEST(IniText, NewKeyGoesToTheEndOfItsSectionBeforeBlankLines) {
    std::string text = "[boot]\r\nshell=Explorer.exe\r\n\r\n[drivers]\r\nwave=mmdrv.dll\r\n";
    EXPECT_EQ(Set(text, "boot", "SCRNSAVE.EXE", "a.scr"),
              "[boot]\r\nshell=Explorer.exe\r\nSCRNSAVE.EXE=a.scr\r\n\r\n[drivers]\r\nwave=mmdrv."
              "dll\r\n");
}

TEST(IniText, CommentsAndLookAlikesAreNotKeys) {
    std::string text = "[boot]\r\n;SCRNSAVE.EXE=commented\r\nSCRNSAVE.EXE.OLD=x\r\n";
    EXPECT_EQ(Set(text, "boot", "SCRNSAVE.EXE", "y"),
              "[boot]\r\n;SCRNSAVE.EXE=commented\r\nSCRNSAVE.EXE.OLD=x\r\nSCRNSAVE.EXE=y\r\n");
}

TEST(IniText, DeletingKeysAndSections) {
    std::string text = "[a]\r\nk=1\r\nj=2\r\n[b]\r\nk=3\r\n";
    EXPECT_EQ(Set(text, "a", "K", nullptr), "[a]\r\nj=2\r\n[b]\r\nk=3\r\n");
    EXPECT_EQ(Set(text, "A", nullptr, nullptr), "[b]\r\nk=3\r\n");
    EXPECT_EQ(Set(text, "c", "k", nullptr), text);
}

TEST(IniText, ReadsValuesBack) {
    std::string text = "[a]\r\nk = spaced value \r\n[b]\r\nk=3\r\n";
    EXPECT_EQ(GetIniValue(text, "A", "K"), "spaced value");
    EXPECT_EQ(GetIniValue(text, "b", "k"), "3");
    EXPECT_EQ(GetIniValue(text, "c", "k"), std::nullopt);
    EXPECT_EQ(GetIniValue(text, "a", "j"), std::nullopt);
}

TEST(IniText, AKeyLineWithoutEqualsIsTheKey) {
    std::string text = "[boot]\r\nSCRNSAVE.EXE\r\nshell=Explorer.exe\r\n";
    EXPECT_EQ(Set(text, "boot", "scrnsave.exe", "a.scr"),
              "[boot]\r\nscrnsave.exe=a.scr\r\nshell=Explorer.exe\r\n");
    EXPECT_EQ(Set(text, "boot", "SCRNSAVE.EXE", nullptr), "[boot]\r\nshell=Explorer.exe\r\n");
    EXPECT_EQ(GetIniValue(text, "boot", "SCRNSAVE.EXE"), std::nullopt) << "a key without a value";
    EXPECT_EQ(
        GetIniValue("[boot]\r\n  SCRNSAVE.EXE  \r\nSCRNSAVE.EXE=late\r\n", "boot", "SCRNSAVE.EXE"),
        std::nullopt)
        << "the first line of a key is the one that counts";
}

TEST(IniText, SectionAndKeyArgumentsAreTrimmed) {
    std::string text = "[boot]\r\nSCRNSAVE.EXE=old.scr\r\n";
    EXPECT_EQ(Set(text, " boot\t", "\tSCRNSAVE.EXE ", "new.scr"),
              "[boot]\r\nSCRNSAVE.EXE=new.scr\r\n");
    EXPECT_EQ(Set(text, "  boot ", " SCRNSAVE.EXE", nullptr), "[boot]\r\n");
    EXPECT_EQ(Set("", " boot ", " k ", " v "), "[boot]\r\nk= v \r\n")
        << "new names are written trimmed; the value is written as given";
    EXPECT_EQ(GetIniValue(text, " BOOT ", " scrnsave.exe "), "old.scr");
}

namespace {

// ASCII text as UTF-16 bytes.
std::string Utf16(const std::string& ascii, bool bigEndian = false) {
    std::string out;
    for (char c : ascii) {
        out += bigEndian ? '\0' : c;
        out += bigEndian ? c : '\0';
    }
    return out;
}

std::optional<std::string> SetFile(const std::string& file, const char* section, const char* key,
                                   const char* value) {
    std::optional<std::string> k, v;
    if (key)
        k = key;
    if (value)
        v = value;
    return SetIniFileValue(file, section, k, v);
}

} // namespace

TEST(IniText, AUtf8MarkDoesNotHideTheFirstSection) {
    const std::string mark = "\xEF\xBB\xBF";
    std::string file = mark + "[boot]\r\nshell=Explorer.exe\r\n[drivers]\r\n";
    EXPECT_EQ(SetFile(file, "boot", "SCRNSAVE.EXE", "a.scr"),
              mark + "[boot]\r\nshell=Explorer.exe\r\nSCRNSAVE.EXE=a.scr\r\n[drivers]\r\n");
    EXPECT_EQ(GetIniFileValue(file, "boot", "shell"), "Explorer.exe");
    EXPECT_EQ(SetFile(mark, "boot", "k", "v"), mark + "[boot]\r\nk=v\r\n");
    EXPECT_EQ(SetFile(file, "boot", "missing", nullptr), file);
}

TEST(IniText, Utf16FilesAreEditedInUtf16) {
    const std::string le = "\xFF\xFE";
    // An e with acute accent, a G clef (a surrogate pair) and a lone low
    // surrogate on lines the edit does not touch must come back unit for unit.
    const std::string untouched = std::string("c\0=\0\xE9\0\x34\xD8\x1E\xDD\x00\xDC\r\0\n\0", 16);
    const std::string file = le + Utf16("; note\r\n[Boot]\r\n") + untouched + Utf16("[x]\r\n");
    EXPECT_EQ(SetFile(file, "boot", "SCRNSAVE.EXE", "a.scr"),
              le + Utf16("; note\r\n[Boot]\r\n") + untouched + Utf16("SCRNSAVE.EXE=a.scr\r\n") +
                  Utf16("[x]\r\n"));
    EXPECT_EQ(SetFile(file, "new", "k", "\xC3\xA9"),
              file + Utf16("[new]\r\nk=") + std::string("\xE9\0", 2) + Utf16("\r\n"))
        << "UTF-8 arguments become UTF-16";
    EXPECT_EQ(GetIniFileValue(file, "boot", "c"), "\xC3\xA9\xF0\x9D\x84\x9E\xEF\xBF\xBD")
        << "a lone surrogate reads as U+FFFD";

    const std::string be = "\xFE\xFF";
    EXPECT_EQ(SetFile(be + Utf16("[boot]\r\n", true), "boot", "k", "v"),
              be + Utf16("[boot]\r\nk=v\r\n", true));
    EXPECT_EQ(SetFile(le, "boot", "k", "v"), le + Utf16("[boot]\r\nk=v\r\n"));
}

TEST(IniText, Utf16ThatCannotBeKeptIsLeftAlone) {
    const std::string le = "\xFF\xFE";
    EXPECT_EQ(SetFile(le + Utf16("[boot]\r\n") + "x", "boot", "k", "v"), std::nullopt)
        << "an odd byte count";
    EXPECT_EQ(GetIniFileValue(le + Utf16("[boot]\r\nk=v\r\n") + "x", "boot", "k"), std::nullopt);
}

// Arguments are system text: UTF-8, other bytes read as Windows-1252. A file
// with a mark gets their UTF-8 (in UTF-16 for a UTF-16 file); a file without
// one the bytes as they are.
TEST(IniText, ArgumentsAreWrittenInTheFilesEncoding) {
    const std::string le = "\xFF\xFE", mark = "\xEF\xBB\xBF";
    EXPECT_EQ(SetFile(le + Utf16("[boot]\r\n"), "boot", "k", "\xE9\x80"),
              le + Utf16("[boot]\r\nk=") + std::string("\xE9\0\xAC\x20", 4) + Utf16("\r\n"))
        << "Windows-1252 bytes become the UTF-16 of their characters";
    EXPECT_EQ(SetFile(le + Utf16("[boot]\r\n"), "boot", "k", "\xC0\xAF"),
              le + Utf16("[boot]\r\nk=") + std::string("\xC0\0\xAF\0", 4) + Utf16("\r\n"))
        << "an overlong form is two Windows-1252 characters";
    EXPECT_EQ(SetFile(mark, "Caf\xE9", "k", "\x80"), mark + "[Caf\xC3\xA9]\r\nk=\xE2\x82\xAC\r\n");
    EXPECT_EQ(SetFile("", "Caf\xE9", "k", "\x80"), "[Caf\xE9]\r\nk=\x80\r\n");
    EXPECT_EQ(SetFile("", "Caf\xC3\xA9", "k", "\xE2\x82\xAC"),
              "[Caf\xC3\xA9]\r\nk=\xE2\x82\xAC\r\n");
    EXPECT_EQ(GetIniFileValue(mark + "[Caf\xC3\xA9]\r\nk=\xE2\x82\xAC\r\n", "caf\xE9", "K"),
              "\xE2\x82\xAC");
}

// A name matches by its characters, with ASCII letters folded: the same name
// in UTF-8 and in Windows-1252 bytes is one name; "É" and "é" are two.
TEST(IniText, NonAsciiNamesMatchByTheirCharacters) {
    const std::string text = "[Caf\xE9]\r\nCl\xE9=1\r\n[\xD0\x96\xD1\x83\xD0\xBA]\r\nk=2\r\n";
    EXPECT_EQ(GetIniValue(text, "CAF\xC3\xA9", "cL\xC3\xA9"), "1");
    EXPECT_EQ(GetIniValue(text, "caf\xE9", "CL\xE9"), "1");
    EXPECT_EQ(GetIniValue(text, "\xD0\x96\xD1\x83\xD0\xBA", "K"), "2");
    EXPECT_EQ(GetIniValue(text, "CAF\xC9", "cl\xE9"), std::nullopt) << "only ASCII is folded";
    EXPECT_EQ(GetIniValue(text, "Caf\xE9\xE9", "Cl\xE9"), std::nullopt);
    EXPECT_EQ(GetIniValue(text, "Caf", "Cl\xE9"), std::nullopt);
    EXPECT_EQ(Set(text, "caf\xC3\xA9", "cl\xC3\xA9", "3"),
              "[Caf\xE9]\r\ncl\xC3\xA9=3\r\n[\xD0\x96\xD1\x83\xD0\xBA]\r\nk=2\r\n")
        << "the key is replaced, written as given";
}
