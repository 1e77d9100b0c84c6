// Every picture of the public corpus (SSI_PICTURE_CORPUS: BMP including the
// whole BMP suite, ICO and CUR, JPEG, WMF and EMF files from public
// repositories, normal and damaged) fed as a logo is: read as a stored
// layout's Picture.Data and drawn into the image panel's 128 x 128. None may
// crash or hang (each file has a time bound), a refusal must name what is
// wrong, the suite's good bitmaps must equal its reference pictures, and
// the metafile players must draw every record type that real files
// commonly use. Without the corpus (a clone outside this setting) the tests
// skip and say so.
//
// For people to look at, build/artifacts/ gets metafiles-wild.png (twenty
// corpus metafiles, rotated chart labels among them) and
// metafile-records.md (the record types the files use, and which the
// players draw).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "framework/base/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/PersistentPicture.h"
#include "framework/graphics/PngCodec.h"
#include "framework/graphics/metafile/EmfPlayer.h"
#include "framework/graphics/metafile/Metafile.h"
#include "framework/graphics/metafile/WmfPlayer.h"
#include "support/GraphicsTestSupport.h"
#include "support/MetafileRecords.h"

using namespace gfxtest;
namespace fs = std::filesystem;

namespace {

// The longest one file may take to load and draw: far beyond any normal
// file (the slowest takes milliseconds), so that only a hang trips it.
constexpr double kSecondsPerFile = 10.0 * SSI_TEST_TIME_SCALE;
// Record types used by at least this share of the files must be drawn.
constexpr double kCommonShare = 0.02;

const fs::path& Root() {
    static const fs::path root = SSI_PICTURE_CORPUS;
    return root;
}

bool HaveCorpus() {
    std::error_code error;
    return fs::is_directory(Root() / "bmp", error) && fs::is_directory(Root() / "emf", error);
}

#define SKIP_WITHOUT_CORPUS()                                                                      \
    if (!HaveCorpus())                                                                             \
    GTEST_SKIP() << "No picture corpus at " << Root().string()                                     \
                 << " (configure with -DSSI_PICTURE_CORPUS=<folder> to run these tests)"

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

// The corpus's picture files of one kind folder ("bmp", "ico", ...), in
// name order.
std::vector<fs::path> Files(const std::string& kind) {
    std::vector<fs::path> out;
    for (const auto& entry : fs::recursive_directory_iterator(Root() / kind))
        if (entry.is_regular_file())
            out.push_back(entry.path());
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<fs::path> AllPictures() {
    std::vector<fs::path> out;
    for (const char* kind : {"bmp", "ico", "jpeg", "wmf", "emf"}) {
        const std::vector<fs::path> files = Files(kind);
        out.insert(out.end(), files.begin(), files.end());
    }
    return out;
}

// The graphic class a logo of this name is stored as: the extension's, a
// cursor as the icon it would have to pass for (the logo list has no
// cursors).
std::string ClassFor(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return char(std::tolower(c)); });
    if (ext == ".bmp" || ext == ".dib")
        return "TBitmap";
    if (ext == ".ico" || ext == ".cur")
        return "TIcon";
    if (ext == ".jpg" || ext == ".jpeg")
        return "TJPEGImage";
    return "TMetafile";
}

// The bytes a stored layout's Picture.Data holds for the file.
std::vector<uint8_t> PictureData(const std::string& className, const std::vector<uint8_t>& file) {
    TBytes b;
    b.U8(uint32_t(className.size()));
    b.Data.insert(b.Data.end(), className.begin(), className.end());
    if (className == "TBitmap")
        b.U32(uint32_t(file.size()));
    b.Raw(file);
    return b.Data;
}

struct TOutcome {
    bool Loaded = false;
    std::string Refusal;
    double Seconds = 0;
};

// Reads the file as picture data and draws it as the image panel does:
// stretched into 128 x 128, over the panel's colour.
TOutcome FeedAsLogo(const fs::path& path, TBitmap& panel) {
    const auto start = std::chrono::steady_clock::now();
    TOutcome outcome;
    const std::vector<uint8_t> data = PictureData(ClassFor(path), ReadBytes(path));
    TPersistentPicture picture;
    try {
        TMemoryStream stream;
        stream.WriteBuffer(data.data(), int64_t(data.size()));
        stream.SetPosition(0);
        picture.ReadData(stream);
        outcome.Loaded = true;
    } catch (const Exception& e) {
        outcome.Refusal = e.what();
    }
    panel.Canvas().Brush().SetColor(clBtnFace);
    panel.Canvas().FillRect(Rect(0, 0, 128, 128));
    if (outcome.Loaded && picture.Graphic())
        panel.Canvas().StretchDraw(Rect(0, 0, 128, 128), *picture.Graphic());
    outcome.Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

// A refusal names its reason: after the picture kind's words ("JPEG
// error", "Metafile is not valid", ...) and a colon comes what is wrong,
// not a word the decoder says of every failure.
bool NamesItsReason(const std::string& message) {
    const size_t colon = message.find(": ");
    if (colon == std::string::npos)
        return false;
    const std::string reason = message.substr(colon + 2);
    for (const char* vague : {"JPEG loading error", "error", "invalid", "unknown error"})
        if (reason == vague)
            return false;
    return reason.size() >= 12 && reason.find(' ') != std::string::npos;
}

// Why any picture may be refused, normal or not: it is of a kind the
// decoders do not support, beyond their size limits, or not of the kind
// its name says.
const char* const kAnyPictureRefusals[] = {
    "is not supported",
    "is above the limits",
    "a cursor file, not an icon",
    "not a JPEG",
};

// Damaged files their sources present as normal, and what is wrong with
// each.
struct TKnownRefusal {
    const char* Name;
    const char* Reason;
};
const TKnownRefusal kNormalRefusals[] = {
    {"pillow__clipboard.dib", "a DIB without the file header of a .bmp file"},
    {"pillow__l2rgb_read.bmp", "pixel data offset 2147483440 at offset 10 is out of range"},
    {"poi__slideshow_sci_cec.dib", "pixel data offset 2 at offset 10 is out of range"},
    {"gdkpixbuf__bug775218.jpg", "Quantization table 0x00 was not defined"},
    {"poi__slideshow_61338.wmf", "record 02FB at offset 8564 of 9699384 bytes runs past the end"},
    {"poi__spreadsheet_61294.emf", "record 4 at offset 2384 has a size of 4294902055 bytes"},
};

TPngImage ReadPng(const fs::path& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return DecodePng(bytes.data(), bytes.size(), 4096);
}

} // namespace

TEST(PictureCorpus, EveryFileLoadsOrIsRefusedWithItsReason) {
    SKIP_WITHOUT_CORPUS();
    const std::vector<fs::path> files = AllPictures();
    ASSERT_GT(files.size(), 900u);
    TBitmap panel(128, 128);
    std::map<std::string, int> loaded, refused;
    std::ostringstream log;
    for (const fs::path& path : files) {
        const std::string name = fs::relative(path, Root()).string();
        const TOutcome outcome = FeedAsLogo(path, panel);
        EXPECT_LT(outcome.Seconds, kSecondsPerFile) << name;
        const std::string kind = name.substr(0, name.find('/'));
        (outcome.Loaded ? loaded : refused)[kind]++;
        if (!outcome.Loaded) {
            EXPECT_TRUE(NamesItsReason(outcome.Refusal)) << name << ": " << outcome.Refusal;
            log << name << ": " << outcome.Refusal << "\n";
        }
        // A file its source presents as normal loads, or is refused for a
        // reason any picture may be, or is one of the damaged ones above
        // with its reason; the BMP suite's questionable and bad files and
        // the damaged folders may go either way, as long as they say why.
        if (name.find("/sample/") == std::string::npos &&
            name.find("/suite-g/") == std::string::npos)
            continue;
        const bool allowed = std::any_of(
            std::begin(kAnyPictureRefusals), std::end(kAnyPictureRefusals),
            [&](const char* why) { return outcome.Refusal.find(why) != std::string::npos; });
        const auto known = std::find_if(
            std::begin(kNormalRefusals), std::end(kNormalRefusals),
            [&](const TKnownRefusal& k) { return name.find(k.Name) != std::string::npos; });
        if (known == std::end(kNormalRefusals))
            EXPECT_TRUE(outcome.Loaded || allowed) << name << ": " << outcome.Refusal;
        else
            EXPECT_NE(outcome.Refusal.find(known->Reason), std::string::npos)
                << name << ": " << outcome.Refusal;
    }
    std::ofstream(ArtifactPath("picture-corpus-refusals.txt")) << log.str();
    for (const auto& [kind, n] : loaded)
        std::printf("%-5s %4d loaded, %4d refused\n", kind.c_str(), n, refused[kind]);
}

// The suite's good bitmaps against the reference pictures its page pairs
// them with (bmp-ref/map.txt), pixel for pixel.
TEST(PictureCorpus, GoodSuiteBitmapsEqualTheirReferences) {
    SKIP_WITHOUT_CORPUS();
    std::ifstream map(Root() / "bmp-ref" / "map.txt");
    std::string line;
    int compared = 0;
    while (std::getline(map, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string bmp, png;
        fields >> bmp >> png;
        SCOPED_TRACE(bmp);
        TBitmap b;
        const std::vector<uint8_t> file = ReadBytes(Root() / "bmp" / "suite-g" / bmp);
        ASSERT_NO_THROW(b.LoadFromMemory(file.data(), file.size()));
        const TPngImage ref = ReadPng(Root() / "bmp-ref" / png);
        ASSERT_EQ(b.Width(), ref.Width);
        ASSERT_EQ(b.Height(), ref.Height);
        int different = 0;
        for (int32_t y = 0; y < ref.Height; ++y)
            for (int32_t x = 0; x < ref.Width; ++x) {
                const uint8_t* p = &ref.Rgba[(size_t(y) * size_t(ref.Width) + size_t(x)) * 4];
                different += b.Pixel(x, y) != RGB(p[0], p[1], p[2]);
            }
        EXPECT_EQ(different, 0);
        ++compared;
    }
    EXPECT_EQ(compared, 27);
}

// The record types the corpus's metafiles use, counted without drawing:
// every type at least 2 % of the files of its kind use is drawn. The table
// goes to build/artifacts/metafile-records.md.
TEST(PictureCorpus, PlayersDrawEveryCommonRecordType) {
    SKIP_WITHOUT_CORPUS();
    TRecordCount wmf, emf;
    for (const char* kind : {"wmf", "emf"})
        for (const fs::path& path : Files(kind)) {
            bool isEmf = false;
            std::set<uint32_t> types;
            try {
                types = MetafileRecordTypes(ReadBytes(path), isEmf);
            } catch (const Exception&) {
                continue; // refused files have no records to count
            }
            (isEmf ? emf : wmf).Add(types);
        }
    ASSERT_GT(wmf.Files(), 250u);
    ASSERT_GT(emf.Files(), 140u);
    std::ofstream(ArtifactPath("metafile-records.md"))
        << "# WMF (" << wmf.Files() << " files)\n\n"
        << RecordTable(false, wmf) << "\n# EMF (" << emf.Files() << " files)\n\n"
        << RecordTable(true, emf);
    for (const bool isEmf : {false, true}) {
        const TRecordCount& count = isEmf ? emf : wmf;
        for (const auto& [type, files] : count.ByUse()) {
            if (double(files) < kCommonShare * double(count.Files()))
                break;
            EXPECT_TRUE(isEmf ? EmfRecordPlayed(type) : WmfRecordPlayed(uint16_t(type)))
                << MetafileRecordName(isEmf, type) << " is used by " << files << " of "
                << count.Files() << " files";
        }
    }
}

namespace {

// Metafiles for people to look at: charts whose axis titles are turned,
// clip art, text at many angles, a WMF that carries its EMF.
const char* const kSheet[] = {
    "emf/sample/emf2svg__resources_emf_test-001.emf",
    "emf/sample/emf2svg__resources_emf_test-013.emf",
    "emf/sample/emf2svg__resources_emf_test-014.emf",
    "emf/sample/emf2svg__resources_emf_test-033.emf",
    "emf/sample/emf2svg__resources_emf_test-044.emf",
    "emf/sample/emf2svg__resources_emf_test-050.emf",
    "emf/sample/emf2svg__resources_emf_test-100.emf",
    "emf/sample/emf2svg__resources_emf_test-145.emf",
    "wmf/sample/emf2svg__vendor_libuemf_test_libuemf_ref.wmf",
    "emf/sample/emf2svg__resources_emf_test-104.emf",
    "emf/sample/emf2svg__resources_emf_test-131.emf",
    "emf/sample/emf2svg__resources_emf_test-132.emf",
    "emf/sample/poi__slideshow_wrench.emf",
    "emf/sample/poi__xmldsign_jack-sign.emf",
    "wmf/sample/poi__slideshow_santa.wmf",
    "wmf/sample/wmfemfviewer__sample.wmf",
    "wmf/sample/poi__slideshow_60677.wmf",
    "emf/sample/wmf2svg__src_test_data_emf_fulltest.emf",
    "wmf/sample/wmf2svg__src_test_data_wmf_fulltest.wmf",
    "emf/sample/emf2svg__resources_emf_test-174.emf",
};

TMetafile LoadMetafile(const fs::path& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    TMetafile m;
    m.LoadFromMemory(bytes.data(), bytes.size());
    return m;
}

// The ink (dark pixels) in the columns [left, right) of a bitmap.
TRect DarkInk(const TBitmap& b, int32_t left, int32_t right) {
    TRect r = Rect(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = left; x < right; ++x) {
            const TColor c = b.Pixel(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200)
                r = Rect(std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                         std::max(r.Bottom, y + 1));
        }
    return r;
}

} // namespace

// Twenty metafiles in cells of the image panel's proportions, written to
// build/artifacts/metafiles-wild.png; the charts' turned axis titles stand
// upright along their axes, centred on them.
TEST(PictureCorpus, ChartAxisTitlesStandUpright) {
    SKIP_WITHOUT_CORPUS();
    constexpr int32_t kCellW = 260, kCellH = 215, kPanelW = 250, kPanelH = 190, kColumns = 5;
    TBitmap sheet(kCellW * kColumns, kCellH * 4);
    TCanvas& c = sheet.Canvas();
    c.Brush().SetColor(RGB(236, 233, 216));
    c.FillRect(Rect(0, 0, sheet.Width(), sheet.Height()));
    c.Font().SetName("Tahoma");
    c.Font().SetHeight(-11);
    for (size_t i = 0; i < std::size(kSheet); ++i) {
        const TMetafile m = LoadMetafile(Root() / kSheet[i]);
        const int32_t x = int32_t(i % kColumns) * kCellW + 5;
        const int32_t y = int32_t(i / kColumns) * kCellH + 5;
        // Fitted into the panel, keeping the picture's proportions.
        const double scale = std::min(double(kPanelW) / m.Width(), double(kPanelH) / m.Height());
        const int32_t w = std::max(1, int32_t(m.Width() * scale));
        const int32_t h = std::max(1, int32_t(m.Height() * scale));
        c.Brush().SetColor(clWhite);
        c.FillRect(Bounds(x, y, kPanelW, kPanelH));
        c.StretchDraw(Bounds(x + (kPanelW - w) / 2, y + (kPanelH - h) / 2, w, h), m);
        std::string name = fs::path(kSheet[i]).filename().string();
        name = name.substr(name.rfind("__") + 2);
        c.Brush().SetStyle(TBrushStyle::bsClear);
        c.TextOut(x, y + kPanelH + 3, name.substr(0, 44));
    }
    sheet.SaveToPngFile(ArtifactPath("metafiles-wild.png"));

    // At their own size, the y-axis title of each chart is a column of ink
    // at the left edge, much taller than wide, around the plot's middle.
    const struct {
        const char* File;
        int32_t StripRight; // the title's columns, left of the tick labels
    } charts[] = {
        {"emf/sample/emf2svg__resources_emf_test-001.emf", 28},
        {"emf/sample/emf2svg__resources_emf_test-013.emf", 22},
        {"emf/sample/emf2svg__resources_emf_test-033.emf", 22},
    };
    for (const auto& chart : charts) {
        SCOPED_TRACE(chart.File);
        const TMetafile m = LoadMetafile(Root() / chart.File);
        TBitmap b(m.Width(), m.Height());
        b.Canvas().Draw(0, 0, m);
        const TRect ink = DarkInk(b, 0, chart.StripRight);
        std::printf("%s: title ink %d,%d-%d,%d of %d x %d\n", chart.File, ink.Left, ink.Top,
                    ink.Right, ink.Bottom, b.Width(), b.Height());
        ASSERT_LT(ink.Left, ink.Right);
        EXPECT_GT(ink.Height(), 4 * ink.Width());
        EXPECT_GT(ink.Height(), 60);
        const int32_t middle = (ink.Top + ink.Bottom) / 2;
        EXPECT_GT(middle, b.Height() / 3);
        EXPECT_LT(middle, b.Height() * 2 / 3);
    }
}
