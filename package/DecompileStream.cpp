#include "DecompileStream.h"

#include "PackageFormat.h"
#include "Zlib.h"

using namespace PackageFormat;

void TDecompileStream::Decompile(TStream& file) {
    int64_t size = file.Size();
    if (size < kCountSize || size > kMaxSize)
        throw EReadError("Stream read error");
    std::vector<uint8_t> image(static_cast<size_t>(size));
    file.SetPosition(0);
    file.ReadBuffer(image.data(), size);

    int32_t count = static_cast<int32_t>(LoadU32(image.data() + size - kCountSize));
    if (count < 0 || kEntrySize * count + kCountSize > size)
        throw EReadError("Stream read error");

    std::vector<int32_t> originals, storeds;
    originals.reserve(static_cast<size_t>(count));
    storeds.reserve(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        const uint8_t* entry = image.data() + size - kCountSize - kEntrySize * (count - i);
        originals.push_back(static_cast<int32_t>(LoadU32(entry)));
        storeds.push_back(static_cast<int32_t>(LoadU32(entry + 4)));
    }
    FCount = count;
    FImage = std::move(image);
    FOriginalSizes = std::move(originals);
    FStoredSizes = std::move(storeds);
}

void TDecompileStream::CheckIndex(int32_t index) const {
    if (index < 0 || index >= FCount)
        throw EListError(Format("List index out of bounds (%d)", index));
}

int32_t TDecompileStream::OriginalSize(int32_t index) const {
    CheckIndex(index);
    return FOriginalSizes[static_cast<size_t>(index)];
}

int32_t TDecompileStream::StoredSize(int32_t index) const {
    CheckIndex(index);
    return FStoredSizes[static_cast<size_t>(index)];
}

void TDecompileStream::StoredRange(int32_t index, int64_t& offset, int64_t& stored) const {
    offset = 0;
    for (int32_t i = 0; i < index; ++i) {
        if (FStoredSizes[static_cast<size_t>(i)] < 0)
            throw EReadError("Stream read error");
        offset += FStoredSizes[static_cast<size_t>(i)];
    }
    stored = FStoredSizes[static_cast<size_t>(index)];
    if (stored < 0 || offset + stored > static_cast<int64_t>(FImage.size()))
        throw EReadError("Stream read error");
}

std::unique_ptr<TMemoryStream> TDecompileStream::GetStream(int32_t index, bool force) const {
    if (index < 0)
        throw EListError(Format("List index out of bounds (%d)", index));
    if (index >= FCount)
        return std::make_unique<TMemoryStream>();

    int64_t offset = 0, stored = 0;
    StoredRange(index, offset, stored);
    const int64_t original = FOriginalSizes[static_cast<size_t>(index)];
    if (original < 0)
        throw EReadError("Stream read error");
    if (stored == original && !force)
        return GetStoredStream(index);
    if (original > stored * kMaxInflateRatio + kZlibOverhead)
        throw EReadError("Stream read error");

    auto result = std::make_unique<TMemoryStream>();
    result->SetSize(original);
    ZDecompress(FImage.data() + offset, static_cast<size_t>(stored), result->Memory(),
                static_cast<size_t>(original));
    return result;
}

std::unique_ptr<TMemoryStream> TDecompileStream::GetStoredStream(int32_t index) const {
    CheckIndex(index);
    int64_t offset = 0, stored = 0;
    StoredRange(index, offset, stored);
    auto result = std::make_unique<TMemoryStream>();
    result->WriteBuffer(FImage.data() + offset, stored);
    result->SetPosition(0);
    return result;
}
