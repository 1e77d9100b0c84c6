// sspack: the authoring side of the installer. It writes project records,
// builds installers by appending a package to the installer program, and
// lists and extracts the streams of any package.

#include "framework/base/SysUtils.h"
#include "package/CompileStream.h"
#include "package/DecompileStream.h"
#include "package/Project.h"
#include "package/Zlib.h"
#include "platform/kernel32/FileIO.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const char* const kUsage =
    "Usage:\n"
    "  sspack record --name N [--logo-file PATH] [--homepage URL] [--copyright TEXT]\n"
    "                [--license FILE] [--show-license] -o FILE\n"
    "      Writes a project record: the screensaver's name, its logo file's name, homepage,\n"
    "      copyright line and licence text (shown before installing with --show-license).\n"
    "  sspack build --stub FILE --runtime FILE --movie FILE --record FILE --logo FILE -o FILE\n"
    "      Writes an installer: the stub program raw as stream 0, then the runtime, movie\n"
    "      data, record and logo compressed as streams 1 to 4. The output is executable.\n"
    "  sspack list FILE\n"
    "      Prints one line per stream of a package: index, original size, stored size.\n"
    "  sspack extract FILE INDEX -o OUT [--raw]\n"
    "      Writes one stream's content (with --raw: its bytes as stored).\n"
    "Exit status: 0 on success, 1 on a failure, 2 on bad usage.\n";

// Bad command lines end with status 2, everything else that fails with 1.
struct UsageError {
    std::string message;
};

// Command-line options after the command word: "--flag" or "--name value";
// anything else is a positional argument.
struct Options {
    std::map<std::string, std::string> values;
    std::vector<std::string> flags;
    std::vector<std::string> positional;

    bool Has(const std::string& name) const { return values.count(name) > 0; }
    bool Flag(const std::string& name) const {
        for (const auto& f : flags)
            if (f == name)
                return true;
        return false;
    }
    std::string Required(const std::string& name) const {
        auto it = values.find(name);
        if (it == values.end())
            throw UsageError{"missing " + name};
        return it->second;
    }
    std::string Optional(const std::string& name) const { return Has(name) ? values.at(name) : ""; }
};

Options Parse(int argc, char** argv, const std::vector<std::string>& withValue,
              const std::vector<std::string>& flagNames) {
    Options options;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        bool takesValue = false, isFlag = false;
        for (const auto& name : withValue)
            takesValue = takesValue || arg == name;
        for (const auto& name : flagNames)
            isFlag = isFlag || arg == name;
        if (takesValue) {
            if (i + 1 >= argc)
                throw UsageError{arg + " needs a value"};
            if (options.Has(arg))
                throw UsageError{arg + " given twice"};
            options.values[arg] = argv[++i];
        } else if (isFlag) {
            options.flags.push_back(arg);
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option " + arg};
        } else {
            options.positional.push_back(arg);
        }
    }
    return options;
}

// Writes `data` as the whole of `path` in one step; executables get their
// execute bits.
void WriteOutput(const std::string& path, const uint8_t* data, size_t size, bool executable) {
    if (!ReplaceFileContents(path, data, size, executable ? 0755 : 0644))
        throw EFCreateError(Format("Cannot create file %s", path.c_str()));
    struct stat info {};
    if (executable && stat(path.c_str(), &info) == 0)
        chmod(path.c_str(), info.st_mode | 0111);
}

std::string ReadText(const std::string& path) {
    TMemoryStream file;
    file.LoadFromFile(path);
    return std::string(reinterpret_cast<const char*>(file.Memory()),
                       static_cast<size_t>(file.Size()));
}

// Record fields are lines of text: a line break or NUL inside one would shift
// every line behind it.
std::string FieldValue(const Options& options, const std::string& name) {
    std::string value = options.Optional(name);
    if (value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        throw Exception(name + " must not contain a line break");
    return value;
}

int Record(int argc, char** argv) {
    Options options =
        Parse(argc, argv, {"--name", "--logo-file", "--homepage", "--copyright", "--license", "-o"},
              {"--show-license"});
    if (!options.positional.empty())
        throw UsageError{"unexpected argument " + options.positional[0]};
    std::string output = options.Required("-o");
    options.Required("--name");

    TProject project;
    project.ScreensaverName = FieldValue(options, "--name");
    project.LogoFile = FieldValue(options, "--logo-file");
    project.Homepage = FieldValue(options, "--homepage");
    project.Copyright = FieldValue(options, "--copyright");
    project.ShowLicense = options.Flag("--show-license");
    if (options.Has("--license")) {
        std::string text = ReadText(options.Required("--license"));
        if (text.find('\0') != std::string::npos)
            throw Exception("The licence file " + options.Required("--license") +
                            " is not text (it holds a NUL byte)");
        project.LicenseText.SetText(text);
    }
    project.SaveToStream();
    WriteOutput(output, project.ProjectStream.Memory(),
                static_cast<size_t>(project.ProjectStream.Size()), false);
    return 0;
}

int Build(int argc, char** argv) {
    Options options =
        Parse(argc, argv, {"--stub", "--runtime", "--movie", "--record", "--logo", "-o"}, {});
    if (!options.positional.empty())
        throw UsageError{"unexpected argument " + options.positional[0]};
    std::string output = options.Required("-o");
    struct Part {
        const char* option;
        bool compress;
    } parts[] = {{"--stub", false},
                 {"--runtime", true},
                 {"--movie", true},
                 {"--record", true},
                 {"--logo", true}};
    for (const Part& part : parts)
        options.Required(part.option);

    TCompileStream writer;
    for (const Part& part : parts) {
        TMemoryStream content;
        content.LoadFromFile(options.Required(part.option));
        writer.AddStream(content, part.compress);
    }
    TMemoryStream& package = writer.Compile();
    WriteOutput(output, package.Memory(), static_cast<size_t>(package.Size()), true);
    return 0;
}

TDecompileStream Open(const std::string& path) {
    TFileStream file(path, fmOpenRead | fmShareDenyNone);
    TDecompileStream reader;
    reader.Decompile(file);
    return reader;
}

int List(int argc, char** argv) {
    Options options = Parse(argc, argv, {}, {});
    if (options.positional.size() != 1)
        throw UsageError{"list takes one file"};
    TDecompileStream reader = Open(options.positional[0]);
    for (int32_t i = 0; i < reader.Count(); ++i)
        std::printf("%d %d %d\n", i, reader.OriginalSize(i), reader.StoredSize(i));
    return 0;
}

int Extract(int argc, char** argv) {
    Options options = Parse(argc, argv, {"-o"}, {"--raw"});
    if (options.positional.size() != 2)
        throw UsageError{"extract takes a file and a stream index"};
    std::string output = options.Required("-o");
    int32_t index = 0;
    if (!TryStrToInt(options.positional[1], index) || index < 0)
        throw UsageError{"bad stream index " + options.positional[1]};
    TDecompileStream reader = Open(options.positional[0]);
    if (index >= reader.Count())
        throw Exception(Format("%s has no stream %d (it holds %d)", options.positional[0].c_str(),
                               index, reader.Count()));

    std::unique_ptr<TMemoryStream> content;
    if (options.Flag("--raw")) {
        content = reader.GetStoredStream(index);
    } else if (reader.StoredSize(index) != reader.OriginalSize(index)) {
        content = reader.GetStream(index, false);
    } else {
        // Equal sizes say nothing about compression: a stream that inflates to
        // exactly its size was compressed, anything else is stored as it is.
        try {
            content = reader.GetStream(index, true);
        } catch (const EZlibError&) {
            content = reader.GetStoredStream(index);
        } catch (const EReadError&) {
            content = reader.GetStoredStream(index);
        }
    }
    WriteOutput(output, content->Memory(), static_cast<size_t>(content->Size()), false);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string command = argc >= 2 ? argv[1] : "";
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    try {
        if (command == "record")
            return Record(argc, argv);
        if (command == "build")
            return Build(argc, argv);
        if (command == "list")
            return List(argc, argv);
        if (command == "extract")
            return Extract(argc, argv);
        throw UsageError{command.empty() ? "no command given" : "unknown command " + command};
    } catch (const UsageError& e) {
        std::fprintf(stderr, "sspack: %s\n%s", e.message.c_str(), kUsage);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sspack: %s\n", e.what());
        return 1;
    }
}
