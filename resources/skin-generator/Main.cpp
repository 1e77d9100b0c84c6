// Draws every built-in skin bitmap and writes one BMP file per resource,
// named after it, into the folder given (resources/skin when run through the
// skin_generator target). Given the wizard's layout template and a folder
// too, it also writes the wizard's layout (InstallarForm.txt, its pictures
// filled in) and the program's icon (MAINICON.ico) there. Run by hand after
// changing the drawings; the files it writes are committed.

#include "Skin.h"
#include "Wizard.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr,
                     "usage: skin_generator OUTPUT-FOLDER [WIZARD-TEMPLATE WIZARD-FOLDER]\n");
        return 2;
    }
    try {
        skingen::TRegistry registry;
        skingen::AddAll(registry);
        const int written = registry.WriteAll(argv[1]);
        std::printf("%d skin bitmaps written to %s\n", written, argv[1]);
        if (argc == 4) {
            const std::string folder = argv[3];
            WriteFile(folder + "/InstallarForm.txt",
                      skingen::ExpandWizardLayout(registry, ReadFile(argv[2])));
            const std::vector<uint8_t> icon = skingen::DrawMainIcon();
            WriteFile(folder + "/MAINICON.ico", std::string(icon.begin(), icon.end()));
            std::printf("wizard layout and icon written to %s\n", folder.c_str());
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skin_generator: %s\n", e.what());
        return 1;
    }
}
