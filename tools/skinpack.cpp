// skinpack: makes, inspects and unpacks skin files. A built-in look is
// exported as a folder a person can edit (a bitmap file per picture, the
// other items in theme.txt), and a skin file is built from such a folder.

#include "framework/base/SysUtils.h"
#include "framework/components/TypeInfo.h"
#include "framework/graphics/Bitmap.h"
#include "platform/kernel32/FileIO.h"
#include "skin/SUIThemeFile.h"
#include "skin/SUIThemes.h"
#include "tools/LookArgument.h"
#include "tools/SkinFolder.h"
#include "tools/ToolMain.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "Usage:\n"
    "  skinpack export LOOK -o DIR\n"
    "      Writes a built-in look (MacOS, WinXP, DeepBlue, Protein or BlueGlass) into a new\n"
    "      folder: every bitmap item as KeyName.bmp, every colour, integer and boolean item\n"
    "      as a KeyName=value line of DIR/theme.txt.\n"
    "  skinpack build DIR -o FILE\n"
    "      Writes a skin file from such a folder, after checking every item: known keys,\n"
    "      values of the item's kind, bitmaps that decode and fit their frame layout.\n"
    "  skinpack list FILE\n"
    "      Prints every entry of a skin file: kind, key, and size or value.\n"
    "  skinpack extract FILE KEY -o OUT.bmp\n"
    "      Writes one bitmap entry as a bitmap file.\n"
    "  skinpack --help, skinpack --version\n"
    "      Prints this text, or the program's version.\n"
    "Exit status: 0 on success, 1 on a failure, 2 on bad usage.\n";

// The words after the command: positional arguments and "-o FILE".
struct Arguments {
    std::vector<std::string> positional;
    std::string output;
};

Arguments Parse(int argc, char** argv, size_t positionalCount, const char* what) {
    Arguments a;
    bool haveOutput = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-o") {
            if (i + 1 >= argc)
                throw UsageError{"-o needs a value"};
            if (haveOutput)
                throw UsageError{"-o given twice"};
            a.output = argv[++i];
            haveOutput = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError{"unknown option " + arg};
        } else {
            a.positional.push_back(arg);
        }
    }
    if (a.positional.size() != positionalCount)
        throw UsageError{std::string(argv[1]) + " takes " + what};
    return a;
}

int Export(int argc, char** argv) {
    Arguments a = Parse(argc, argv, 1, "a look and -o DIR");
    if (a.output.empty())
        throw UsageError{"missing -o DIR"};
    ExportLook(ParseLook(a.positional[0]), a.output);
    return 0;
}

int Build(int argc, char** argv) {
    Arguments a = Parse(argc, argv, 1, "a folder and -o FILE");
    if (a.output.empty())
        throw UsageError{"missing -o FILE"};
    ReadSkinFolder(a.positional[0]).SaveToFile(a.output);
    return 0;
}

// A text entry on one line, with control bytes escaped.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\')
            out += std::string("\\") + static_cast<char>(c);
        else if (c < 0x20 || c == 0x7F)
            out += Format("\\x%02X", c);
        else
            out += static_cast<char>(c);
    }
    return out + "\"";
}

int List(int argc, char** argv) {
    Arguments a = Parse(argc, argv, 1, "one skin file");
    if (!a.output.empty())
        throw UsageError{"list writes no file"};
    const std::string& path = a.positional[0];
    if (!IsSkinFile(path))
        throw Exception(Format("%s is not a skin file", path.c_str()));
    TsuiThemeFileReader reader(path);
    TMemoryStream file;
    file.LoadFromFile(path);
    for (const TsuiThemeFileReader::TEntry& entry : reader.Entries()) {
        const char* key = entry.Key.c_str();
        switch (entry.Type) {
        case TsuiFileEntryType::suiFileBitmap: {
            TBitmap picture;
            std::string size;
            try {
                file.SetPosition(static_cast<int64_t>(entry.Offset));
                TMemoryStream bytes;
                bytes.CopyFrom(file, static_cast<int64_t>(entry.Size));
                bytes.SetPosition(0);
                picture.LoadFromStream(bytes);
                size = Format("%dx%d", picture.Width(), picture.Height());
            } catch (const Exception&) {
                size = "undecodable";
            }
            std::printf("bitmap %s %s (%zu bytes)\n", key, size.c_str(), entry.Size);
            break;
        }
        case TsuiFileEntryType::suiFileInteger: {
            // The file does not say which integers are colours; the key does.
            const int item = FindThemeItem(entry.Key);
            const bool colour = item != 0 && GetThemeKind(item) == TsuiThemeItemKind::suiColorItem;
            std::printf("%s %s %s\n", colour ? "colour" : "integer", key,
                        FormatThemeValue(colour ? TsuiThemeItemKind::suiColorItem
                                                : TsuiThemeItemKind::suiIntItem,
                                         entry.Value)
                            .c_str());
            break;
        }
        case TsuiFileEntryType::suiFileBoolean:
            std::printf("boolean %s %s\n", key,
                        FormatThemeValue(TsuiThemeItemKind::suiBoolItem, entry.Value).c_str());
            break;
        case TsuiFileEntryType::suiFileText: {
            file.SetPosition(static_cast<int64_t>(entry.Offset));
            std::string text(entry.Size, '\0');
            file.ReadBuffer(text.data(), static_cast<int64_t>(entry.Size));
            std::printf("text %s %s\n", key, Quoted(text).c_str());
            break;
        }
        }
    }
    return 0;
}

int Extract(int argc, char** argv) {
    Arguments a = Parse(argc, argv, 2, "a skin file, a key and -o OUT.bmp");
    if (a.output.empty())
        throw UsageError{"missing -o OUT.bmp"};
    const std::string& path = a.positional[0];
    const std::string& key = a.positional[1];
    if (!IsSkinFile(path))
        throw Exception(Format("%s is not a skin file", path.c_str()));
    TsuiThemeFileReader reader(path);
    TMemoryStream* stream = reader.GetStream(key);
    if (stream == nullptr) {
        static const char* const kTypeNames[] = {"a bitmap", "an integer", "a boolean", "a text"};
        for (const TsuiThemeFileReader::TEntry& entry : reader.Entries())
            if (SameText(entry.Key, key))
                throw Exception(Format("%s: %s is %s entry, not a bitmap", path.c_str(),
                                       entry.Key.c_str(),
                                       kTypeNames[static_cast<int>(entry.Type)]));
        throw Exception(Format("%s has no entry %s", path.c_str(), key.c_str()));
    }
    if (!ReplaceFileContents(a.output, stream->Memory(), static_cast<size_t>(stream->Size())))
        throw EFCreateError(Format("Cannot create file %s", a.output.c_str()));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc >= 2 ? argv[1] : "";
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "--version")
        return PrintVersion("skinpack");
    return RunTool("skinpack", kUsage, [&] {
        if (command == "export")
            return Export(argc, argv);
        if (command == "build")
            return Build(argc, argv);
        if (command == "list")
            return List(argc, argv);
        if (command == "extract")
            return Extract(argc, argv);
        throw UsageError{command.empty() ? "no command given" : "unknown command " + command};
    });
}
