#include "CompileStream.h"

#include "PackageFormat.h"
#include "Zlib.h"

void TCompileStream::AddStream(TStream& source, bool compress, const TZProgress& progress) {
    int64_t size = source.Size();
    if (size > PackageFormat::kMaxSize)
        throw EStreamError(
            Format("A package stream cannot hold %lld bytes", static_cast<long long>(size)));
    std::vector<uint8_t> content(static_cast<size_t>(size));
    source.SetPosition(0);
    source.ReadBuffer(content.data(), size);
    if (compress)
        content = ZCompress(content.data(), content.size(), progress);
    else if (progress)
        progress(content.size());
    Append(content, static_cast<int32_t>(size));
}

void TCompileStream::AddStoredStream(TStream& stored, int32_t originalSize) {
    int64_t size = stored.Size();
    if (size > PackageFormat::kMaxSize || originalSize < 0)
        throw EStreamError(
            Format("A package stream cannot hold %lld bytes", static_cast<long long>(size)));
    std::vector<uint8_t> content(static_cast<size_t>(size));
    stored.SetPosition(0);
    stored.ReadBuffer(content.data(), size);
    Append(content, originalSize);
}

void TCompileStream::Append(const std::vector<uint8_t>& content, int32_t originalSize) {
    int64_t stored = static_cast<int64_t>(content.size());
    if (FPackage.Size() + stored + PackageFormat::kEntrySize * (FCount + 1) +
            PackageFormat::kCountSize >
        PackageFormat::kMaxSize)
        throw EStreamError("A package cannot grow beyond 2 GiB");
    FPackage.Seek(0, TSeekOrigin::soEnd);
    FPackage.WriteBuffer(content.data(), stored);
    FOriginalSizes.push_back(originalSize);
    FStoredSizes.push_back(static_cast<int32_t>(stored));
    ++FCount;
}

TMemoryStream& TCompileStream::Compile() {
    FPackage.Seek(0, TSeekOrigin::soEnd);
    uint8_t entry[8];
    for (int32_t i = 0; i < FCount; ++i) {
        StoreU32(entry, static_cast<uint32_t>(FOriginalSizes[static_cast<size_t>(i)]));
        StoreU32(entry + 4, static_cast<uint32_t>(FStoredSizes[static_cast<size_t>(i)]));
        FPackage.WriteBuffer(entry, sizeof entry);
    }
    StoreU32(entry, static_cast<uint32_t>(FCount));
    FPackage.WriteBuffer(entry, PackageFormat::kCountSize);
    return FPackage;
}
