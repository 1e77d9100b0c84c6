// Building and reading packages and the whole installation on an 8 MB
// payload, next to bare zlib doing the same compression and inflation: the
// package code should cost little beyond zlib itself.

#include "installer/Installation.h"
#include "package/CompileStream.h"
#include "package/DecompileStream.h"
#include "platform/kernel32/FileIO.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

// The streams of an installer: the stub, a runtime, movie data (half noise,
// as real movie data is mostly compressed already), a record and a logo.
struct Payload {
    std::vector<Bytes> streams;
    size_t TotalSize() const {
        size_t n = 0;
        for (const auto& s : streams)
            n += s.size();
        return n;
    }
};

Bytes Mixed(size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes b(size);
    for (size_t i = 0; i < size; ++i)
        b[i] =
            (i / 4096) % 2 ? static_cast<uint8_t>(rng()) : static_cast<uint8_t>((i / 64) % 7 * 36);
    return b;
}

const Payload& EightMegabytes() {
    static const Payload payload{{Mixed(512 * 1024, 1), Mixed(1024 * 1024, 2),
                                  Mixed(6 * 1024 * 1024 + 300 * 1024, 3), Bytes(600, 'r'),
                                  Mixed(100 * 1024, 4)}};
    return payload;
}

TMemoryStream StreamOf(const Bytes& b) {
    TMemoryStream s;
    s.WriteBuffer(b.data(), static_cast<int64_t>(b.size()));
    return s;
}

Bytes BuildPackage(const Payload& payload) {
    TCompileStream writer;
    for (size_t i = 0; i < payload.streams.size(); ++i) {
        TMemoryStream s = StreamOf(payload.streams[i]);
        writer.AddStream(s, i != 0);
    }
    TMemoryStream& package = writer.Compile();
    return Bytes(package.Memory(), package.Memory() + package.Size());
}

void BM_BareZlibCompress(benchmark::State& state) {
    const Payload& payload = EightMegabytes();
    for (auto _ : state) {
        for (size_t i = 1; i < payload.streams.size(); ++i) {
            const Bytes& s = payload.streams[i];
            uLongf size = compressBound(static_cast<uLong>(s.size()));
            Bytes out(size);
            compress2(out.data(), &size, s.data(), static_cast<uLong>(s.size()), 9);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * payload.TotalSize()));
}

// The package built as sspack builds it: each source read in slices and
// the package written as it goes (here into memory, as compress2 writes).
void BM_BuildPackage(benchmark::State& state) {
    const Payload& payload = EightMegabytes();
    std::vector<TMemoryStream> sources;
    for (const Bytes& stream : payload.streams)
        sources.push_back(StreamOf(stream));
    for (auto _ : state) {
        TMemoryStream package;
        TCompileStream writer(package);
        for (size_t i = 0; i < sources.size(); ++i)
            writer.AddStream(sources[i], i != 0);
        writer.Compile();
        benchmark::DoNotOptimize(package.Memory());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * payload.TotalSize()));
}

void BM_BareZlibInflate(benchmark::State& state) {
    const Payload& payload = EightMegabytes();
    std::vector<Bytes> compressed;
    for (size_t i = 1; i < payload.streams.size(); ++i) {
        uLongf size = compressBound(static_cast<uLong>(payload.streams[i].size()));
        Bytes out(size);
        compress2(out.data(), &size, payload.streams[i].data(),
                  static_cast<uLong>(payload.streams[i].size()), 9);
        out.resize(size);
        compressed.push_back(out);
    }
    for (auto _ : state) {
        for (size_t i = 0; i < compressed.size(); ++i) {
            Bytes out(payload.streams[i + 1].size());
            uLongf size = static_cast<uLongf>(out.size());
            uncompress(out.data(), &size, compressed[i].data(),
                       static_cast<uLong>(compressed[i].size()));
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * payload.TotalSize()));
}

void BM_ReadPackage(benchmark::State& state) {
    const Payload& payload = EightMegabytes();
    TMemoryStream file = StreamOf(BuildPackage(payload));
    for (auto _ : state) {
        TDecompileStream reader;
        reader.Decompile(file);
        for (int32_t i = 1; i < reader.Count(); ++i)
            benchmark::DoNotOptimize(reader.GetStream(i, true));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * payload.TotalSize()));
}

// The installation without its deliberate pause on the full bar.
class TQuietView : public TInstallationView {
public:
    void SetProgress(int) override {}
    void ShowCompletionPage() override {}
    void Pause(unsigned) override {}
};

void BM_Installation(benchmark::State& state) {
    const Payload& payload = EightMegabytes();
    fs::path root = fs::temp_directory_path() / ("ssi-bench-" + std::to_string(getpid()));
    fs::create_directories(root / "windows");
    setenv("WINDIR", (root / "windows").c_str(), 1);
    Bytes installer = BuildPackage(payload);
    ReplaceFileContents((root / "setup").string(), installer.data(), installer.size());
    TProject project;
    project.ScreensaverName = "Bench";
    TQuietView view;
    for (auto _ : state)
        RunInstallation((root / "setup").string(), project, view);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * payload.TotalSize()));
    fs::remove_all(root);
}

// The same installation from an installer whose data streams were deflated
// at another level: each is inflated and deflated again at level 9, as every
// installation did before stored streams were copied.
void BM_InstallationRecompressing(benchmark::State& state) {
    const Payload& payload = EightMegabytes();
    fs::path root = fs::temp_directory_path() / ("ssi-bench-re-" + std::to_string(getpid()));
    fs::create_directories(root / "windows");
    setenv("WINDIR", (root / "windows").c_str(), 1);
    TCompileStream writer;
    for (size_t i = 0; i < payload.streams.size(); ++i) {
        if (i == 0) {
            TMemoryStream s = StreamOf(payload.streams[i]);
            writer.AddStream(s, false);
            continue;
        }
        uLongf size = compressBound(static_cast<uLong>(payload.streams[i].size()));
        Bytes deflated(size);
        compress2(deflated.data(), &size, payload.streams[i].data(),
                  static_cast<uLong>(payload.streams[i].size()), 6);
        deflated.resize(size);
        TMemoryStream s = StreamOf(deflated);
        writer.AddStoredStream(s, static_cast<int32_t>(payload.streams[i].size()));
    }
    TMemoryStream& installer = writer.Compile();
    ReplaceFileContents((root / "setup").string(), installer.Memory(),
                        static_cast<size_t>(installer.Size()));
    TProject project;
    project.ScreensaverName = "Bench";
    TQuietView view;
    for (auto _ : state)
        RunInstallation((root / "setup").string(), project, view);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * payload.TotalSize()));
    fs::remove_all(root);
}

BENCHMARK(BM_BareZlibCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildPackage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareZlibInflate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPackage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Installation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InstallationRecompressing)->Unit(benchmark::kMillisecond);

} // namespace
