// Reads arbitrary bytes as a package: every failure must be an Exception with
// a message, never a crash, a hang or a huge allocation.

#include "framework/base/SysUtils.h"
#include "package/DecompileStream.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream file;
    file.WriteBuffer(data, static_cast<int64_t>(size));
    TDecompileStream reader;
    try {
        reader.Decompile(file);
    } catch (const Exception&) {
        return 0;
    }
    for (int32_t i = -1; i <= std::min(reader.Count(), 8); ++i) {
        for (bool force : {false, true}) {
            try {
                auto stream = reader.GetStream(i, force);
                if (i >= 0 && i < reader.Count() && stream->Size() != reader.OriginalSize(i) &&
                    stream->Size() != reader.StoredSize(i))
                    std::abort(); // a stream came back with a size the table does not give
            } catch (const Exception& e) {
                if (e.Message().empty())
                    std::abort();
            }
        }
        try {
            reader.GetStoredStream(i);
        } catch (const Exception&) {
        }
    }
    return 0;
}
