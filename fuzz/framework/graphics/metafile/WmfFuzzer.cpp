// Windows metafiles, plain and placeable (see MetafileFuzzer.h).
#include "MetafileFuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return FuzzMetafile(data, size, false);
}
