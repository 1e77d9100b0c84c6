// demo-movie: writes the demo screensaver's movie data. Real movie data is
// mostly compressed already, so half of it is noise that zlib cannot shrink;
// the rest is frame-like runs that it can. The output is the same every time.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(argc == 2 ? stdout : stderr,
                     "Usage: demo-movie OUTPUT\nWrites 384 KiB of demo movie data.\n");
        return argc == 2 ? 0 : 2;
    }
    constexpr size_t kSize = 384 * 1024;
    constexpr size_t kFrame = 4096;
    std::vector<uint8_t> data(kSize);
    uint32_t state = 0x2545F491u; // xorshift32: repeatable noise
    for (size_t frame = 0; frame * kFrame < kSize; ++frame) {
        uint8_t* p = data.data() + frame * kFrame;
        for (size_t i = 0; i < kFrame; ++i) {
            if (frame % 2 == 0) {
                state ^= state << 13;
                state ^= state >> 17;
                state ^= state << 5;
                p[i] = static_cast<uint8_t>(state);
            } else {
                p[i] = static_cast<uint8_t>((i / 64 + frame) % 7 * 36);
            }
        }
    }
    FILE* out = std::fopen(argv[1], "wb");
    if (!out || std::fwrite(data.data(), 1, data.size(), out) != data.size() ||
        std::fclose(out) != 0) {
        std::fprintf(stderr, "demo-movie: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
