#pragma once
// Byte streams: the abstract stream with its position, a growable stream in
// memory, a stream over a file and one that replaces a file. Sizes and positions are 64-bit here; the
// formats that sit on top decide their own limits.

#include "platform/kernel32/FileIO.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Transfers up to `count` bytes at the position and advances it; returns
    // the number transferred.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Returns the new position.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t size) = 0;

    // Exactly `count` bytes or "Stream read error" / "Stream write error".
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);

    // Copies `count` bytes from `source`'s position; a count of 0 copies the
    // whole of `source` from its first byte. Returns the bytes copied.
    int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
public:
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t size) override;

    uint8_t* Memory() { return FData.data(); }
    const uint8_t* Memory() const { return FData.data(); }
    void Clear();

    // Replace the content with the whole of `source` (from its first byte) or
    // of a file; the position becomes 0.
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::string& fileName);
    // Write the whole content, whatever the position.
    void SaveToStream(TStream& target);
    void SaveToFile(const std::string& fileName);

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};

// A file opened or created with the modes of platform/kernel32/FileIO.h. Fails with
// "Cannot open file %s" or "Cannot create file %s".
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, uint16_t mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;

    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    THandle FHandle = INVALID_HANDLE_VALUE;
};

class TReplacementFile;

// The new content of a file, written forwards and put in the file's place
// in one step by Commit (platform/kernel32/ReplacementFile.h): until then
// the file is as it was, and a stream dropped without Commit, or a program
// killed while writing, leaves nothing behind. Fails with "Cannot create
// file %s" (opening, committing) or "Cannot write to %s", with the system's
// reason.
class TReplacementStream : public TStream {
public:
    TReplacementStream(const std::string& fileName, unsigned newFileMode = 0644);
    ~TReplacementStream() override;
    TReplacementStream(const TReplacementStream&) = delete;
    TReplacementStream& operator=(const TReplacementStream&) = delete;

    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void* buffer, int64_t count) override;
    // Only where the stream stands: it is written forwards.
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;

    void Commit();

private:
    std::string FFileName;
    std::unique_ptr<TReplacementFile> FFile;
    int64_t FSize = 0;
};
