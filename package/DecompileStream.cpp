#include "DecompileStream.h"

#include "PackageFormat.h"
#include "Zlib.h"

#include <algorithm>

using namespace PackageFormat;

void TDecompileStream::Decompile(TStream& file) {
    auto image = std::make_unique<TMemoryStream>();
    image->CopyFrom(file, 0);
    Open(std::move(image));
}

void TDecompileStream::Open(std::unique_ptr<TStream> source) {
    TStream& file = *source;
    int64_t size = file.Size();
    if (size < kCountSize)
        throw EPackageReadError(
            Format("it is %lld bytes long, too short for the stream count that ends a package",
                   static_cast<long long>(size)));
    if (size > kMaxSize)
        throw EPackageReadError("it is larger than 2 GiB, the most a package can be");
    uint8_t countBytes[kCountSize];
    file.SetPosition(size - kCountSize);
    file.ReadBuffer(countBytes, kCountSize);
    int32_t count = static_cast<int32_t>(LoadU32(countBytes));
    if (count < 0)
        throw EPackageReadError(
            Format("its stream count (its last four bytes) is negative: %d", count));
    if (kEntrySize * count + kCountSize > size)
        throw EPackageReadError(
            Format("its stream table (%d entries of 8 bytes, by the count in its last four bytes) "
                   "does not fit in its %lld bytes",
                   count, static_cast<long long>(size)));

    // Only the table is read now; each stream is read when it is asked for.
    std::vector<uint8_t> table(static_cast<size_t>(kEntrySize * count));
    file.SetPosition(size - kCountSize - kEntrySize * count);
    file.ReadBuffer(table.data(), static_cast<int64_t>(table.size()));
    std::vector<int32_t> originals, storeds;
    originals.reserve(static_cast<size_t>(count));
    storeds.reserve(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        const uint8_t* entry = table.data() + kEntrySize * i;
        originals.push_back(static_cast<int32_t>(LoadU32(entry)));
        storeds.push_back(static_cast<int32_t>(LoadU32(entry + 4)));
    }
    FFile = std::move(source);
    FFileSize = size;
    FCount = count;
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
    for (int32_t i = 0; i <= index; ++i) {
        const int32_t size = FStoredSizes[static_cast<size_t>(i)];
        if (size < 0)
            throw EPackageReadError(Format("stream %d has a negative stored size (%d)%s", i, size,
                                           i < index ? ", so no later stream can be found" : ""));
        if (i < index)
            offset += size;
    }
    stored = FStoredSizes[static_cast<size_t>(index)];
    if (offset + stored > FFileSize)
        throw EPackageReadError(
            Format("stream %d (bytes %lld to %lld) runs past the end of the file (%lld bytes)",
                   index, static_cast<long long>(offset), static_cast<long long>(offset + stored),
                   static_cast<long long>(FFileSize)));
}

namespace {

// A window on the package's file: the stored bytes of one stream.
class TStoredStream : public TStream {
public:
    TStoredStream(TStream& file, int64_t offset, int64_t size)
        : FFile(file), FOffset(offset), FSize(size) {}
    int64_t Read(void* buffer, int64_t count) override {
        const int64_t n = std::clamp<int64_t>(count, 0, FSize - FPosition);
        if (n == 0)
            return 0;
        FFile.SetPosition(FOffset + FPosition);
        const int64_t got = std::max<int64_t>(FFile.Read(buffer, n), 0);
        FPosition += got;
        return got;
    }
    int64_t Write(const void*, int64_t) override { return 0; }
    int64_t Seek(int64_t offset, TSeekOrigin origin) override {
        const int64_t base = origin == TSeekOrigin::soBeginning ? 0
                             : origin == TSeekOrigin::soCurrent ? FPosition
                                                                : FSize;
        FPosition = std::clamp<int64_t>(base + offset, 0, FSize);
        return FPosition;
    }
    int64_t Size() override { return FSize; }
    void SetSize(int64_t) override { throw EStreamError("A package stream cannot change its size"); }

private:
    TStream& FFile;
    int64_t FOffset;
    int64_t FSize;
    int64_t FPosition = 0;
};

// The stored bytes an inflated stream reads, made before it.
struct TStoredBytes {
    TStoredStream FStoredBytes;
};

// The inflated content of one stream; its failures say which stream failed
// and how.
class TInflatedStream : private TStoredBytes, public TZInflateStream {
public:
    TInflatedStream(TStoredStream stored, int64_t original, int32_t index)
        : TStoredBytes{std::move(stored)},
          TZInflateStream(FStoredBytes, FStoredBytes.Size(), original), FIndex(index) {}
    int64_t Read(void* buffer, int64_t count) override {
        try {
            return TZInflateStream::Read(buffer, count);
        } catch (const EZDecompressionError& e) {
            throw EZDecompressionError(
                e.Message(), Format("stream %d does not inflate: %s", FIndex, e.Reason().c_str()));
        } catch (const EPackageReadError&) {
            throw;
        } catch (const EReadError&) {
            throw EPackageReadError(
                Format("stream %d is cut short, or inflates to fewer than the %lld bytes its "
                       "table entry says",
                       FIndex, static_cast<long long>(Size())));
        }
    }

private:
    int32_t FIndex;
};

} // namespace

std::unique_ptr<TStream> TDecompileStream::OpenStream(int32_t index, bool force) const {
    if (index < 0)
        throw EListError(Format("List index out of bounds (%d)", index));
    if (index >= FCount)
        return std::make_unique<TMemoryStream>();

    int64_t offset = 0, stored = 0;
    StoredRange(index, offset, stored);
    const int64_t original = FOriginalSizes[static_cast<size_t>(index)];
    if (original < 0)
        throw EPackageReadError(Format("stream %d has a negative original size (%lld)", index,
                                       static_cast<long long>(original)));
    if (stored == original && !force)
        return OpenStoredStream(index);
    if (original > stored * kMaxInflateRatio + kZlibOverhead)
        throw EPackageReadError(
            Format("stream %d cannot inflate from its %lld stored bytes to the %lld its table "
                   "entry says",
                   index, static_cast<long long>(stored), static_cast<long long>(original)));
    auto content = std::make_unique<TInflatedStream>(TStoredStream(*FFile, offset, stored),
                                                     original, index);
    // An empty content is complete at once: its zlib stream is checked now.
    if (original == 0)
        content->Read(nullptr, 0);
    return content;
}

std::unique_ptr<TStream> TDecompileStream::OpenStoredStream(int32_t index) const {
    CheckIndex(index);
    int64_t offset = 0, stored = 0;
    StoredRange(index, offset, stored);
    return std::make_unique<TStoredStream>(*FFile, offset, stored);
}

namespace {

std::unique_ptr<TMemoryStream> ReadWhole(TStream& content) {
    auto result = std::make_unique<TMemoryStream>();
    result->SetSize(content.Size());
    content.ReadBuffer(result->Memory(), result->Size());
    result->SetPosition(0);
    return result;
}

} // namespace

std::unique_ptr<TMemoryStream> TDecompileStream::GetStream(int32_t index, bool force) const {
    return ReadWhole(*OpenStream(index, force));
}

std::unique_ptr<TMemoryStream> TDecompileStream::GetStoredStream(int32_t index) const {
    return ReadWhole(*OpenStoredStream(index));
}
