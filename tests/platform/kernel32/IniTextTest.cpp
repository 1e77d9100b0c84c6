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
