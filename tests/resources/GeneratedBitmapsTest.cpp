// The committed skin bitmaps are the generator's output: a drawing changed
// without rerunning the skin_generator target shows here.

#include "Skin.h"
#include "Wizard.h"
#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

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

namespace {

std::string ReadSource(const std::string& relative) {
    std::ifstream in(std::string(SSI_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The wizard's layout is its template with the WinXP pictures filled in,
// and the icon is the generator's drawing, both as embedded.
TEST(GeneratedBitmaps, WizardLayoutAndIconMatchTheGenerator) {
    skingen::TRegistry registry;
    skingen::AddAll(registry);
    const std::string layout = skingen::ExpandWizardLayout(
        registry, ReadSource("resources/wizard/InstallarForm.layout.in"));
    const std::span<const uint8_t> embedded = FindResource("InstallarForm");
    EXPECT_TRUE(std::equal(layout.begin(), layout.end(), embedded.begin(), embedded.end()))
        << "resources/wizard/InstallarForm.txt differs: run the skin_generator target";
    EXPECT_EQ(layout.find('@'), std::string::npos);
    const std::vector<uint8_t> icon = skingen::DrawMainIcon();
    const std::span<const uint8_t> embeddedIcon = FindResource("MAINICON");
    EXPECT_TRUE(std::equal(icon.begin(), icon.end(), embeddedIcon.begin(), embeddedIcon.end()));
}

// The icon holds its four images as the platform's icon files do: 16 x 16
// and 32 x 32, each in 16 and in 256 colours.
TEST(GeneratedBitmaps, TheIconHoldsFourPalettedImages) {
    const std::vector<uint8_t> icon = skingen::DrawMainIcon();
    ASSERT_GE(icon.size(), 6u + 4 * 16);
    EXPECT_EQ(icon[2] | icon[3] << 8, 1);
    ASSERT_EQ(icon[4] | icon[5] << 8, 4);
    const int sizes[] = {16, 32, 16, 32}, bits[] = {4, 4, 8, 8};
    for (int i = 0; i < 4; ++i) {
        const uint8_t* entry = icon.data() + 6 + 16 * i;
        EXPECT_EQ(entry[0], sizes[i]);
        EXPECT_EQ(entry[2], bits[i] == 4 ? 16 : 0);
        EXPECT_EQ(entry[6] | entry[7] << 8, bits[i]);
    }
}

} // namespace
