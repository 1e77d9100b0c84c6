// The committed skin bitmaps are the generator's output: a drawing changed
// without rerunning the skin_generator target shows here.

#include "Skin.h"
#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(GeneratedBitmaps, EmbeddedFilesMatchWhatTheGeneratorDraws) {
    skingen::TRegistry registry;
    skingen::AddAll(registry);
    ASSERT_EQ(registry.Count(), 100);
    for (int i = 0; i < registry.Count(); ++i) {
        const std::string& name = registry.Name(i);
        const std::vector<uint8_t> drawn = registry.Encode(i);
        const std::span<const uint8_t> embedded = FindResource(name);
        EXPECT_TRUE(std::equal(drawn.begin(), drawn.end(), embedded.begin(), embedded.end()))
            << name << " differs from the generator's drawing: run the skin_generator target";
    }
}

} // namespace
