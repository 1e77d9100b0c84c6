#include "framework/graphics/PersistentPicture.h"

#include "framework/base/Endian.h"
#include "framework/base/Streams.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/metafile/Metafile.h"

#include <vector>

namespace {
constexpr size_t kBitmapLengthSize = 4;

[[noreturn]] void Damaged(const char* what) {
    throw EReadError(Format("Picture data is damaged (%s)", what));
}
} // namespace

SSI_DEFINE_CLASS(TPersistentPicture, TPersistent)

void TPersistentPicture::DeclarePublished(TPropertyBuilder& p) {
    p.Binary("Data", &TPersistentPicture::HasData, &TPersistentPicture::ReadData,
             &TPersistentPicture::WriteData);
}

void TPersistentPicture::Assign(const TPersistent& source) {
    if (auto* picture = dynamic_cast<const TPersistentPicture*>(&source)) {
        TPicture::Assign(*picture);
        return;
    }
    TPersistent::Assign(source);
}

bool TPersistentPicture::HasData() const {
    const TGraphic* graphic = Graphic();
    if (graphic == nullptr)
        return false;
    if (dynamic_cast<const TBitmap*>(graphic))
        return true;
    if (auto* metafile = dynamic_cast<const TMetafile*>(graphic))
        return !metafile->Data().empty();
    return !graphic->Empty();
}

void TPersistentPicture::ReadData(TStream& stream) {
    const int64_t remaining = stream.Size() - stream.Position();
    std::vector<uint8_t> data(size_t(remaining > 0 ? remaining : 0));
    if (!data.empty())
        stream.ReadBuffer(data.data(), int64_t(data.size()));
    if (data.empty()) {
        SetGraphic(static_cast<const TGraphic*>(nullptr));
        return;
    }
    const size_t nameLength = data[0];
    if (nameLength == 0 || 1 + nameLength > data.size())
        Damaged("no graphic kind");
    const std::string className(reinterpret_cast<const char*>(data.data() + 1), nameLength);
    std::unique_ptr<TGraphic> graphic = CreateGraphicForClassName(className);
    if (!graphic)
        throw EReadError(Format("Unknown picture kind %s", className.c_str()));
    const uint8_t* body = data.data() + 1 + nameLength;
    size_t bodySize = data.size() - 1 - nameLength;

    if (auto* metafile = dynamic_cast<TMetafile*>(graphic.get())) {
        metafile->SetData(std::vector<uint8_t>(body, body + bodySize));
    } else {
        if (dynamic_cast<TBitmap*>(graphic.get())) {
            if (bodySize < kBitmapLengthSize || LoadU32(body) != bodySize - kBitmapLengthSize)
                Damaged("bitmap length");
            body += kBitmapLengthSize;
            bodySize -= kBitmapLengthSize;
        }
        TMemoryStream bytes;
        bytes.WriteBuffer(body, int64_t(bodySize));
        bytes.SetPosition(0);
        graphic->LoadFromStream(bytes);
    }
    SetGraphic(std::move(graphic));
}

void TPersistentPicture::WriteData(TStream& stream) const {
    if (!Graphic())
        return;
    const std::string className = GraphicClassName(*Graphic());
    const uint8_t nameLength = uint8_t(className.size());
    stream.WriteBuffer(&nameLength, 1);
    stream.WriteBuffer(className.data(), int64_t(className.size()));
    if (dynamic_cast<const TBitmap*>(Graphic())) {
        TMemoryStream file;
        Graphic()->SaveToStream(file);
        uint8_t length[kBitmapLengthSize];
        StoreU32(length, uint32_t(file.Size()));
        stream.WriteBuffer(length, kBitmapLengthSize);
        stream.WriteBuffer(file.Memory(), file.Size());
        return;
    }
    Graphic()->SaveToStream(stream);
}
