// The metafile fuzz targets' seeds are files of the test writer; this keeps
// the committed seeds equal to what the writer makes now. After changing
// the writer or the logos, copy build/artifacts/metafile-seeds/<target>/*
// into fuzz/corpus/<target>/.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/graphics/metafile/Metafile.h"
#include "support/GraphicsTestSupport.h"
#include "support/MetafileLogos.h"
#include "support/MetafileWriter.h"

using namespace gfxtest;

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(MetafileSeeds, CommittedSeedsAreTheWritersFiles) {
    struct TTarget {
        std::string Name;
        std::vector<TSeed> Seeds;
    };
    // A stored picture holding a small WMF: the picture reader's seed (the
    // first byte chooses a picture, then the kind's name, then the file).
    TWmfWriter small;
    small.SetWindowExt(10, 10);
    small.Ellipse(0, 0, 10, 10);
    std::vector<uint8_t> stored = {1, 9, 'T', 'M', 'e', 't', 'a', 'f', 'i', 'l', 'e'};
    const std::vector<uint8_t> wmf = small.Finish();
    stored.insert(stored.end(), wmf.begin(), wmf.end());
    const TTarget targets[] = {{"graphics_wmf_fuzzer", MetafileSeeds(false)},
                               {"graphics_emf_fuzzer", MetafileSeeds(true)},
                               {"graphics_picture_data_fuzzer", {{"metafile", stored}}}};
    for (const TTarget& target : targets) {
        const std::string fresh = ArtifactPath("metafile-seeds/" + target.Name);
        std::filesystem::create_directories(fresh);
        for (const TSeed& seed : target.Seeds) {
            WriteFile(fresh + "/" + seed.Name, seed.Bytes);
            const std::string committed =
                std::string(SSI_SOURCE_DIR) + "/fuzz/corpus/" + target.Name + "/" + seed.Name;
            EXPECT_TRUE(ReadBytes(committed) == seed.Bytes)
                << committed << " differs from the writer's file: copy it from " << fresh;
            if (seed.Name != "metafile") {
                TMetafile m;
                EXPECT_NO_THROW(m.LoadFromMemory(seed.Bytes.data(), seed.Bytes.size()))
                    << seed.Name;
            }
        }
    }
}
