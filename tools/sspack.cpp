// sspack: the authoring side of the installer. It writes project records,
// builds installers by appending a package to the installer program, and
// lists and extracts the streams of any package.
//
// Without --stub, `build` takes the installer stub installed with it
// (SSI_INSTALLED_STUB, relative to sspack's own folder) or, in the build tree,
// the one beside it.
//
// `record` and `build` refuse what the installer would refuse on the end
// user's machine (a name Windows cannot open, a logo it cannot show, a file
// that is no record or no stub) before they write anything; --force writes
// anyway, with a warning for each.

#include "framework/base/SysUtils.h"
#include "package/CompileStream.h"
#include "package/DecompileStream.h"
#include "package/Project.h"
#include "package/ScreensaverName.h"
#include "package/StubMarker.h"
#include "package/Zlib.h"
#include "platform/kernel32/CodePage.h"
#include "platform/kernel32/FileIO.h"
#include "tools/LogoCheck.h"
#include "tools/ToolMain.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const kUsage =
    "Usage:\n"
    "  sspack record --name N --logo-file PATH [--homepage URL] [--copyright TEXT]\n"
    "                [--license FILE] [--show-license] [--force] -o FILE\n"
    "      Writes a project record: the screensaver's name, its logo file's name, homepage,\n"
    "      copyright line and licence text (shown before installing with --show-license).\n"
    "      The wizard shows the logo under --logo-file's name, whose extension (bmp, ico,\n"
    "      wmf, emf, jpg, jpeg) says how to decode it. Refused: a name Windows cannot\n"
    "      open (empty, only blanks, one of \\ / : * ? \" < > | or a control character, a dot\n"
    "      or blank at the end, a device name such as CON or nul.txt), and a missing logo\n"
    "      name or one with another extension.\n"
    "  sspack build [--stub FILE] --runtime FILE --movie FILE --record FILE --logo FILE\n"
    "               -o FILE [--quiet] [--force]\n"
    "      Writes an installer: the stub program raw as stream 0, then the runtime, movie\n"
    "      data, record and logo compressed as streams 1 to 4. The output is executable.\n"
    "      Without --stub the installer stub installed with sspack is taken. On a terminal\n"
    "      a progress line shows on standard error unless --quiet is given. Refused: a stub\n"
    "      that is no installer stub, a record that does not read as one or that record\n"
    "      would refuse, and a logo that the installer cannot decode as the kind its name\n"
    "      in the record gives (a PNG or GIF picture, or one named .jpg holding a BMP).\n"
    "  --force\n"
    "      Writes what record or build would refuse, with a warning for each problem.\n"
    "  sspack list FILE\n"
    "      Prints one line per stream of a package: index, original size, stored size;\n"
    "      then the installer stub's version (stream 0), or that it carries none.\n"
    "  sspack extract FILE INDEX -o OUT [--raw]\n"
    "      Writes one stream's content (with --raw: its bytes as stored).\n"
    "  sspack --help, sspack --version\n"
    "      Prints this text, or the program's version.\n"
    "Texts (the record's values, the licence, the names) are UTF-8; Windows-1252 bytes are\n"
    "taken as such, with a warning.\n"
    "Exit status: 0 on success, 1 on a failure, 2 on bad usage.\n";

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

// Why the operating system will not let `path` be read, in its own words;
// "" when it will.
std::string ReadFailure(const std::string& path) {
    int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::strerror(errno);
    std::string reason;
    struct stat info {};
    char byte = 0;
    if (::fstat(fd, &info) != 0)
        reason = std::strerror(errno);
    else if (S_ISDIR(info.st_mode))
        reason = std::strerror(EISDIR);
    else if (::read(fd, &byte, 1) < 0)
        reason = std::strerror(errno);
    ::close(fd);
    return reason;
}

// A failure to read `path`, with the operating system's reason: after the
// system's message when that names the file ("Cannot open file X: ..."),
// else after the file's name with the system's message kept behind it.
[[noreturn]] void ThrowReadFailure(const std::string& path, const EStreamError& e) {
    const std::string reason = ReadFailure(path);
    if (dynamic_cast<const EFOpenError*>(&e) != nullptr)
        throw Exception(reason.empty() ? e.Message() : e.Message() + ": " + reason);
    throw Exception(path + ": " + (reason.empty() ? "" : reason + " ") + "(" + e.Message() + ")");
}

void LoadInput(TMemoryStream& content, const std::string& path) {
    try {
        content.LoadFromFile(path);
    } catch (const EStreamError& e) {
        ThrowReadFailure(path, e);
    }
}

// `path` opened to be read as it is used.
std::unique_ptr<TStream> OpenInput(const std::string& path) {
    try {
        return std::make_unique<TFileStream>(path, fmOpenRead | fmShareDenyWrite);
    } catch (const EStreamError& e) {
        ThrowReadFailure(path, e);
    }
}

// Gives an existing file that kept its permission bits its execute bits.
void MakeExecutable(const std::string& path) {
    struct stat info {};
    const std::string native = NativePath(path);
    if (stat(native.c_str(), &info) == 0)
        chmod(native.c_str(), info.st_mode | 0111);
}

// Writes `data` as the whole of `path` in one step; executables get their
// execute bits.
void WriteOutput(const std::string& path, const uint8_t* data, size_t size, bool executable) {
    if (!ReplaceFileContents(path, data, size, executable ? 0755 : 0644)) {
        const int error = errno;
        throw EFCreateError(
            Format("Cannot create file %s: %s", path.c_str(), std::strerror(error)));
    }
    if (executable)
        MakeExecutable(path);
}

std::string ReadText(const std::string& path) {
    TMemoryStream file;
    LoadInput(file, path);
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

// Texts are system text: UTF-8, with Windows-1252 bytes read as such, as the
// installer reads them. A text that is no UTF-8 is kept as it is and named
// once on standard error, by where it comes from: an option, or a file and
// the line of the text where the first such byte is.
void WarnNotUtf8(const std::string& where) {
    std::fprintf(stderr, "sspack: warning: %s: not UTF-8; read as Windows-1252\n", where.c_str());
}

void CheckText(const std::string& option, const std::string& text) {
    if (!IsUtf8(text))
        WarnNotUtf8(option);
}

// `lines` of `path`, numbered from `firstLine` (1-based), as one text.
void CheckLines(const std::string& path, const TStringList& lines, int firstLine = 1) {
    for (int i = 0; i < lines.Count(); ++i)
        if (!IsUtf8(lines.Get(i))) {
            WarnNotUtf8(path + ":" + IntToStr(firstLine + i));
            return;
        }
}

// The texts of the record file `path`, each field on its own and the movie
// list and the licence each as one text. A record that does not read as one
// is looked at line by line.
void CheckRecord(const std::string& path, TMemoryStream& content) {
    TStringList lines;
    lines.SetText(std::string(reinterpret_cast<const char*>(content.Memory()),
                              static_cast<size_t>(content.Size())));
    // The line each text starts at (0-based), and how many lines it has.
    std::vector<std::pair<int, int>> texts;
    try {
        TProject project;
        project.ProjectStream.WriteBuffer(content.Memory(), content.Size());
        project.ProjectStream.SetPosition(0);
        project.LoadFromStream();
        const int k = project.FlashList.Count(), l = project.LicenseText.Count();
        for (int line = 0; line < 6; ++line)
            texts.push_back({line, 1});
        texts.push_back({7, k});
        texts.push_back({11 + k, l});
        for (int line = 12 + k + l; line < 16 + k + l; ++line)
            texts.push_back({line, 1});
    } catch (const Exception&) {
        texts.clear();
        for (int line = 0; line < lines.Count(); ++line)
            texts.push_back({line, 1});
    }
    for (const auto& [first, count] : texts) {
        TStringList text;
        for (int i = first; i < first + count && i < lines.Count(); ++i)
            text.Add(lines.Get(i));
        CheckLines(path, text, first + 1);
    }
}

// What the installer would refuse on the end user's machine, found while it
// can still be mended: without --force the first one fails the command
// before anything is written; with it, each is a warning and the work goes on.
class TProblems {
public:
    explicit TProblems(bool force) : FForce(force) {}
    // `problem` names the file or option it is about; "" is none.
    void Add(std::string problem) {
        if (!problem.empty())
            FProblems.push_back(std::move(problem));
    }
    void Settle() const {
        if (FProblems.empty())
            return;
        if (!FForce)
            throw Exception(FProblems.front());
        for (const std::string& problem : FProblems)
            std::fprintf(stderr, "sspack: warning: %s\n", problem.c_str());
    }

private:
    bool FForce;
    std::vector<std::string> FProblems;
};

std::string NameProblem(const std::string& where, const std::string& name) {
    const TNameProblem problem = ScreensaverNameProblem(name);
    if (!problem)
        return "";
    return where + ": the screensaver name \"" + PrintableName(name) +
           "\" cannot be used: " + problem.Reason;
}

// A message of the record reader as one short line: the value it quotes may
// be any bytes of a file that is no record.
std::string Excerpt(const std::string& text) {
    constexpr size_t kLongest = 80;
    const bool utf8 = IsUtf8(text);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool continuation = (c & 0xC0) == 0x80;
        if (out.size() >= kLongest && !(utf8 && continuation))
            return out + "...";
        out += c < 0x20 || c == 0x7F || (!utf8 && c >= 0x80) ? Format("\\x%02X", c)
                                                             : std::string(1, text[i]);
    }
    return out;
}

// Reads the record file `path` into `project` as the installer reads it;
// why it is no record, or "".
std::string ReadRecord(const std::string& path, TMemoryStream& content, TProject& project) {
    try {
        project.ProjectStream.WriteBuffer(content.Memory(), content.Size());
        project.ProjectStream.SetPosition(0);
        project.LoadFromStream();
    } catch (const Exception& e) {
        return path + ": not a project record (" + Excerpt(e.Message()) + ")";
    }
    return "";
}

std::string StubProblem(const std::string& where, TMemoryStream& stub) {
    if (!StubMarkerVersion(stub.Memory(), static_cast<size_t>(stub.Size())).empty())
        return "";
    return where + ": not an installer stub (it carries no stub marker with a version)";
}

int Record(int argc, char** argv) {
    Options options =
        Parse(argc, argv, {"--name", "--logo-file", "--homepage", "--copyright", "--license", "-o"},
              {"--show-license", "--force"});
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
    TProblems problems(options.Flag("--force"));
    problems.Add(NameProblem("--name", project.ScreensaverName));
    problems.Add(LogoNameProblem("--logo-file", project.LogoFile));
    problems.Settle();
    for (const char* option : {"--name", "--logo-file", "--homepage", "--copyright"})
        CheckText(option, options.Optional(option));
    if (options.Has("--license")) {
        std::string text = ReadText(options.Required("--license"));
        if (text.find('\0') != std::string::npos)
            throw Exception("The licence file " + options.Required("--license") +
                            " is not text (it holds a NUL byte)");
        project.LicenseText.SetText(text);
        CheckLines(options.Required("--license"), project.LicenseText);
    }
    project.SaveToStream();
    WriteOutput(output, project.ProjectStream.Memory(),
                static_cast<size_t>(project.ProjectStream.Size()), false);
    return 0;
}

// The installer stub sspack was installed with: where the install puts it,
// relative to sspack's own folder, or beside sspack in the build tree.
std::string FindStub() {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(GetModuleFileName()).parent_path();
    const fs::path candidates[] = {(folder / SSI_INSTALLED_STUB).lexically_normal(),
                                   folder / SSI_STUB_NAME};
    for (const fs::path& candidate : candidates) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    }
    throw Exception(Format("No installer stub found (looked for %s and %s); give one with --stub",
                           candidates[0].c_str(), candidates[1].c_str()));
}

// "sspack: building OUT:  42%" on standard error, rewritten in place while
// the streams are compressed; the line is ended when the work is.
class TProgressLine {
public:
    TProgressLine(const std::string& output, int64_t total, bool enabled)
        : FOutput(output), FTotal(total), FEnabled(enabled) {}
    ~TProgressLine() {
        if (FShown >= 0)
            std::fputc('\n', stderr);
    }
    // `done` of the `total` bytes are compressed.
    void Show(int64_t done) {
        if (!FEnabled)
            return;
        const int percent = FTotal > 0 ? static_cast<int>(done * 100 / FTotal) : 100;
        if (percent == FShown)
            return;
        FShown = percent;
        std::fprintf(stderr, "\rsspack: building %s: %3d%%", FOutput.c_str(), percent);
        std::fflush(stderr);
    }

private:
    std::string FOutput;
    int64_t FTotal;
    bool FEnabled;
    int FShown = -1;
};

int Build(int argc, char** argv) {
    Options options =
        Parse(argc, argv, {"--stub", "--runtime", "--movie", "--record", "--logo", "-o"},
              {"--quiet", "--force"});
    if (!options.positional.empty())
        throw UsageError{"unexpected argument " + options.positional[0]};
    std::string output = options.Required("-o");
    // The stub goes in raw as stream 0, the rest compressed.
    const char* const parts[] = {"--stub", "--runtime", "--movie", "--record", "--logo"};
    constexpr int kParts = 5;
    std::string paths[kParts];
    for (int i = 1; i < kParts; ++i)
        paths[i] = options.Required(parts[i]);
    paths[0] = options.Has("--stub") ? options.Required("--stub") : FindStub();

    // The stub, the record and the logo are looked at before anything is
    // written, so they are read whole; the runtime and the movie data are
    // read in slices as they are compressed, however large they are.
    TMemoryStream stub, record, logo;
    TMemoryStream* const looked[kParts] = {&stub, nullptr, nullptr, &record, &logo};
    std::unique_ptr<TStream> contents[kParts];
    int64_t total = 0;
    for (int i = 0; i < kParts; ++i) {
        try {
            if (looked[i] != nullptr)
                LoadInput(*looked[i], paths[i]);
            else
                contents[i] = OpenInput(paths[i]);
        } catch (const Exception& e) {
            throw Exception(std::string(parts[i]) + " " + e.Message());
        }
        total += looked[i] != nullptr ? looked[i]->Size() : contents[i]->Size();
    }

    TProblems problems(options.Flag("--force"));
    problems.Add(StubProblem(options.Has("--stub") ? "--stub " + paths[0] : paths[0], stub));
    TProject project;
    const std::string notARecord = ReadRecord(paths[3], record, project);
    problems.Add(notARecord);
    if (notARecord.empty()) {
        problems.Add(NameProblem(paths[3], project.ScreensaverName));
        problems.Add(LogoNameProblem(paths[3], project.LogoFile));
    }
    // Without a record the logo's name is unknown: only its format is checked.
    problems.Add(LogoContentProblem(notARecord.empty() ? project.LogoFile : "", paths[4], logo));
    problems.Settle();
    CheckRecord(paths[3], record);

    TReplacementStream installer(output, 0755);
    TCompileStream writer(installer);
    {
        TProgressLine line(output, total, isatty(STDERR_FILENO) && !options.Flag("--quiet"));
        line.Show(0);
        int64_t before = 0;
        for (int i = 0; i < kParts; ++i) {
            TStream& content = looked[i] != nullptr ? *looked[i] : *contents[i];
            try {
                writer.AddStream(content, i != 0, [&](size_t done) {
                    line.Show(before + static_cast<int64_t>(done));
                });
            } catch (const EReadError& e) {
                throw Exception(std::string(parts[i]) + " " + paths[i] + ": " + e.what());
            }
            before += content.Size();
        }
    }
    writer.Compile();
    installer.Commit();
    MakeExecutable(output);
    return 0;
}

// The package in `path`, its table read; a file that is none fails naming
// it and the reason, with the system's own message kept behind.
TDecompileStream Open(const std::string& path) {
    TDecompileStream reader;
    try {
        auto file = std::make_unique<TFileStream>(path, fmOpenRead | fmShareDenyNone);
        try {
            reader.Open(std::move(file));
        } catch (const EPackageReadError& e) {
            throw Exception(path + ": not a package: " + e.Reason() + " (" + e.Message() + ")");
        }
    } catch (const EStreamError& e) {
        ThrowReadFailure(path, e);
    }
    return reader;
}

int List(int argc, char** argv) {
    Options options = Parse(argc, argv, {}, {});
    if (options.positional.size() != 1)
        throw UsageError{"list takes one file"};
    TDecompileStream reader = Open(options.positional[0]);
    for (int32_t i = 0; i < reader.Count(); ++i)
        std::printf("%d %d %d\n", i, reader.OriginalSize(i), reader.StoredSize(i));
    std::string version;
    if (reader.Count() > 0) {
        try {
            std::unique_ptr<TMemoryStream> stub = reader.GetStoredStream(0);
            version = StubMarkerVersion(stub->Memory(), static_cast<size_t>(stub->Size()));
        } catch (const EPackageReadError& e) {
            throw Exception(options.positional[0] + ": " + e.Reason() + " (" + e.Message() + ")");
        }
    }
    if (version.empty())
        std::printf("the stub carries no version\n");
    else
        std::printf("stub version %s\n", version.c_str());
    return 0;
}

// One stream's content as `extract` writes it.
std::unique_ptr<TMemoryStream> ExtractStream(const TDecompileStream& reader, int32_t index,
                                             bool raw) {
    if (raw)
        return reader.GetStoredStream(index);
    if (reader.StoredSize(index) != reader.OriginalSize(index))
        return reader.GetStream(index, false);
    // Equal sizes say nothing about compression: a stream that inflates to
    // exactly its size was compressed, anything else is stored as it is.
    try {
        return reader.GetStream(index, true);
    } catch (const EZlibError&) {
        return reader.GetStoredStream(index);
    } catch (const EReadError&) {
        return reader.GetStoredStream(index);
    }
}

int Extract(int argc, char** argv) {
    Options options = Parse(argc, argv, {"-o"}, {"--raw"});
    if (options.positional.size() != 2)
        throw UsageError{"extract takes a file and a stream index"};
    std::string output = options.Required("-o");
    const std::string& path = options.positional[0];
    int32_t index = 0;
    if (!TryStrToInt(options.positional[1], index) || index < 0)
        throw UsageError{"bad stream index " + options.positional[1]};
    TDecompileStream reader = Open(path);
    if (index >= reader.Count())
        throw Exception(
            Format("%s has no stream %d (it holds %d)", path.c_str(), index, reader.Count()));

    std::unique_ptr<TMemoryStream> content;
    try {
        content = ExtractStream(reader, index, options.Flag("--raw"));
    } catch (const EPackageReadError& e) {
        throw Exception(path + ": " + e.Reason() + " (" + e.Message() + ")");
    } catch (const EZlibError& e) {
        if (!e.Reason().empty())
            throw Exception(path + ": " + e.Reason() + " (" + e.Message() + ")");
        throw Exception(Format("%s: stream %d is not valid compressed data (%s)", path.c_str(),
                               index, e.what()));
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
    if (command == "--version")
        return PrintVersion("sspack");
    return RunTool("sspack", kUsage, [&] {
        if (command == "record")
            return Record(argc, argv);
        if (command == "build")
            return Build(argc, argv);
        if (command == "list")
            return List(argc, argv);
        if (command == "extract")
            return Extract(argc, argv);
        throw UsageError{command.empty() ? "no command given" : "unknown command " + command};
    });
}
