#include "CompileStream.h"

#include "PackageFormat.h"
#include "Zlib.h"

#include <algorithm>

namespace {

constexpr int64_t kCopySlice = 256 * 1024;

void CheckStreamSize(int64_t size) {
    if (size > PackageFormat::kMaxSize)
        throw EStreamError(
            Format("A package stream cannot hold %lld bytes", static_cast<long long>(size)));
}

} // namespace

TCompileStream::TCompileStream() : FDestination(FMemory) {}

TCompileStream::TCompileStream(TStream& destination) : FDestination(destination) {}

void TCompileStream::AddStream(TStream& source, bool compress, const TZProgress& progress) {
    const int64_t size = source.Size();
    CheckStreamSize(size);
    source.SetPosition(0);
    if (compress)
        Append(ZCompressStream(source, size, FDestination, progress), static_cast<int32_t>(size));
    else {
        CopySlices(source, size, progress);
        Append(size, static_cast<int32_t>(size));
    }
}

void TCompileStream::AddStoredStream(TStream& stored, int32_t originalSize) {
    const int64_t size = stored.Size();
    if (size > PackageFormat::kMaxSize || originalSize < 0)
        throw EStreamError(
            Format("A package stream cannot hold %lld bytes", static_cast<long long>(size)));
    stored.SetPosition(0);
    CopySlices(stored, size, {});
    Append(size, originalSize);
}

void TCompileStream::CopySlices(TStream& source, int64_t size, const TZProgress& progress) {
    std::vector<uint8_t> slice(static_cast<size_t>(std::min(size, kCopySlice)));
    for (int64_t done = 0; done < size;) {
        const int64_t n = std::min(size - done, kCopySlice);
        source.ReadBuffer(slice.data(), n);
        FDestination.WriteBuffer(slice.data(), n);
        done += n;
        if (progress)
            progress(static_cast<size_t>(done));
    }
    if (size == 0 && progress)
        progress(0);
}

void TCompileStream::Append(int64_t stored, int32_t originalSize) {
    FWritten += stored;
    if (FWritten + PackageFormat::kEntrySize * (FCount + 1) + PackageFormat::kCountSize >
        PackageFormat::kMaxSize)
        throw EStreamError("A package cannot grow beyond 2 GiB");
    FOriginalSizes.push_back(originalSize);
    FStoredSizes.push_back(static_cast<int32_t>(stored));
    ++FCount;
}

TMemoryStream& TCompileStream::Compile() {
    uint8_t entry[8];
    for (int32_t i = 0; i < FCount; ++i) {
        StoreU32(entry, static_cast<uint32_t>(FOriginalSizes[static_cast<size_t>(i)]));
        StoreU32(entry + 4, static_cast<uint32_t>(FStoredSizes[static_cast<size_t>(i)]));
        FDestination.WriteBuffer(entry, sizeof entry);
    }
    StoreU32(entry, static_cast<uint32_t>(FCount));
    FDestination.WriteBuffer(entry, PackageFormat::kCountSize);
    return FMemory;
}
