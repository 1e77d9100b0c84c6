// The public picture corpus (SSI_PICTURE_CORPUS, where this setting has it)
// through the logo's decoders: every file decoded (refusals included), and
// the twenty largest metafiles played into the image panel's 128 x 128.
// Each reports its total per pass and, as its label, the slowest file and
// that file's mean processor time (target: no file over 100 ms; processor
// time, so that other programs on a busy machine do not count). Per-file
// timings of the twenty metafiles follow as benchmarks of their own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/graphics/metafile/Metafile.h"

namespace {

namespace fs = std::filesystem;

struct TFile {
    std::string Name; // relative to the corpus
    std::vector<uint8_t> Bytes;
};

const fs::path& Root() {
    static const fs::path root = SSI_PICTURE_CORPUS;
    return root;
}

bool HaveCorpus() {
    std::error_code error;
    return fs::is_directory(Root() / "emf", error);
}

const std::vector<TFile>& Corpus() {
    static const std::vector<TFile> files = [] {
        std::vector<TFile> out;
        if (!HaveCorpus())
            return out;
        for (const char* kind : {"bmp", "ico", "jpeg", "wmf", "emf"})
            for (const auto& entry : fs::recursive_directory_iterator(Root() / kind))
                if (entry.is_regular_file()) {
                    std::ifstream in(entry.path(), std::ios::binary);
                    out.push_back({fs::relative(entry.path(), Root()).string(),
                                   std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), {})});
                }
        std::sort(out.begin(), out.end(),
                  [](const TFile& a, const TFile& b) { return a.Name < b.Name; });
        return out;
    }();
    return files;
}

// Decodes as the logo's picture would, by the name's extension; false for
// a refusal.
bool Decode(const TFile& f) {
    const std::string ext = fs::path(f.Name).extension().string();
    try {
        if (ext == ".bmp" || ext == ".dib") {
            TBitmap b;
            b.LoadFromMemory(f.Bytes.data(), f.Bytes.size());
        } else if (ext == ".ico" || ext == ".cur") {
            TIcon icon;
            icon.LoadFromMemory(f.Bytes.data(), f.Bytes.size());
        } else if (ext == ".jpg" || ext == ".jpeg") {
            TJPEGImage j;
            j.LoadFromMemory(f.Bytes.data(), f.Bytes.size());
        } else {
            TMetafile m;
            m.LoadFromMemory(f.Bytes.data(), f.Bytes.size());
        }
    } catch (const Exception&) {
        return false;
    }
    return true;
}

// The twenty largest metafiles that load.
const std::vector<const TFile*>& Largest() {
    static const std::vector<const TFile*> largest = [] {
        std::vector<const TFile*> metafiles;
        for (const TFile& f : Corpus())
            if ((f.Name.starts_with("wmf/") || f.Name.starts_with("emf/")) && Decode(f))
                metafiles.push_back(&f);
        std::sort(metafiles.begin(), metafiles.end(),
                  [](const TFile* a, const TFile* b) { return a->Bytes.size() > b->Bytes.size(); });
        metafiles.resize(std::min<size_t>(metafiles.size(), 20));
        return metafiles;
    }();
    return largest;
}

// The processor time this thread has used, in seconds.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Runs `work` on every file per iteration, timing each; labels the state
// with the slowest file's mean.
template <class F>
void EveryFile(benchmark::State& state, const std::vector<const TFile*>& files, F work) {
    if (files.empty()) {
        state.SkipWithError(("no picture corpus at " + Root().string()).c_str());
        return;
    }
    std::vector<double> seconds(files.size());
    for (auto _ : state)
        for (size_t i = 0; i < files.size(); ++i) {
            const double start = ThreadSeconds();
            work(*files[i]);
            seconds[i] += ThreadSeconds() - start;
        }
    const size_t slowest =
        size_t(std::max_element(seconds.begin(), seconds.end()) - seconds.begin());
    const double mean = seconds[slowest] / double(state.iterations());
    char label[512];
    std::snprintf(label, sizeof label, "slowest %s %.2f ms CPU", files[slowest]->Name.c_str(),
                  mean * 1000);
    state.SetLabel(label);
    state.counters["files"] = double(files.size());
    state.counters["slowest_ms"] = mean * 1000;
}

void BM_DecodeCorpus(benchmark::State& state) {
    std::vector<const TFile*> files;
    for (const TFile& f : Corpus())
        files.push_back(&f);
    EveryFile(state, files, [](const TFile& f) { benchmark::DoNotOptimize(Decode(f)); });
}

// Loaded once, drawn each time (as the image panel paints a loaded logo).
void BM_PlayLargestMetafiles128(benchmark::State& state) {
    std::vector<std::unique_ptr<TMetafile>> loaded;
    std::map<const TFile*, TMetafile*> byFile;
    for (const TFile* f : Largest()) {
        loaded.push_back(std::make_unique<TMetafile>());
        loaded.back()->LoadFromMemory(f->Bytes.data(), f->Bytes.size());
        byFile[f] = loaded.back().get();
    }
    TBitmap panel(128, 128);
    EveryFile(state, Largest(), [&](const TFile& f) {
        panel.Canvas().StretchDraw(Rect(0, 0, 128, 128), *byFile[&f]);
        benchmark::DoNotOptimize(panel.ScanLine(64));
    });
}

// Each of the twenty on its own.
const bool kRegistered = [] {
    for (const TFile* f : Largest())
        benchmark::RegisterBenchmark(("BM_PlayMetafile128/" + f->Name).c_str(),
                                     [f](benchmark::State& state) {
                                         TMetafile m;
                                         m.LoadFromMemory(f->Bytes.data(), f->Bytes.size());
                                         TBitmap panel(128, 128);
                                         for (auto _ : state) {
                                             panel.Canvas().StretchDraw(Rect(0, 0, 128, 128), m);
                                             benchmark::DoNotOptimize(panel.ScanLine(64));
                                         }
                                         state.counters["bytes"] = double(f->Bytes.size());
                                     })
            ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace

BENCHMARK(BM_DecodeCorpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayLargestMetafiles128)->Unit(benchmark::kMillisecond);
