#include "Streams.h"

#include "SysUtils.h"
#include "platform/kernel32/ReplacementFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

int64_t TStream::Size() {
    int64_t position = Seek(0, TSeekOrigin::soCurrent);
    int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count == 0)
        return;
    const int64_t read = Read(buffer, count);
    if (read != count)
        throw EReadError("Stream read error",
                         Format("%lld of %lld bytes could be read", static_cast<long long>(read),
                                static_cast<long long>(count)));
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr int64_t chunk = 64 * 1024;
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min(count, chunk)));
    int64_t left = count;
    while (left > 0) {
        int64_t n = std::min(left, chunk);
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || FPosition >= Size())
        return 0;
    int64_t n = std::min(count, Size() - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0)
        return 0;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    // A position beyond the end leaves a gap of zeros; what lies past the end
    // is appended, so the buffer grows geometrically and nothing is filled
    // only to be overwritten.
    if (FPosition > Size())
        FData.resize(static_cast<size_t>(FPosition));
    const int64_t overlap = std::min(count, Size() - FPosition);
    if (overlap > 0)
        std::memcpy(FData.data() + FPosition, bytes, static_cast<size_t>(overlap));
    FData.insert(FData.end(), bytes + overlap, bytes + count);
    FPosition += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == TSeekOrigin::soBeginning ? 0
                   : origin == TSeekOrigin::soCurrent ? FPosition
                                                      : Size();
    FPosition = std::max<int64_t>(0, base + offset);
    return FPosition;
}

void TMemoryStream::SetSize(int64_t size) {
    FData.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
    FPosition = std::min(FPosition, Size());
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    int64_t size = source.Size();
    std::vector<uint8_t> content(static_cast<size_t>(size));
    source.ReadBuffer(content.data(), size);
    FData = std::move(content);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& target) {
    target.WriteBuffer(FData.data(), Size());
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : FFileName(fileName) {
    if (mode == fmCreate) {
        FHandle = FileCreate(fileName);
        if (FHandle == INVALID_HANDLE_VALUE)
            throw EFCreateError(Format("Cannot create file %s", fileName.c_str()),
                                SysErrorMessage(errno));
    } else {
        FHandle = FileOpen(fileName, mode);
        if (FHandle == INVALID_HANDLE_VALUE)
            throw EFOpenError(Format("Cannot open file %s", fileName.c_str()),
                              SysErrorMessage(errno));
    }
}

TFileStream::~TFileStream() {
    FileClose(FHandle);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t n = count > 0 ? FileRead(FHandle, buffer, count) : 0;
    return std::max<int64_t>(n, 0);
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t n = count > 0 ? FileWrite(FHandle, buffer, count) : 0;
    return std::max<int64_t>(n, 0);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    int whence = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? 1 : 2;
    return FileSeek(FHandle, offset, whence);
}

void TFileStream::SetSize(int64_t size) {
    if (::ftruncate(FHandle, static_cast<off_t>(size)) != 0)
        throw EStreamError(Format("Cannot set the size of %s", FFileName.c_str()));
    if (Position() > size)
        SetPosition(size);
}

TReplacementStream::TReplacementStream(const std::string& fileName, unsigned newFileMode)
    : FFileName(fileName), FFile(std::make_unique<TReplacementFile>(NativePath(fileName), newFileMode)) {
    if (!FFile->Opened())
        throw EFCreateError(Format("Cannot create file %s", fileName.c_str()),
                            SysErrorMessage(FFile->OpenError()));
}

TReplacementStream::~TReplacementStream() = default;

int64_t TReplacementStream::Write(const void* buffer, int64_t count) {
    if (count <= 0)
        return 0;
    if (!FFile->Write(buffer, static_cast<size_t>(count)))
        throw EWriteError(Format("Cannot write to %s", FFileName.c_str()), SysErrorMessage(errno));
    FSize += count;
    return count;
}

int64_t TReplacementStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int64_t target = origin == TSeekOrigin::soBeginning ? offset : FSize + offset;
    if (target != FSize)
        throw EStreamError(Format("%s is written forwards only", FFileName.c_str()));
    return FSize;
}

void TReplacementStream::SetSize(int64_t size) {
    if (size != FSize)
        throw EStreamError(Format("Cannot set the size of %s", FFileName.c_str()));
}

void TReplacementStream::Commit() {
    if (!FFile->Commit())
        throw EFCreateError(Format("Cannot create file %s", FFileName.c_str()),
                            SysErrorMessage(errno));
}
