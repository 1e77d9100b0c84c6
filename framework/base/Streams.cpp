#include "Streams.h"

#include "SysUtils.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>

int64_t TStream::Size() {
    int64_t position = Seek(0, TSeekOrigin::soCurrent);
    int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
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
    if (count <= 0 || position_ >= Size())
        return 0;
    int64_t n = std::min(count, Size() - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0)
        return 0;
    int64_t end = position_ + count;
    if (end > Size())
        data_.resize(static_cast<size_t>(end));
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == TSeekOrigin::soBeginning ? 0
                   : origin == TSeekOrigin::soCurrent ? position_
                                                      : Size();
    position_ = std::max<int64_t>(0, base + offset);
    return position_;
}

void TMemoryStream::SetSize(int64_t size) {
    data_.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
    position_ = std::min(position_, Size());
}

void TMemoryStream::Clear() {
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    int64_t size = source.Size();
    std::vector<uint8_t> content(static_cast<size_t>(size));
    source.ReadBuffer(content.data(), size);
    data_ = std::move(content);
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& target) {
    target.WriteBuffer(data_.data(), Size());
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : fileName_(fileName) {
    if (mode == fmCreate) {
        handle_ = FileCreate(fileName);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw EFCreateError(Format("Cannot create file %s", fileName.c_str()));
    } else {
        handle_ = FileOpen(fileName, mode);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw EFOpenError(Format("Cannot open file %s", fileName.c_str()));
    }
}

TFileStream::~TFileStream() {
    FileClose(handle_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t n = count > 0 ? FileRead(handle_, buffer, count) : 0;
    return std::max<int64_t>(n, 0);
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t n = count > 0 ? FileWrite(handle_, buffer, count) : 0;
    return std::max<int64_t>(n, 0);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    int whence = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? 1 : 2;
    return FileSeek(handle_, offset, whence);
}

void TFileStream::SetSize(int64_t size) {
    if (::ftruncate(handle_, static_cast<off_t>(size)) != 0)
        throw EStreamError(Format("Cannot set the size of %s", fileName_.c_str()));
    if (Position() > size)
        SetPosition(size);
}
