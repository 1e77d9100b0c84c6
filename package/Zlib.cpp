#include "Zlib.h"

#include <algorithm>
#include <zlib.h>

namespace {

// Input is taken and output handed on in slices of these sizes. Deflate
// looks ahead a fixed distance before it decides anything, so the slicing
// does not change the stream it writes.
constexpr size_t kInputSlice = 1024 * 1024;
constexpr size_t kOutputSlice = 256 * 1024;
// Inflating reads its input in pieces of this size.
constexpr size_t kInflateInput = 64 * 1024;

// One zlib stream being deflated: input is fed slice by slice, and each
// full slice of output is handed to `emit`.
class TDeflater {
public:
    TDeflater() {
        if (deflateInit2(&FZ, Z_BEST_COMPRESSION, Z_DEFLATED, MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
            Z_OK)
            throw EZCompressionError("error");
    }
    ~TDeflater() { deflateEnd(&FZ); }
    TDeflater(const TDeflater&) = delete;
    TDeflater& operator=(const TDeflater&) = delete;

    template <class Emit> void Feed(const uint8_t* data, size_t size, bool last, Emit&& emit) {
        FZ.next_in = const_cast<Bytef*>(data);
        FZ.avail_in = static_cast<uInt>(size);
        const int flush = last ? Z_FINISH : Z_NO_FLUSH;
        int result = Z_OK;
        do {
            FZ.next_out = FOutput;
            FZ.avail_out = sizeof FOutput;
            result = deflate(&FZ, flush);
            if (result == Z_STREAM_ERROR)
                throw EZCompressionError("error");
            const size_t produced = sizeof FOutput - FZ.avail_out;
            if (produced > 0)
                emit(FOutput, produced);
            // Deflate stops short of the room it had only when it has taken
            // all the input it can for now.
        } while (FZ.avail_out == 0 || (last && result != Z_STREAM_END));
    }

private:
    z_stream FZ{};
    uint8_t FOutput[kOutputSlice];
};

} // namespace

int64_t ZCompressStream(TStream& source, int64_t count, TStream& destination,
                        const TZProgress& progress) {
    auto deflater = std::make_unique<TDeflater>();
    // A stream in memory is deflated where it lies; any other is read into
    // a slice at a time.
    auto* memory = dynamic_cast<TMemoryStream*>(&source);
    const int64_t start = memory != nullptr ? memory->Position() : 0;
    if (memory != nullptr && memory->Size() - start < count)
        throw EReadError("Stream read error");
    std::vector<uint8_t> slice(
        memory != nullptr ? 0 : static_cast<size_t>(std::min<int64_t>(count, kInputSlice)));
    int64_t written = 0;
    const auto emit = [&](const uint8_t* bytes, size_t n) {
        destination.WriteBuffer(bytes, static_cast<int64_t>(n));
        written += static_cast<int64_t>(n);
    };
    int64_t done = 0;
    do {
        const int64_t n = std::min<int64_t>(count - done, kInputSlice);
        const uint8_t* input = slice.data();
        if (memory != nullptr)
            input = memory->Memory() + start + done;
        else
            source.ReadBuffer(slice.data(), n);
        done += n;
        deflater->Feed(input, static_cast<size_t>(n), done == count, emit);
        if (progress)
            progress(static_cast<size_t>(done));
    } while (done < count);
    if (memory != nullptr)
        memory->SetPosition(start + count);
    return written;
}

std::vector<uint8_t> ZCompress(const uint8_t* data, size_t size, const TZProgress& progress) {
    auto deflater = std::make_unique<TDeflater>();
    std::vector<uint8_t> out;
    out.reserve(size / 2 + 64);
    const auto emit = [&](const uint8_t* bytes, size_t n) { out.insert(out.end(), bytes, bytes + n); };
    size_t done = 0;
    do {
        const size_t n = std::min(size - done, kInputSlice);
        deflater->Feed(data + done, n, done + n == size, emit);
        done += n;
        if (progress)
            progress(done);
    } while (done < size);
    return out;
}

// --- Inflating ---

struct TZInflateStream::TState {
    z_stream Z{};
    uint8_t Input[kInflateInput];
};

TZInflateStream::TZInflateStream(TStream& source, int64_t size, int64_t original)
    : FSource(source), FSourcePosition(source.Position()), FInputLeft(std::max<int64_t>(size, 0)),
      FOriginal(std::max<int64_t>(original, 0)), FState(std::make_unique<TState>()) {
    if (inflateInit(&FState->Z) != Z_OK)
        throw EZDecompressionError("error");
}

TZInflateStream::~TZInflateStream() {
    inflateEnd(&FState->Z);
}

// Inflates `count` bytes into `out`; beyond the original size they are only
// produced to be dropped. Reads input from the source as it is needed.
void TZInflateStream::Inflate(uint8_t* out, size_t count, bool beyondOriginal) {
    z_stream& z = FState->Z;
    z.next_out = out;
    z.avail_out = static_cast<uInt>(count);
    while (z.avail_out > 0 && !FEnded) {
        if (z.avail_in == 0 && FInputLeft > 0) {
            const int64_t want = std::min<int64_t>(FInputLeft, sizeof FState->Input);
            FSource.SetPosition(FSourcePosition);
            const int64_t got = std::max<int64_t>(FSource.Read(FState->Input, want), 0);
            FSourcePosition += got;
            // A source shorter than it was said to be has run out here.
            FInputLeft = got < want ? 0 : FInputLeft - got;
            z.next_in = FState->Input;
            z.avail_in = static_cast<uInt>(got);
        }
        const int result = inflate(&z, Z_NO_FLUSH);
        if (result == Z_STREAM_END) {
            FEnded = true;
        } else if (result == Z_BUF_ERROR && z.avail_in == 0 && FInputLeft == 0) {
            throw EReadError("Stream read error"); // the input ends inside the stream
        } else if (result != Z_OK && result != Z_BUF_ERROR) {
            // zlib's own words for what it found ("incorrect data check").
            throw EZDecompressionError("error", z.msg != nullptr ? z.msg : "not zlib data");
        }
    }
    if (z.avail_out > 0 && !beyondOriginal)
        throw EReadError("Stream read error"); // the stream ends short of the original size
}

int64_t TZInflateStream::Read(void* buffer, int64_t count) {
    const int64_t n = std::clamp<int64_t>(count, 0, FOriginal - FPosition);
    if (n > 0)
        Inflate(static_cast<uint8_t*>(buffer), static_cast<size_t>(n), false);
    FPosition += n;
    if (FPosition == FOriginal && !FChecked) {
        // The checksum comes after the data: inflate on to it, throwing away
        // any output past the original size, so that damaged bytes are found
        // even where they still inflate.
        uint8_t scratch[4096];
        const uint64_t before = FState->Z.total_out;
        while (!FEnded)
            Inflate(scratch, sizeof scratch, true);
        FChecked = true;
        FExact = FState->Z.total_out == before && FState->Z.avail_in == 0 && FInputLeft == 0;
    }
    return n;
}

int64_t TZInflateStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int64_t target = origin == TSeekOrigin::soBeginning ? offset
                           : origin == TSeekOrigin::soCurrent ? FPosition + offset
                                                              : FOriginal + offset;
    if (target != FPosition)
        throw EStreamError("A zlib stream is read forwards only");
    return FPosition;
}

void TZInflateStream::SetSize(int64_t) {
    throw EStreamError("A zlib stream cannot change its size");
}

bool ZIsExactLevel9Stream(TStream& source, int64_t size, int64_t original) {
    const int64_t start = source.Position();
    uint8_t header[2] = {};
    if (size < 2 || source.Read(header, 2) != 2 || header[0] != 0x78 || header[1] != 0xDA)
        return false;
    source.SetPosition(start);
    try {
        TZInflateStream content(source, size, original);
        std::vector<uint8_t> scratch(static_cast<size_t>(std::min<int64_t>(original, 64 * 1024)));
        for (int64_t left = original; left > 0;) {
            const int64_t n = std::min<int64_t>(left, static_cast<int64_t>(scratch.size()));
            content.ReadBuffer(scratch.data(), n);
            left -= n;
        }
        if (original == 0)
            content.Read(nullptr, 0);
        return content.Exact();
    } catch (const EStreamError&) {
        return false;
    } catch (const EZlibError&) {
        return false;
    }
}
