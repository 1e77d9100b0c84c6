#include "framework/graphics/PersistentBitmap.h"

#include "framework/base/Endian.h"
#include "framework/base/Streams.h"
#include "framework/components/PropertyBuilder.h"

#include <vector>

namespace {
constexpr size_t kLengthSize = 4;
} // namespace

SSI_DEFINE_CLASS(TPersistentBitmap, TPersistent)

void TPersistentBitmap::DeclarePublished(TPropertyBuilder& p) {
    p.Binary("Data", &TPersistentBitmap::HasData, &TPersistentBitmap::ReadData,
             &TPersistentBitmap::WriteData);
}

void TPersistentBitmap::Assign(const TPersistent& source) {
    if (auto* bitmap = dynamic_cast<const TPersistentBitmap*>(&source)) {
        Assign(static_cast<const TBitmap&>(*bitmap));
        return;
    }
    TPersistent::Assign(source);
}

void TPersistentBitmap::Assign(const TBitmap& source) {
    TBitmap::Assign(source);
}

void TPersistentBitmap::ReadData(TStream& stream) {
    const int64_t remaining = stream.Size() - stream.Position();
    std::vector<uint8_t> data(size_t(remaining > 0 ? remaining : 0));
    if (!data.empty())
        stream.ReadBuffer(data.data(), int64_t(data.size()));
    if (data.empty()) {
        Clear();
        return;
    }
    if (data.size() < kLengthSize || LoadU32(data.data()) != data.size() - kLengthSize)
        throw EReadError("Bitmap data is damaged (bitmap length)");
    // Decoded into a scratch bitmap first, so that damaged data changes
    // nothing.
    TBitmap decoded;
    TMemoryStream file;
    file.WriteBuffer(data.data() + kLengthSize, int64_t(data.size() - kLengthSize));
    file.SetPosition(0);
    decoded.LoadFromStream(file);
    TBitmap::Assign(decoded);
}

void TPersistentBitmap::WriteData(TStream& stream) const {
    if (Empty())
        return;
    TMemoryStream file;
    SaveToStream(file);
    uint8_t length[kLengthSize];
    StoreU32(length, uint32_t(file.Size()));
    stream.WriteBuffer(length, kLengthSize);
    stream.WriteBuffer(file.Memory(), file.Size());
}
