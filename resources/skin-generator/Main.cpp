// Draws every built-in skin bitmap and writes one BMP file per resource,
// named after it, into the folder given (resources/skin when run through the
// skin_generator target). Run by hand after changing the drawings; the files
// it writes are committed.

#include "Skin.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin_generator OUTPUT-FOLDER\n");
        return 2;
    }
    try {
        skingen::TRegistry registry;
        skingen::AddAll(registry);
        const int written = registry.WriteAll(argv[1]);
        std::printf("%d skin bitmaps written to %s\n", written, argv[1]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skin_generator: %s\n", e.what());
        return 1;
    }
}
