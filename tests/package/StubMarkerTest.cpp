#include "package/StubMarker.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string VersionIn(const std::string& bytes) {
    return StubMarkerVersion(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

TEST(StubMarker, TheVersionBehindThePrefixUpToItsNul) {
    using namespace std::string_literals;
    EXPECT_EQ(VersionIn("\177ELF\0\0junk\0SSINSTALL-STUB 1.0.0\0more"s), "1.0.0");
    EXPECT_EQ(VersionIn("SSINSTALL-STUB 2.10.3-rc1+git\0"s), "2.10.3-rc1+git");
    // A program that looks for the marker holds the prefix on its own, or in
    // its messages: neither is a marker, and one after them still counts.
    EXPECT_EQ(VersionIn("SSINSTALL-STUB \0SSINSTALL-STUB marker\0SSINSTALL-STUB 3\0"s), "3");
}

TEST(StubMarker, NoneWithoutAWholeMarker) {
    using namespace std::string_literals;
    const std::string tooLong = "SSINSTALL-STUB 1" + std::string(32, '0') + "\0"s;
    for (const std::string& bytes :
         {""s, "no marker here\0"s, "SSINSTALL-STUB \0"s, "SSINSTALL-STUB 1.0.0"s,
          "SSINSTALL-STUB 1.0 \0"s, "SSINSTALL-STUB v1\0"s, "SSINSTALL-STUB 1\n\0"s,
          "SSINSTALL-STUB"s, "sSINSTALL-STUB 1\0"s, "SSINSTALL-STUB  1\0"s, tooLong})
        EXPECT_EQ(VersionIn(bytes), "") << bytes;
    EXPECT_EQ(VersionIn("SSINSTALL-STUB 1" + std::string(31, '0') + "\0"s),
              "1" + std::string(31, '0'))
        << "32 characters are still a version";
}
