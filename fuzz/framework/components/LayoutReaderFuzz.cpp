#include "support/ComponentTestClasses.h"

#include "framework/components/LayoutReader.h"
#include "framework/components/LayoutWriter.h"

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool registered = (RegisterTestClasses(), true);
    (void)registered;
    TestLog().clear();
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string written;
    {
        TTestForm form(nullptr);
        try {
            ReadLayout(form, text);
        } catch (const Exception&) {
            if (form.ComponentCount() != 0 || form.HasState(csLoading))
                std::abort(); // a failed read must leave nothing behind
            return 0;
        }
        written = WriteLayout(form);
    }
    TTestForm again(nullptr);
    try {
        ReadLayout(again, written);
    } catch (const Exception& e) {
        std::fprintf(stderr, "written layout does not read: %s\n%s", e.what(), written.c_str());
        std::abort();
    }
    if (WriteLayout(again) != written) {
        std::fprintf(stderr, "round trip changed the layout:\n%s", written.c_str());
        std::abort();
    }
    return 0;
}
