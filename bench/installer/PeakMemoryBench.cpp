// Peak memory of the two long jobs, as the operating system counts it (the
// child's maximum resident set): `sspack build` of an installer and its
// installation with /AUTO, on payloads of 8 MB and 100 MB of movie data that
// does not compress. Both jobs stream, so the peak must not grow with the
// payload: the 100 MB peak stays within 16 MB of the 8 MB one.
//   build/bin/peak_memory_bench

#include "support/ChildProcess.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kBin = SSI_BIN_DIR;

// A folder of the benchmark's own, removed at exit.
class TWorkFolder {
public:
    TWorkFolder() {
        std::string pattern = (fs::temp_directory_path() / "ssi-peak-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        FPath = pattern;
    }
    ~TWorkFolder() {
        std::error_code ignored;
        fs::remove_all(FPath, ignored);
    }
    const fs::path& Path() const { return FPath; }

private:
    fs::path FPath;
};

const fs::path& WorkFolder() {
    static const TWorkFolder folder;
    return folder.Path();
}

void WriteNoise(const fs::path& path, size_t megabytes, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::vector<uint64_t> block(1 << 17); // 1 MiB
    std::ofstream out(path, std::ios::binary);
    for (size_t i = 0; i < megabytes; ++i) {
        for (uint64_t& word : block)
            word = rng();
        out.write(reinterpret_cast<const char*>(block.data()),
                  static_cast<std::streamsize>(block.size() * sizeof(uint64_t)));
    }
}

// Runs `arguments` with `environment` applied, without a display, output
// discarded; its peak resident set in KiB, or -1 when it failed.
long PeakOf(const std::vector<std::string>& arguments, std::vector<std::string> environment) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SSI_BACKEND"})
        environment.emplace_back(name);
    testing_support::TChildProcess program;
    if (!program.Start(arguments, environment, "/dev/null") || program.WaitForExit(600000) != 0)
        return -1;
    return program.PeakMemoryKiB();
}

// The inputs of an installer with `megabytes` of movie data, made once.
fs::path Inputs(size_t megabytes) {
    const fs::path dir = WorkFolder() / ("payload-" + std::to_string(megabytes));
    if (fs::exists(dir / "record"))
        return dir;
    fs::create_directories(dir / "windows");
    WriteNoise(dir / "runtime", 1, 1);
    WriteNoise(dir / "movie", megabytes, 2);
    const std::string record = kBin + "/sspack record --name Bench --logo-file logo.jpg -o " +
                               (dir / "record").string();
    if (std::system(record.c_str()) != 0)
        std::abort();
    return dir;
}

std::vector<std::string> BuildCommand(const fs::path& dir) {
    return {kBin + "/sspack",         "build",
            "--quiet",                "--stub",
            kBin + "/ssinstall",      "--runtime",
            (dir / "runtime").string(), "--movie",
            (dir / "movie").string(), "--record",
            (dir / "record").string(), "--logo",
            std::string(SSI_SOURCE_DIR) + "/examples/demo/logo.jpg", "-o",
            (dir / "setup").string()};
}

void Report(benchmark::State& state, long peakKiB) {
    if (peakKiB < 0) {
        state.SkipWithError("the program failed");
        return;
    }
    state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024.0;
}

void BM_BuildPeakMemory(benchmark::State& state) {
    const fs::path dir = Inputs(static_cast<size_t>(state.range(0)));
    long peak = 0;
    for (auto _ : state)
        peak = PeakOf(BuildCommand(dir), {});
    Report(state, peak);
}

void BM_InstallPeakMemory(benchmark::State& state) {
    const fs::path dir = Inputs(static_cast<size_t>(state.range(0)));
    if (!fs::exists(dir / "setup") && PeakOf(BuildCommand(dir), {}) < 0) {
        state.SkipWithError("the installer could not be built");
        return;
    }
    long peak = 0;
    for (auto _ : state)
        peak = PeakOf({(dir / "setup").string(), "/AUTO"},
                      {"WINDIR=" + (dir / "windows").string(), "HOME=" + dir.string(),
                       "TMPDIR=" + dir.string(), "LC_ALL=C.UTF-8"});
    Report(state, peak);
}

BENCHMARK(BM_BuildPeakMemory)->Arg(8)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InstallPeakMemory)->Arg(8)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
