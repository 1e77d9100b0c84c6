#include "framework/graphics/Graphic.h"

#include "framework/base/Streams.h"

void TGraphic::SetTransparent(bool value) {
    if (value == FTransparent)
        return;
    FTransparent = value;
    Changed();
}

void TGraphic::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TGraphic::Changed() {
    if (OnChange)
        OnChange(*this);
}

std::vector<uint8_t> TGraphic::ReadRemaining(TStream& stream) {
    int64_t remaining = stream.Size() - stream.Position();
    std::vector<uint8_t> data(size_t(remaining > 0 ? remaining : 0));
    if (!data.empty())
        stream.ReadBuffer(data.data(), int64_t(data.size()));
    return data;
}
