// Enhanced metafiles (see MetafileFuzzer.h).
#include "MetafileFuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzMetafile(data, size, true);
}
