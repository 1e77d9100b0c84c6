#include "package/CompileStream.h"
#include "package/DecompileStream.h"
#include "package/PackageFormat.h"
#include "package/Zlib.h"
#include "support/PackageBytes.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

using testing_support::Bytes;
using testing_support::ForgePackage;

Bytes Random(size_t size, unsigned seed) {
    return testing_support::RandomBytes(size, seed);
}

Bytes ToBytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes Contents(TMemoryStream& s) {
    return Bytes(s.Memory(), s.Memory() + s.Size());
}

TMemoryStream StreamOf(const Bytes& bytes) {
    TMemoryStream s;
    s.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return s;
}

Bytes Build(const std::vector<std::pair<Bytes, bool>>& streams) {
    TCompileStream writer;
    for (const auto& [content, compress] : streams) {
        TMemoryStream source = StreamOf(content);
        writer.AddStream(source, compress);
    }
    return Contents(writer.Compile());
}

TDecompileStream Read(const Bytes& package) {
    TMemoryStream file = StreamOf(package);
    TDecompileStream reader;
    reader.Decompile(file);
    return reader;
}

Bytes Stream(const Bytes& package, int32_t index, bool force) {
    auto s = Read(package).GetStream(index, force);
    EXPECT_EQ(s->Position(), 0);
    return Contents(*s);
}

// The same stream read as it is inflated, in pieces of `piece` bytes.
Bytes Streamed(const Bytes& package, int32_t index, bool force, int64_t piece = 7) {
    TDecompileStream reader = Read(package);
    std::unique_ptr<TStream> s = reader.OpenStream(index, force);
    Bytes content(static_cast<size_t>(s->Size()));
    for (int64_t done = 0; done < s->Size(); done += piece)
        s->ReadBuffer(content.data() + done, std::min(piece, s->Size() - done));
    return content;
}

template <typename E> std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    return "<no exception>";
}

} // namespace

TEST(PackageLayout, ExactBytesOfSmallPackages) {
    EXPECT_EQ(Build({}), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Build({{ToBytes("abc"), false}}),
              (Bytes{'a', 'b', 'c', 3, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0}));
    // The empty zlib stream at level 9.
    EXPECT_EQ(Build({{{}, true}}), (Bytes{0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01, 0, 0,
                                          0,    0,    8,    0,    0,    0,    1,    0,    0, 0}));
}

TEST(PackageLayout, StreamsFollowEachOtherAndCompressedOnesStartWith78DA) {
    Bytes text = ToBytes(std::string(5000, 'x'));
    Bytes noise = Random(3000, 1);
    Bytes package = Build({{noise, false}, {text, true}, {noise, true}});
    TDecompileStream reader = Read(package);
    ASSERT_EQ(reader.Count(), 3);
    EXPECT_EQ(reader.StoredSize(0), 3000);
    EXPECT_LT(reader.StoredSize(1), 100);
    EXPECT_GT(reader.StoredSize(2), 3000) << "incompressible data grows";
    EXPECT_EQ(package[3000], 0x78);
    EXPECT_EQ(package[3001], 0xDA);
    EXPECT_EQ(package[3000 + reader.StoredSize(1)], 0x78);
    EXPECT_EQ(package.size(), 3000u + reader.StoredSize(1) + reader.StoredSize(2) + 3 * 8 + 4);
    EXPECT_EQ(Bytes(package.begin(), package.begin() + 3000), noise)
        << "a raw stream 0 starts the file";
}

TEST(PackageReading, RoundTripsEveryStreamWithTheRightFlag) {
    Bytes raw = Random(777, 2), empty, big = Random(200000, 3);
    Bytes text = ToBytes("Tropical Fish\r\n");
    Bytes package = Build({{raw, false}, {text, true}, {empty, true}, {big, true}});
    EXPECT_EQ(Stream(package, 0, false), raw);
    EXPECT_EQ(Stream(package, 1, true), text);
    EXPECT_EQ(Stream(package, 1, false), text) << "sizes differ, so it is inflated anyway";
    EXPECT_EQ(Stream(package, 2, true), empty);
    EXPECT_EQ(Stream(package, 3, true), big);
}

TEST(PackageReading, IndexAtOrBeyondTheCountGivesAnEmptyStream) {
    Bytes package = Build({{ToBytes("abc"), true}});
    EXPECT_TRUE(Stream(package, 1, true).empty());
    EXPECT_TRUE(Stream(package, 1000, false).empty());
    EXPECT_TRUE(Stream(Bytes{0, 0, 0, 0}, 0, true).empty());
}

TEST(PackageReading, SourcePositionDoesNotMatterAndStreamsAreIndependent) {
    TMemoryStream source = StreamOf(ToBytes("hello"));
    source.SetPosition(3);
    TCompileStream writer;
    writer.AddStream(source, true);
    Bytes package = Contents(writer.Compile());
    TDecompileStream reader = Read(package);
    auto first = reader.GetStream(0, true);
    auto second = reader.GetStream(0, true);
    EXPECT_EQ(Contents(*first), ToBytes("hello"));
    EXPECT_EQ(Contents(*second), ToBytes("hello"));
}

TEST(PackageReading, ARawStreamReadWithForceFailsInTheDecompressor) {
    Bytes package = Build({{ToBytes("plain text"), false}});
    EXPECT_EQ(MessageOf<EZDecompressionError>([&] { Stream(package, 0, true); }), "error");
}

// The messages are the system's; a damaged table also says what is wrong
// with it (EPackageReadError::Reason), for a tool to show.
TEST(PackageReading, DamagedPackagesFailWithTheSystemMessages) {
    Bytes good = Build({{ToBytes("abc"), false}, {ToBytes("hello hello hello"), true}});
    Bytes zlibHello = Bytes(good.begin() + 3, good.end() - 8 * 2 - 4);
    const uint32_t zsize = static_cast<uint32_t>(zlibHello.size());

    struct Case {
        const char* what;
        Bytes package;
        int32_t index;
        std::string message;
        std::string reason; // empty: not an EPackageReadError
    };
    Bytes truncatedZlib(zlibHello.begin(), zlibHello.begin() + 4);
    Bytes corruptZlib = zlibHello;
    corruptZlib[2] = 0xFF; // a final block of the reserved type
    Bytes badChecksum = zlibHello;
    badChecksum.back() ^= 1;
    Bytes noChecksum(zlibHello.begin(), zlibHello.end() - 4);
    const std::string kRead = "Stream read error";
    std::vector<Case> cases = {
        {"shorter than the count", {1, 0, 0}, 0, kRead, "it is 3 bytes long, too short"},
        {"count points before the file", ForgePackage({}, {}, 2), 0, kRead,
         "its stream table (2 entries of 8 bytes, by the count in its last four bytes) does not "
         "fit in its 4 bytes"},
        {"negative count", ForgePackage({}, {}, 0x80000000u), 0, kRead,
         "its stream count (its last four bytes) is negative: -2147483648"},
        {"huge count", ForgePackage(Bytes(64), {}, 0x7FFFFFFFu), 0, kRead,
         "its stream table (2147483647 entries"},
        {"stored range past the end", ForgePackage(ToBytes("abc"), {{3, 50}}, 1), 0, kRead,
         "stream 0 (bytes 0 to 50) runs past the end of the file (15 bytes)"},
        {"negative stored size", ForgePackage(ToBytes("abc"), {{3, 0xFFFFFFF0u}}, 1), 0, kRead,
         "stream 0 has a negative stored size (-16)"},
        {"negative original size", ForgePackage(zlibHello, {{0x80000000u, zsize}}, 1), 0, kRead,
         "stream 0 has a negative original size"},
        {"earlier negative size shifts the offset",
         ForgePackage(zlibHello, {{1, 0xFFFFFFFFu}, {17, zsize}}, 2), 1, kRead,
         "stream 0 has a negative stored size (-1), so no later stream can be found"},
        {"original size no stream could produce",
         ForgePackage(zlibHello, {{0x7FFFFFFFu, zsize}}, 1), 0, kRead,
         "stream 0 cannot inflate from its"},
        {"zlib stream shorter than promised", ForgePackage(zlibHello, {{18, zsize}}, 1), 0, kRead,
         "stream 0 is cut short, or inflates to fewer than the 18 bytes"},
        {"truncated zlib stream", ForgePackage(truncatedZlib, {{17, 4}}, 1), 0, kRead,
         "stream 0 is cut short"},
        {"not a zlib stream", ForgePackage(ToBytes("abcdefgh"), {{3, 8}}, 1), 0, "error", ""},
        {"corrupt deflate data", ForgePackage(corruptZlib, {{17, zsize}}, 1), 0, "error", ""},
        {"checksum mismatch", ForgePackage(badChecksum, {{17, zsize}}, 1), 0, "error", ""},
        {"stream without its checksum", ForgePackage(noChecksum, {{17, zsize - 4}}, 1), 0, kRead,
         "stream 0 is cut short"},
        {"negative index", good, -1, "List index out of bounds (-1)", ""},
    };
    // Read whole, and read in pieces as it is inflated: the same failures.
    for (const bool whole : {true, false})
        for (const Case& c : cases) {
            std::string message = "<no exception>", reason;
            try {
                whole ? Stream(c.package, c.index, true) : Streamed(c.package, c.index, true);
            } catch (const EPackageReadError& e) {
                message = e.Message();
                reason = e.Reason();
            } catch (const Exception& e) {
                message = e.Message();
            }
            EXPECT_EQ(message, c.message) << c.what << (whole ? "" : ", streamed");
            if (c.reason.empty())
                EXPECT_EQ(reason, "") << c.what;
            else
                EXPECT_EQ(reason.rfind(c.reason, 0), 0u) << c.what << ": " << reason;
        }
}

// Streams opened on one file keep their own places in it: read alternately,
// in pieces of any size, each comes out whole.
TEST(PackageReading, OpenedStreamsReadInPiecesAndInTurn) {
    Bytes big = Random(700000, 5), text = ToBytes("Tropical Fish\r\n");
    Bytes package = Build({{big, true}, {text, false}, {big, true}});
    TDecompileStream reader = Read(package);
    std::unique_ptr<TStream> first = reader.OpenStream(0, true);
    std::unique_ptr<TStream> stored = reader.OpenStream(1, false);
    std::unique_ptr<TStream> second = reader.OpenStream(2, true);
    Bytes a(big.size()), b(big.size()), t(text.size());
    for (size_t done = 0, piece = 1; done < big.size(); done += piece, piece = piece * 3 % 65521) {
        const int64_t n = static_cast<int64_t>(std::min(piece, big.size() - done));
        first->ReadBuffer(a.data() + done, n);
        second->ReadBuffer(b.data() + done, n);
        stored->SetPosition(0);
        stored->ReadBuffer(t.data(), static_cast<int64_t>(t.size()));
    }
    EXPECT_EQ(a, big);
    EXPECT_EQ(b, big);
    EXPECT_EQ(t, text);
    EXPECT_EQ(first->Read(a.data(), 1), 0) << "nothing past the end";
    EXPECT_EQ(MessageOf<EStreamError>([&] { second->SetPosition(0); }),
              "A zlib stream is read forwards only");
}

TEST(PackageReading, ARangeRunningIntoTheTableIsReadAsIs) {
    // The reader finds streams from the front and the table from the back; it
    // does not require them to meet.
    Bytes package = ForgePackage(ToBytes("ab"), {{6, 6}}, 1);
    Bytes expected = {'a', 'b', 6, 0, 0, 0};
    EXPECT_EQ(Stream(package, 0, false), expected);
}

TEST(PackageReading, OutputBeyondTheOriginalSizeIsNotRead) {
    Bytes package = Build({{ToBytes("abcdefghij"), true}});
    // Shrink the promised size: the first four bytes come back, no error.
    size_t table = package.size() - 4 - 8;
    StoreU32(package.data() + table, 4);
    EXPECT_EQ(Stream(package, 0, true), ToBytes("abcd"));
}

TEST(PackageReading, DamageInsideStoredDeflateBlocksIsFound) {
    // Incompressible data is kept in stored blocks, where a changed byte still
    // inflates: only the checksum tells.
    Bytes noise = Random(2000, 9);
    Bytes package = Build({{noise, true}});
    package[100] ^= 0x01;
    EXPECT_EQ(MessageOf<EZDecompressionError>([&] { Stream(package, 0, true); }), "error");
}

TEST(Zlib, CompressesAtLevelNine) {
    Bytes data = ToBytes(std::string(1000, 'a'));
    Bytes z = ZCompress(data.data(), data.size());
    ASSERT_GE(z.size(), 2u);
    EXPECT_EQ(z[0], 0x78);
    EXPECT_EQ(z[1], 0xDA);
    TMemoryStream stored = StreamOf(z);
    stored.SetPosition(0);
    TZInflateStream content(stored, static_cast<int64_t>(z.size()), 1000);
    Bytes back(data.size());
    content.ReadBuffer(back.data(), 1000);
    EXPECT_EQ(back, data);
    EXPECT_TRUE(content.Exact());
}

// Compression is fed in slices to report progress: the stream must still be
// the one a single call makes (the installers' bytes must not depend on it),
// and progress must count every byte once, in order.
TEST(Zlib, SlicedCompressionMakesTheStreamOfOneCallAndReportsEverySlice) {
    Bytes noise = Random(9000, 11);
    Bytes data(3500000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(noise[i % noise.size()] + (i / 70000));
    std::vector<size_t> reports;
    Bytes z = ZCompress(data.data(), data.size(), [&](size_t done) { reports.push_back(done); });

    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes whole(size);
    ASSERT_EQ(compress2(whole.data(), &size, data.data(), static_cast<uLong>(data.size()), 9),
              Z_OK);
    whole.resize(size);
    EXPECT_EQ(z, whole);

    ASSERT_EQ(reports.size(), 4u);
    for (size_t i = 0; i + 1 < reports.size(); ++i)
        EXPECT_EQ(reports[i], (i + 1) << 20);
    EXPECT_EQ(reports.back(), data.size());

    // The same stream from a stream into a stream, whatever the slices.
    TMemoryStream source = StreamOf(data), destination;
    destination.WriteBuffer("prefix", 6);
    source.SetPosition(0);
    EXPECT_EQ(ZCompressStream(source, static_cast<int64_t>(data.size()), destination),
              static_cast<int64_t>(whole.size()));
    Bytes expected = ToBytes("prefix");
    expected.insert(expected.end(), whole.begin(), whole.end());
    EXPECT_EQ(Contents(destination), expected);

    TCompileStream writer;
    TMemoryStream raw = StreamOf(Random(10, 12));
    reports.clear();
    writer.AddStream(raw, false, [&](size_t done) { reports.push_back(done); });
    EXPECT_EQ(reports, std::vector<size_t>{10});
}

// A stored stream can be copied instead of deflated again only when it is
// exactly what the writer would make: level 9, complete, checked, and the
// size the table promises.
bool IsExact(const Bytes& stored, size_t original) {
    TMemoryStream source = StreamOf(stored);
    source.SetPosition(0);
    return ZIsExactLevel9Stream(source, static_cast<int64_t>(stored.size()),
                                static_cast<int64_t>(original));
}

TEST(Zlib, OnlyExactLevelNineStreamsCountAsReadyToCopy) {
    const Bytes data = Random(50000, 7);
    const std::vector<uint8_t> deflated = ZCompress(data.data(), data.size());
    EXPECT_TRUE(IsExact(deflated, data.size()));
    // The table promising another size.
    EXPECT_FALSE(IsExact(deflated, data.size() - 1));
    EXPECT_FALSE(IsExact(deflated, data.size() + 1));
    // Bytes behind the stream's end, a cut stream, a damaged checksum.
    std::vector<uint8_t> longer = deflated;
    longer.push_back(0);
    EXPECT_FALSE(IsExact(longer, data.size()));
    EXPECT_FALSE(IsExact(Bytes(deflated.begin(), deflated.end() - 1), data.size()));
    std::vector<uint8_t> damaged = deflated;
    damaged.back() ^= 1;
    EXPECT_FALSE(IsExact(damaged, data.size()));
    // Another level's stream inflates the same but is not what the writer makes.
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::vector<uint8_t> level1(size);
    ASSERT_EQ(compress2(level1.data(), &size, data.data(), static_cast<uLong>(data.size()), 1),
              Z_OK);
    level1.resize(size);
    EXPECT_FALSE(IsExact(level1, data.size()));
    EXPECT_FALSE(IsExact(data, data.size()));
}

TEST(PackageLayout, AStoredStreamIsAppendedAsItIs) {
    const Bytes data = Random(3000, 8);
    const std::vector<uint8_t> deflated = ZCompress(data.data(), data.size());
    TCompileStream copied, deflatedAgain;
    TMemoryStream stored = StreamOf(Bytes(deflated.begin(), deflated.end()));
    copied.AddStoredStream(stored, static_cast<int32_t>(data.size()));
    TMemoryStream content = StreamOf(data);
    deflatedAgain.AddStream(content, true);
    EXPECT_EQ(Contents(copied.Compile()), Contents(deflatedAgain.Compile()));
}

namespace {

// A memory stream that counts the bytes read from it.
class TCountingStream : public TMemoryStream {
public:
    int64_t Read(void* buffer, int64_t count) override {
        const int64_t n = TMemoryStream::Read(buffer, count);
        BytesRead += n;
        return n;
    }
    int64_t BytesRead = 0;
};

} // namespace

// Open keeps the file and reads what is asked for and nothing more: the
// table when opened, then each stream's stored bytes when it is taken. The
// streams and the failures are those of Decompile.
TEST(PackageReading, AnOpenedPackageIsReadStreamByStream) {
    Bytes big = Random(300000, 7), text = ToBytes("Tropical Fish\r\n");
    Bytes package = Build({{big, false}, {text, true}, {big, true}});
    auto file = std::make_unique<TCountingStream>();
    file->WriteBuffer(package.data(), static_cast<int64_t>(package.size()));
    TCountingStream* counter = file.get();
    TDecompileStream reader;
    reader.Open(std::move(file));
    EXPECT_EQ(reader.Count(), 3);
    EXPECT_EQ(counter->BytesRead, 3 * 8 + 4) << "the count and the table";
    EXPECT_EQ(Contents(*reader.GetStream(1, true)), text);
    EXPECT_EQ(counter->BytesRead, 3 * 8 + 4 + reader.StoredSize(1));
    EXPECT_EQ(Contents(*reader.GetStream(2, true)), big);
    EXPECT_EQ(Contents(*reader.GetStream(0, false)), big);
    EXPECT_EQ(Contents(*reader.GetStream(1, true)), text) << "streams stay independent";

    // A table entry that runs past the end fails as it does for Decompile.
    Bytes damaged = package;
    damaged[damaged.size() - 4 - 8 + 4] = 0xFF; // stream 2's stored size, low byte
    damaged[damaged.size() - 4 - 8 + 6] = 0x7F;
    auto damagedFile = std::make_unique<TMemoryStream>();
    damagedFile->WriteBuffer(damaged.data(), static_cast<int64_t>(damaged.size()));
    TDecompileStream broken;
    broken.Open(std::move(damagedFile));
    EXPECT_EQ(MessageOf<EReadError>([&] { broken.GetStream(2, true); }), "Stream read error");
    EXPECT_EQ(Contents(*broken.GetStream(1, true)), text) << "the streams before it still read";
}
