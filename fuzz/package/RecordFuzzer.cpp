// Reads arbitrary bytes as a project record. A record that reads must write
// back into a text that reads to the same fields.

#include "framework/base/SysUtils.h"
#include "package/Project.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool SameFields(const TProject& a, const TProject& b) {
    return a.ScreensaverName == b.ScreensaverName && a.LogoFile == b.LogoFile &&
           a.HeaderText2 == b.HeaderText2 && a.Homepage == b.Homepage &&
           a.HeaderText4 == b.HeaderText4 && a.Copyright == b.Copyright &&
           a.OptionFlag1 == b.OptionFlag1 && a.ShowLicense == b.ShowLicense &&
           a.OptionFlag3 == b.OptionFlag3 && a.TailNumber == b.TailNumber &&
           a.TailText1 == b.TailText1 && a.TailText2 == b.TailText2 && a.TailText3 == b.TailText3 &&
           a.TailText4 == b.TailText4 && a.TailFlag == b.TailFlag &&
           a.FlashList.Items() == b.FlashList.Items() &&
           a.LicenseText.Items() == b.LicenseText.Items();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TProject project;
    project.ProjectStream.WriteBuffer(data, static_cast<int64_t>(size));
    project.ProjectStream.SetPosition(0);
    try {
        project.LoadFromStream();
    } catch (const Exception&) {
        return 0;
    }
    TProject copy;
    project.ProjectStream.Clear();
    project.SaveToStream();
    copy.ProjectStream.LoadFromStream(project.ProjectStream);
    copy.LoadFromStream();
    if (!SameFields(project, copy))
        std::abort();
    return 0;
}
