// Stored binary data of pictures and image lists. A picture file (BMP, ICO,
// JPEG, WMF, EMF) is read as the stored data of a picture holding it, so that
// real files can seed the target; for anything else the first byte chooses
// the reader. Any input either reads, and then writes back to data that reads
// to the same data, or fails with an Exception and leaves the object
// unchanged. Pictures larger than the fuzzing budget are passed over
// (FuzzBudget.h).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <type_traits>

#include "framework/base/Streams.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/PersistentPicture.h"
#include "FuzzBudget.h"

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
    const std::vector<uint8_t> file = fuzz_budget::StoredPictureOf(data, size);
    if (!file.empty()) {
        if (fuzz_budget::StoredPictureOverBudget(file.data(), file.size()))
            return 0;
        TPersistentPicture first, second;
        Check(first, second, file.data(), file.size());
        return 0;
    }
    if (size == 0)
        return 0;
    if ((data[0] & 1) && fuzz_budget::StoredPictureOverBudget(data + 1, size - 1))
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
