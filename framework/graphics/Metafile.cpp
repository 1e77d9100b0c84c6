#include "framework/graphics/Metafile.h"

#include "framework/base/Endian.h"
#include "framework/base/Streams.h"

#include <vector>

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeaderSize = 22;
constexpr size_t kWmfHeaderSize = 18;
constexpr uint32_t kEmrHeader = 1;
constexpr size_t kEmfSignatureField = 40;
constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"

bool IsWmfHeader(const uint8_t* d, size_t size) {
    return size >= kWmfHeaderSize && (LoadU16(d) == 1 || LoadU16(d) == 2) && LoadU16(d + 2) == 9;
}

} // namespace

TMetafileKind DetectMetafile(const uint8_t* data, size_t size) {
    if (size >= kPlaceableHeaderSize && LoadU32(data) == kPlaceableKey &&
        IsWmfHeader(data + kPlaceableHeaderSize, size - kPlaceableHeaderSize))
        return TMetafileKind::mkPlaceableWmf;
    if (IsWmfHeader(data, size))
        return TMetafileKind::mkWmf;
    if (size >= kEmfSignatureField + 4 && LoadU32(data) == kEmrHeader &&
        LoadU32(data + kEmfSignatureField) == kEmfSignature)
        return TMetafileKind::mkEmf;
    return TMetafileKind::mkNone;
}

void TMetafile::Draw(TCanvas&, const TRect&) const {}

void TMetafile::LoadFromStream(TStream& stream) {
    std::vector<uint8_t> data = ReadRemaining(stream);
    if (DetectMetafile(data.data(), data.size()) == TMetafileKind::mkNone)
        throw EInvalidGraphic("Metafile is not valid");
    throw EInvalidGraphic("Metafile pictures cannot be displayed yet");
}

void TMetafile::SaveToStream(TStream& stream) const {
    if (FData.empty())
        throw EInvalidGraphic("Cannot save an empty metafile");
    stream.WriteBuffer(FData.data(), int64_t(FData.size()));
}

std::unique_ptr<TGraphic> TMetafile::Clone() const {
    auto copy = std::make_unique<TMetafile>();
    copy->FData = FData;
    return copy;
}

void TMetafile::SetData(std::vector<uint8_t> data) {
    if (DetectMetafile(data.data(), data.size()) == TMetafileKind::mkNone)
        throw EInvalidGraphic("Metafile is not valid");
    FData = std::move(data);
    Changed();
}
