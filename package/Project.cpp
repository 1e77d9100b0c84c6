#include "Project.h"

#include "framework/base/SysUtils.h"

#include <algorithm>

namespace {

const char* YesNo(bool value) {
    return value ? "YES" : "NO";
}

// Positions in the text shift with the counts as written, which may be
// negative or huge in a damaged record: they are computed in 64 bits so that
// a count can never wrap a position around to an existing line.
class TRecordLines {
public:
    explicit TRecordLines(const std::string& text) { FLines.SetText(text); }

    const std::string& Line(int64_t index) const {
        if (index < 0 || index >= FLines.Count())
            throw EListError(
                Format("List index out of bounds (%lld)", static_cast<long long>(index)));
        return FLines.Get(static_cast<int>(index));
    }
    bool Flag(int64_t index) const { return Line(index) == "YES"; }
    int32_t Integer(int64_t index) const { return StrToInt(Line(index)); }

private:
    TStringList FLines;
};

} // namespace

void TProject::SaveToStream() {
    TStringList lines;
    for (const std::string* text :
         {&ScreensaverName, &LogoFile, &HeaderText2, &Homepage, &HeaderText4, &Copyright})
        lines.Add(*text);
    lines.Add(IntToStr(FlashList.Count()));
    for (const std::string& entry : FlashList.Items())
        lines.Add(entry);
    lines.Add(YesNo(OptionFlag1));
    lines.Add(YesNo(ShowLicense));
    lines.Add(YesNo(OptionFlag3));
    lines.Add(IntToStr(LicenseText.Count()));
    for (const std::string& line : LicenseText.Items())
        lines.Add(line);
    lines.Add(IntToStr(TailNumber));
    for (const std::string* text : {&TailText1, &TailText2, &TailText3, &TailText4})
        lines.Add(*text);
    lines.Add(YesNo(TailFlag));

    std::string text = lines.Text();
    ProjectStream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TProject::LoadFromStream() {
    int64_t position = ProjectStream.Position();
    int64_t available = std::max<int64_t>(0, ProjectStream.Size() - position);
    std::string text(static_cast<size_t>(available), '\0');
    ProjectStream.ReadBuffer(text.data(), available);
    const TRecordLines record(text);

    ScreensaverName = record.Line(0);
    LogoFile = record.Line(1);
    HeaderText2 = record.Line(2);
    Homepage = record.Line(3);
    HeaderText4 = record.Line(4);
    Copyright = record.Line(5);

    const int64_t k = record.Integer(6);
    FlashList.Clear();
    for (int64_t i = 0; i < k; ++i)
        FlashList.Add(record.Line(7 + i));
    OptionFlag1 = record.Flag(7 + k);
    ShowLicense = record.Flag(8 + k);
    OptionFlag3 = record.Flag(9 + k);

    const int64_t l = record.Integer(10 + k);
    LicenseText.Clear();
    for (int64_t i = 0; i < l; ++i)
        LicenseText.Add(record.Line(11 + k + i));

    TailNumber = record.Integer(11 + k + l);
    TailText1 = record.Line(12 + k + l);
    TailText2 = record.Line(13 + k + l);
    TailText3 = record.Line(14 + k + l);
    TailText4 = record.Line(15 + k + l);
    TailFlag = record.Flag(16 + k + l);
}
