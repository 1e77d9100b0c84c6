// Stored binary data of pictures and image lists. The first byte chooses the
// reader. Any input either reads, and then writes back to data that reads to
// the same data, or fails with an Exception and leaves the object unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <type_traits>

#include "framework/base/Streams.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/PersistentPicture.h"

namespace {

template <class T> bool Read(T& object, const uint8_t* data, size_t size) {
    TMemoryStream stream;
    stream.WriteBuffer(data, int64_t(size));
    stream.SetPosition(0);
    try {
        object.ReadImages(stream);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

template <> bool Read(TPersistentPicture& object, const uint8_t* data, size_t size) {
    TMemoryStream stream;
    stream.WriteBuffer(data, int64_t(size));
    stream.SetPosition(0);
    try {
        object.ReadData(stream);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

template <class T> TMemoryStream Write(const T& object) {
    TMemoryStream stream;
    if constexpr (std::is_same_v<T, TPersistentPicture>)
        object.WriteData(stream);
    else
        object.WriteImages(stream);
    return stream;
}

bool Same(TMemoryStream a, TMemoryStream b) {
    return a.Size() == b.Size() && std::equal(a.Memory(), a.Memory() + a.Size(), b.Memory());
}

// `first` and `second` start alike and empty.
template <class T> void Check(T& first, T& second, const uint8_t* data, size_t size) {
    if (!Read(first, data, size)) {
        if (!Same(Write(first), Write(second)))
            std::abort(); // a failed read changed the object
        return;
    }
    TMemoryStream written = Write(first);
    if (!Read(second, written.Memory(), size_t(written.Size())))
        std::abort(); // written data does not read
    if (!Same(Write(second), Write(first)))
        std::abort(); // a round trip changed the data
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    if (data[0] & 1) {
        TPersistentPicture first, second;
        Check(first, second, data + 1, size - 1);
    } else {
        TImageList first(4, 4), second(4, 4);
        Check(first, second, data + 1, size - 1);
    }
    return 0;
}
