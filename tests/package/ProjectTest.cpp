#include "package/Project.h"

#include "framework/base/SysUtils.h"

#include <gtest/gtest.h>

namespace {

std::string Saved(TProject& project) {
    project.SaveToStream();
    return std::string(reinterpret_cast<const char*>(project.ProjectStream.Memory()),
                       static_cast<size_t>(project.ProjectStream.Size()));
}

void Load(TProject& project, const std::string& text) {
    project.ProjectStream.Clear();
    project.ProjectStream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    project.ProjectStream.SetPosition(0);
    project.LoadFromStream();
}

std::string LoadError(TProject& project, const std::string& text) {
    try {
        Load(project, text);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "<no exception>";
}

// Lines joined with the given line end.
std::string Join(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
    std::string text;
    for (const auto& line : lines)
        text += line + end;
    return text;
}

const std::vector<std::string> kMinimal = {"Fish", "C:\\logo.jpg", "h2",  "http://x", "h4", "(c)",
                                           "0",    "NO",           "YES", "NO",       "0",  "0",
                                           "t1",   "t2",           "t3",  "t4",       "NO"};

} // namespace

TEST(ProjectRecord, WritesSeventeenPlusKPlusLLines) {
    TProject p;
    p.ScreensaverName = "Tropical Fish";
    p.FlashList.Add("fish.swf");
    p.ShowLicense = true;
    p.TailNumber = -7;
    p.TailFlag = true;
    std::string text = Saved(p);
    TStringList lines;
    lines.SetText(text);
    ASSERT_EQ(lines.Count(), 18);
    EXPECT_EQ(lines[0], "Tropical Fish");
    EXPECT_EQ(lines[6], "1");
    EXPECT_EQ(lines[7], "fish.swf");
    EXPECT_EQ(lines[9], "YES");
    EXPECT_EQ(lines[11], "0");
    EXPECT_EQ(lines[12], "-7");
    EXPECT_EQ(lines[17], "YES");
    EXPECT_EQ(text.substr(text.size() - 5), "YES\r\n");
    EXPECT_EQ(p.ProjectStream.Position(), p.ProjectStream.Size());
}

TEST(ProjectRecord, SaveWritesAtThePositionWithoutClearing) {
    TProject p;
    p.ProjectStream.WriteBuffer("HEAD", 4);
    std::string text = Saved(p);
    EXPECT_EQ(text.substr(0, 6), "HEAD\r\n") << "the empty name follows the existing bytes";
}

TEST(ProjectRecord, RoundTripKeepsEveryField) {
    TProject p;
    p.ScreensaverName = "Name";
    p.LogoFile = "C:\\Pictures\\logo.JPG";
    p.HeaderText2 = "two";
    p.Homepage = "http://example.org/";
    p.HeaderText4 = "four";
    p.Copyright = "(c) 2026";
    p.OptionFlag1 = true;
    p.OptionFlag3 = true;
    p.TailNumber = INT32_MIN;
    p.TailText1 = "a";
    p.TailText2 = "";
    p.TailText3 = "c";
    p.TailText4 = "d";
    for (const char* entry : {"one.swf", "", "three.swf"})
        p.FlashList.Add(entry);
    for (const char* line : {"Licence", "", "Terms \xe9"})
        p.LicenseText.Add(line);
    p.SaveToStream();

    TProject q;
    q.ProjectStream.LoadFromStream(p.ProjectStream);
    q.LoadFromStream();
    EXPECT_EQ(q.ScreensaverName, p.ScreensaverName);
    EXPECT_EQ(q.LogoFile, p.LogoFile);
    EXPECT_EQ(q.HeaderText2, p.HeaderText2);
    EXPECT_EQ(q.Homepage, p.Homepage);
    EXPECT_EQ(q.HeaderText4, p.HeaderText4);
    EXPECT_EQ(q.Copyright, p.Copyright);
    EXPECT_EQ(q.OptionFlag1, true);
    EXPECT_EQ(q.ShowLicense, false);
    EXPECT_EQ(q.OptionFlag3, true);
    EXPECT_EQ(q.TailNumber, INT32_MIN);
    EXPECT_EQ(q.TailText1, "a");
    EXPECT_EQ(q.TailText2, "");
    EXPECT_EQ(q.TailText3, "c");
    EXPECT_EQ(q.TailText4, "d");
    EXPECT_EQ(q.TailFlag, false);
    EXPECT_EQ(q.FlashList.Items(), p.FlashList.Items());
    EXPECT_EQ(q.LicenseText.Items(), p.LicenseText.Items());
}

TEST(ProjectRecord, OnlyExactYesIsTrue) {
    for (const char* word : {"YES", "yes", "Yes", " YES", "YES ", "", "NO", "Y"}) {
        auto lines = kMinimal;
        lines[8] = word;
        TProject p;
        Load(p, Join(lines));
        EXPECT_EQ(p.ShowLicense, std::string(word) == "YES") << '"' << word << '"';
    }
}

TEST(ProjectRecord, LineEndsAndIntegerSyntax) {
    auto lines = kMinimal;
    lines[6] = "  $1";
    lines.insert(lines.begin() + 7, "movie.swf");
    lines[11] = "0x2";
    lines.insert(lines.begin() + 12, {"first", ""});
    lines[14] = "-42";
    lines.push_back("ignored");
    lines.push_back("also ignored");
    for (const char* end : {"\r\n", "\n", "\r"}) {
        TProject p;
        Load(p, Join(lines, end));
        EXPECT_EQ(p.FlashList.Items(), std::vector<std::string>{"movie.swf"}) << end;
        EXPECT_EQ(p.LicenseText.Items(), (std::vector<std::string>{"first", ""}));
        EXPECT_EQ(p.TailNumber, -42);
        EXPECT_EQ(p.TailText4, "t4");
        EXPECT_FALSE(p.TailFlag);
    }
    // No final line end, and a NUL that ends the text early.
    std::string text = Join(kMinimal);
    TProject p;
    Load(p, text.substr(0, text.size() - 2));
    EXPECT_EQ(p.TailText4, "t4");
    EXPECT_EQ(LoadError(p, text.substr(0, 20) + std::string(1, '\0') + text.substr(20)),
              "List index out of bounds (3)");
}

TEST(ProjectRecord, ReadsFromTheStreamPosition) {
    TProject p;
    std::string text = "garbage" + Join(kMinimal);
    p.ProjectStream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    p.ProjectStream.SetPosition(7);
    p.LoadFromStream();
    EXPECT_EQ(p.ScreensaverName, "Fish");
}

TEST(ProjectRecord, NonPositiveCountsStillShiftTheLinesBehind) {
    // A count of -2 puts the three flags at lines 5, 6 and 7 and the licence
    // count at line 8: positions follow the count as written.
    std::vector<std::string> lines = {"n", "l", "h2", "h",  "h4", "YES", "-2", "NO",
                                      "0", "7", "t1", "t2", "t3", "t4",  "YES"};
    TProject p;
    Load(p, Join(lines));
    EXPECT_TRUE(p.FlashList.Count() == 0);
    EXPECT_TRUE(p.OptionFlag1);
    EXPECT_FALSE(p.ShowLicense);
    EXPECT_FALSE(p.OptionFlag3);
    EXPECT_EQ(p.TailNumber, 7);
    EXPECT_EQ(p.TailText4, "t4");
    EXPECT_TRUE(p.TailFlag);
}

TEST(ProjectRecord, FailuresNameTheLineAndKeepEarlierFields) {
    TProject p;
    p.Copyright = "old copyright";
    p.ShowLicense = true;
    EXPECT_EQ(LoadError(p, ""), "List index out of bounds (0)");

    auto lines = kMinimal;
    lines[6] = "two";
    EXPECT_EQ(LoadError(p, Join(lines)), "'two' is not a valid integer value");
    EXPECT_EQ(p.ScreensaverName, "Fish") << "fields before the failing line are set";
    EXPECT_EQ(p.Copyright, "(c)");
    EXPECT_TRUE(p.ShowLicense) << "fields behind it keep their old values";

    lines = kMinimal;
    lines[11] = "12 ";
    EXPECT_EQ(LoadError(p, Join(lines)), "'12 ' is not a valid integer value");

    lines = kMinimal;
    lines.resize(16);
    EXPECT_EQ(LoadError(p, Join(lines)), "List index out of bounds (16)");

    lines = kMinimal;
    lines[6] = "3"; // three movie entries promised, the flags are read as entries
    lines.resize(12);
    EXPECT_EQ(LoadError(p, Join(lines)), "List index out of bounds (12)");
}

TEST(ProjectRecord, HugeCountsFailWithoutWrappingAround) {
    auto lines = kMinimal;
    lines[6] = "2147483647";
    TProject p;
    EXPECT_EQ(LoadError(p, Join(lines)), "List index out of bounds (17)");
    lines[6] = "-2147483648";
    EXPECT_EQ(LoadError(p, Join(lines)), "List index out of bounds (-2147483641)");
}
