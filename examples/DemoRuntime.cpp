// demo-screensaver: the demo screensaver's runtime. Installed as <name>.scr
// it is a package whose stream 0 is this program; it reads its own file and
// tells what it carries.

#include "framework/base/SysUtils.h"
#include "package/DecompileStream.h"
#include "package/Project.h"
#include "platform/kernel32/FileIO.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--help") == 0) {
        std::printf(
            "Usage: <name>.scr\nThe demo screensaver: prints its name and the streams it carries.\n");
        return 0;
    }
    const std::string self = GetModuleFileName();
    try {
        TFileStream file(self, fmOpenRead | fmShareDenyNone);
        TDecompileStream package;
        package.Decompile(file);
        if (package.Count() != 4)
            throw Exception(
                Format("%s is not an installed screensaver (it holds %d streams, not 4)",
                       self.c_str(), package.Count()));
        TProject project;
        project.ProjectStream.CopyFrom(*package.GetStream(2, true), 0);
        project.ProjectStream.SetPosition(0);
        project.LoadFromStream();

        std::printf("Screensaver: %s\n", project.ScreensaverName.c_str());
        const char* roles[] = {"runtime", "movie data", "project record", "logo"};
        for (int32_t i = 0; i < package.Count(); ++i) {
            int64_t size = i == 0 ? package.StoredSize(0) : package.GetStream(i, true)->Size();
            std::printf("  stream %d: %-14s %8lld bytes (stored %d)\n", i, roles[i],
                        static_cast<long long>(size), package.StoredSize(i));
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "demo-screensaver: %s\n", e.what());
        return 1;
    }
}
