#include "package/ScreensaverName.h"

#include <gtest/gtest.h>

namespace {

using enum TNameFault;

struct NameCase {
    std::string name;
    TNameFault fault;
    std::string reason;
};

void ExpectProblem(const NameCase& c) {
    const TNameProblem problem = ScreensaverNameProblem(c.name);
    EXPECT_EQ(problem.Fault, c.fault) << PrintableName(c.name);
    EXPECT_EQ(problem.Reason, c.reason) << PrintableName(c.name);
    EXPECT_EQ(static_cast<bool>(problem), c.fault != nfNone) << PrintableName(c.name);
}

} // namespace

// Names that cannot be a file of one folder anywhere.
TEST(ScreensaverName, NoFileNameAtAll) {
    const NameCase cases[] = {
        {"", nfNotAFileName, "the name is empty"},
        {".", nfNotAFileName, "\".\" names a folder"},
        {"..", nfNotAFileName, "\"..\" names a folder"},
        {"a/b", nfNotAFileName, "\"/\" separates folders"},
        {"..\\evil", nfNotAFileName, "\"\\\" separates folders"},
        {"tab\tbed", nfNotAFileName, "\\x09 is a control character"},
        {std::string("nul\0x", 5), nfNotAFileName, "\\x00 is a control character"},
        {"del\x7f", nfNotAFileName, "\\x7F is a control character"},
        {"\x1f", nfNotAFileName, "\\x1F is a control character"},
        // The first problem that makes it no file name wins over Windows' own.
        {"C:\\x", nfNotAFileName, "\"\\\" separates folders"},
        {"CON/", nfNotAFileName, "\"/\" separates folders"},
    };
    for (const NameCase& c : cases)
        ExpectProblem(c);
}

// File names here that no Windows program could open.
TEST(ScreensaverName, RefusedByWindows) {
    const NameCase cases[] = {
        {" ", nfNotOnWindows, "the name is only blanks"},
        {"   ", nfNotOnWindows, "the name is only blanks"},
        {"a:b", nfNotOnWindows, "\":\" is not allowed in Windows file names"},
        {"x*y", nfNotOnWindows, "\"*\" is not allowed in Windows file names"},
        {"why?", nfNotOnWindows, "\"?\" is not allowed in Windows file names"},
        {"say \"hi\"", nfNotOnWindows, "\"\"\" is not allowed in Windows file names"},
        {"<fish>", nfNotOnWindows, "\"<\" is not allowed in Windows file names"},
        {"fish>", nfNotOnWindows, "\">\" is not allowed in Windows file names"},
        {"a|b", nfNotOnWindows, "\"|\" is not allowed in Windows file names"},
        {"Fish.", nfNotOnWindows, "Windows drops the dot at the end of a name"},
        {"...", nfNotOnWindows, "Windows drops the dot at the end of a name"},
        {"Fish ", nfNotOnWindows, "Windows drops the blank at the end of a name"},
        {"CON", nfNotOnWindows, "CON is a Windows device name"},
        {"con", nfNotOnWindows, "CON is a Windows device name"},
        {"con.txt", nfNotOnWindows, "CON is a Windows device name"},
        {"Nul.scr", nfNotOnWindows, "NUL is a Windows device name"},
        {"PRN", nfNotOnWindows, "PRN is a Windows device name"},
        {"aux.a.b", nfNotOnWindows, "AUX is a Windows device name"},
        {"COM1", nfNotOnWindows, "COM1 is a Windows device name"},
        {"com9.x", nfNotOnWindows, "COM9 is a Windows device name"},
        {"LPT1", nfNotOnWindows, "LPT1 is a Windows device name"},
        {"lpt9", nfNotOnWindows, "LPT9 is a Windows device name"},
        {"CON .txt", nfNotOnWindows, "CON is a Windows device name"},
    };
    for (const NameCase& c : cases)
        ExpectProblem(c);
}

// Device names only count as the whole part before the first dot; letters
// beyond ASCII are letters.
TEST(ScreensaverName, UsableNames) {
    for (const char* name :
         {"Tropical Fish", "Tropical Fish 2.0 (c) \xE9t\xE9", "Caf\xC3\xA9", ".hidden", "a.b",
          "CONSOLE", "Icon", "NULL", "COM", "COM10", "LPT0", "xCON", "my con.txt", "Con-tra",
          "\xD0\x90\xD0\xBA\xD0\xB2\xD0\xB0\xD1\x80\xD0\xB8\xD1\x83\xD0\xBC \xE6\xB0\xB4",
          " leading blank", "~$#%&'()+,;=@[]^`{}"})
        ExpectProblem({name, nfNone, ""});
}

TEST(ScreensaverName, PrintableNameEscapesOnlyControlCharacters) {
    EXPECT_EQ(PrintableName(std::string("a\x01\x1b[2J\x7f\0z", 9)), "a\\x01\\x1B[2J\\x7F\\x00z");
    EXPECT_EQ(PrintableName("Caf\xC3\xA9 \"x\" a:b"), "Caf\xC3\xA9 \"x\" a:b");
}
