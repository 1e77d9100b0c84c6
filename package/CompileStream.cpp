#include "CompileStream.h"

#include "PackageFormat.h"
#include "Zlib.h"

void TCompileStream::AddStream(TStream& source, bool compress) {
    int64_t size = source.Size();
    if (size > PackageFormat::kMaxSize)
        throw EStreamError(
            Format("A package stream cannot hold %lld bytes", static_cast<long long>(size)));
    std::vector<uint8_t> content(static_cast<size_t>(size));
    source.SetPosition(0);
    source.ReadBuffer(content.data(), size);
    if (compress)
        content = ZCompress(content.data(), content.size());

    int64_t stored = static_cast<int64_t>(content.size());
    if (package_.Size() + stored + PackageFormat::kEntrySize * (count_ + 1) +
            PackageFormat::kCountSize >
        PackageFormat::kMaxSize)
        throw EStreamError("A package cannot grow beyond 2 GiB");
    package_.Seek(0, TSeekOrigin::soEnd);
    package_.WriteBuffer(content.data(), stored);
    originalSizes_.push_back(static_cast<int32_t>(size));
    storedSizes_.push_back(static_cast<int32_t>(stored));
    ++count_;
}

TMemoryStream& TCompileStream::Compile() {
    package_.Seek(0, TSeekOrigin::soEnd);
    uint8_t entry[8];
    for (int32_t i = 0; i < count_; ++i) {
        StoreU32(entry, static_cast<uint32_t>(originalSizes_[static_cast<size_t>(i)]));
        StoreU32(entry + 4, static_cast<uint32_t>(storedSizes_[static_cast<size_t>(i)]));
        package_.WriteBuffer(entry, sizeof entry);
    }
    StoreU32(entry, static_cast<uint32_t>(count_));
    package_.WriteBuffer(entry, PackageFormat::kCountSize);
    return package_;
}
