// Reads arbitrary bytes as a skin file: failures must be exceptions, never a
// crash, a hang or reading past the data.

#include "framework/base/SysUtils.h"
#include "skin/SUIThemeFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream file;
    file.WriteBuffer(data, static_cast<int64_t>(size));
    try {
        TsuiThemeFileReader reader(file);
        for (const char* key : {"ButtonImage", "FormBGColor", "TitleBarCaptionShadow", "Author"}) {
            if (TMemoryStream* s = reader.GetStream(key))
                s->Size();
            reader.GetInt(key);
            reader.GetBool(key);
            reader.GetText(key);
        }
    } catch (const Exception&) {
    }
    return 0;
}
