#pragma once
// Helpers that make installer files and sandbox Windows directories for the
// installer tests.

#include "framework/base/Streams.h"
#include "package/CompileStream.h"
#include "package/Project.h"
#include "support/PackageBytes.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace testing_support {

namespace fs = std::filesystem;

inline Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline std::string ReadText(const fs::path& path) {
    Bytes b = ReadFile(path);
    return std::string(b.begin(), b.end());
}

inline void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline Bytes RecordBytes(const std::string& name, bool showLicense = false) {
    TProject project;
    project.ScreensaverName = name;
    project.LogoFile = "C:\\Pictures\\logo.jpg";
    project.Homepage = "http://example.org/";
    project.Copyright = "(c) test";
    project.ShowLicense = showLicense;
    project.LicenseText.Add("Licence line");
    project.SaveToStream();
    return Bytes(project.ProjectStream.Memory(),
                 project.ProjectStream.Memory() + project.ProjectStream.Size());
}

// The five streams of an installer file, stub first.
struct Payload {
    Bytes stub = RandomBytes(1500, 1);
    Bytes runtime = RandomBytes(70000, 2);
    Bytes movie = RandomBytes(300000, 3);
    Bytes record = RecordBytes("Tropical Fish");
    Bytes logo = RandomBytes(5000, 4);

    Bytes Build() const {
        TCompileStream writer;
        const Bytes* parts[] = {&stub, &runtime, &movie, &record, &logo};
        for (int i = 0; i < 5; ++i) {
            TMemoryStream s;
            s.WriteBuffer(parts[i]->data(), static_cast<int64_t>(parts[i]->size()));
            writer.AddStream(s, i != 0);
        }
        TMemoryStream& package = writer.Compile();
        return Bytes(package.Memory(), package.Memory() + package.Size());
    }
};

// A temporary folder holding a Windows directory; WINDIR points there while
// the object lives.
class Sandbox {
public:
    Sandbox() {
        static int counter = 0;
        FRoot = fs::temp_directory_path() /
                ("ssi-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(Windows());
        if (const char* old = std::getenv("WINDIR"))
            FOldWindir = old;
        setenv("WINDIR", Windows().c_str(), 1);
    }
    ~Sandbox() {
        FOldWindir ? setenv("WINDIR", FOldWindir->c_str(), 1) : unsetenv("WINDIR");
        std::error_code ignored;
        fs::permissions(FRoot, fs::perms::owner_all, ignored);
        fs::remove_all(FRoot, ignored);
    }
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    fs::path Root() const { return FRoot; }
    fs::path Windows() const { return FRoot / "windows"; }
    fs::path SystemIni() const { return Windows() / "system.ini"; }

private:
    fs::path FRoot;
    std::optional<std::string> FOldWindir;
};

} // namespace testing_support
