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
    count_ = count;
    image_ = std::move(image);
    originalSizes_ = std::move(originals);
    storedSizes_ = std::move(storeds);
}

void TDecompileStream::CheckIndex(int32_t index) const {
    if (index < 0 || index >= count_)
        throw EListError(Format("List index out of bounds (%d)", index));
}

int32_t TDecompileStream::OriginalSize(int32_t index) const {
    CheckIndex(index);
    return originalSizes_[static_cast<size_t>(index)];
}

int32_t TDecompileStream::StoredSize(int32_t index) const {
    CheckIndex(index);
    return storedSizes_[static_cast<size_t>(index)];
}

void TDecompileStream::StoredRange(int32_t index, int64_t& offset, int64_t& stored) const {
    offset = 0;
    for (int32_t i = 0; i < index; ++i) {
        if (storedSizes_[static_cast<size_t>(i)] < 0)
            throw EReadError("Stream read error");
        offset += storedSizes_[static_cast<size_t>(i)];
    }
    stored = storedSizes_[static_cast<size_t>(index)];
    if (stored < 0 || offset + stored > static_cast<int64_t>(image_.size()))
        throw EReadError("Stream read error");
}

std::unique_ptr<TMemoryStream> TDecompileStream::GetStream(int32_t index, bool force) const {
    if (index < 0)
        throw EListError(Format("List index out of bounds (%d)", index));
    if (index >= count_)
        return std::make_unique<TMemoryStream>();

    int64_t offset = 0, stored = 0;
    StoredRange(index, offset, stored);
    const int64_t original = originalSizes_[static_cast<size_t>(index)];
    if (original < 0)
        throw EReadError("Stream read error");
    if (stored == original && !force)
        return GetStoredStream(index);
    if (original > stored * kMaxInflateRatio + kZlibOverhead)
        throw EReadError("Stream read error");

    auto result = std::make_unique<TMemoryStream>();
    result->SetSize(original);
    ZDecompress(image_.data() + offset, static_cast<size_t>(stored), result->Memory(),
                static_cast<size_t>(original));
    return result;
}

std::unique_ptr<TMemoryStream> TDecompileStream::GetStoredStream(int32_t index) const {
    CheckIndex(index);
    int64_t offset = 0, stored = 0;
    StoredRange(index, offset, stored);
    auto result = std::make_unique<TMemoryStream>();
    result->WriteBuffer(image_.data() + offset, stored);
    result->SetPosition(0);
    return result;
}
