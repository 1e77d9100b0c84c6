#include "tools/SkinFolder.h"

#include "framework/base/Streams.h"
#include "framework/components/TypeInfo.h"
#include "framework/graphics/Bitmap.h"
#include "platform/kernel32/FileIO.h"
#include "resources/Resources.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Kind = TsuiThemeItemKind;

std::string KindName(Kind kind) {
    switch (kind) {
    case Kind::suiIntItem:
        return "integer";
    case Kind::suiColorItem:
        return "colour";
    case Kind::suiBitmapItem:
        return "bitmap";
    case Kind::suiBoolItem:
        return "boolean";
    }
    return "?";
}

std::string AKind(Kind kind) {
    return (kind == Kind::suiIntItem ? "an " : "a ") + KindName(kind);
}

// What a value of each kind looks like, for the refusals.
std::string KindSyntax(Kind kind) {
    switch (kind) {
    case Kind::suiIntItem:
        return "a decimal number such as -2";
    case Kind::suiColorItem:
        return "$00BBGGRR or #RRGGBB";
    case Kind::suiBoolItem:
        return "True or False";
    case Kind::suiBitmapItem:
        break;
    }
    return "a bitmap file";
}

std::string Trim(const std::string& text) {
    const char* blank = " \t\r";
    const size_t first = text.find_first_not_of(blank);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(blank) - first + 1);
}

bool AllHex(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isxdigit(c) != 0; });
}

std::string PathIn(const std::string& dir, const std::string& name) {
    return (fs::path(dir) / name).string();
}

void WriteWhole(const std::string& path, const void* data, size_t size) {
    if (!ReplaceFileContents(path, data, size))
        throw ESkinFolderError(Format("Cannot create file %s", path.c_str()));
}

// The comment above an item's line in theme.txt, or the whole entry for a
// bitmap item, which has no line of its own.
std::string BitmapComment(int item, const TBitmap& picture) {
    const std::string key = GetThemeKeyName(item);
    const int frames = GetThemeFrameCount(item);
    std::string layout;
    if (frames > 1)
        layout = Format("%d frames side by side, each %dx%d", frames, picture.Width() / frames,
                        picture.Height());
    else if (frames == 1)
        layout = "drawn whole";
    else
        layout = "no control draws it";
    return Format("# bitmap: %s.bmp, %dx%d, %s\n", key.c_str(), picture.Width(), picture.Height(),
                  layout.c_str());
}

} // namespace

std::string FormatThemeValue(Kind kind, int32_t value) {
    switch (kind) {
    case Kind::suiColorItem:
        return Format("$%08X", static_cast<uint32_t>(value));
    case Kind::suiBoolItem:
        return value != 0 ? "True" : "False";
    case Kind::suiIntItem:
    case Kind::suiBitmapItem:
        break;
    }
    return std::to_string(value);
}

std::optional<int32_t> ParseThemeValue(Kind kind, const std::string& text) {
    switch (kind) {
    case Kind::suiIntItem: {
        // Decimal only: a "$" value is a colour's way of writing.
        const size_t digitsFrom = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
        const bool decimal =
            text.size() > digitsFrom &&
            std::all_of(text.begin() + static_cast<std::ptrdiff_t>(digitsFrom), text.end(),
                        [](unsigned char c) { return std::isdigit(c) != 0; });
        int32_t value = 0;
        if (decimal && TryStrToInt(text, value))
            return value;
        return std::nullopt;
    }
    case Kind::suiColorItem: {
        const std::string hex = text.substr(std::min<size_t>(text.size(), 1));
        if (text.size() >= 2 && text[0] == '$' && hex.size() <= 8 && AllHex(hex))
            return static_cast<int32_t>(std::stoul(hex, nullptr, 16));
        if (text.size() == 7 && text[0] == '#' && AllHex(hex)) {
            const uint32_t rgb = static_cast<uint32_t>(std::stoul(hex, nullptr, 16));
            return static_cast<int32_t>((rgb >> 16) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
        }
        return std::nullopt;
    }
    case Kind::suiBoolItem:
        if (SameText(text, "True"))
            return 1;
        if (SameText(text, "False"))
            return 0;
        return std::nullopt;
    case Kind::suiBitmapItem:
        break;
    }
    return std::nullopt;
}

void ExportLook(TsuiUIStyle look, const std::string& dir) {
    const std::string lookName = TsuiUIStyleInfo().Name(static_cast<int>(look));
    std::error_code error;
    if (fs::exists(dir, error)) {
        if (!fs::is_directory(dir, error))
            throw ESkinFolderError(Format("%s is a file, not a folder", dir.c_str()));
        if (!fs::is_empty(dir, error))
            throw ESkinFolderError(
                Format("%s is not empty: export into a new or empty folder", dir.c_str()));
    } else if (!fs::create_directories(dir, error)) {
        throw ESkinFolderError(
            Format("Cannot create folder %s: %s", dir.c_str(), error.message().c_str()));
    }

    std::string values = Format("# The look %s, exported by skinpack.\n"
                                "# Build a skin file from this folder with\n"
                                "#   skinpack build FOLDER -o FILE.skn\n"
                                "#\n"
                                "# One KeyName=value a line; '#' and ';' start comments.\n"
                                "# Colours: $00BBGGRR or #RRGGBB. Booleans: True or False.\n"
                                "# Integers: decimal. Every bitmap item is KeyName.bmp in this\n"
                                "# folder; a strip of frames keeps its frame count, and every\n"
                                "# frame of a strip has the same width.\n",
                                lookName.c_str());
    for (int item = 1; item <= SUI_THEME_ITEM_COUNT; ++item) {
        const std::string key = GetThemeKeyName(item);
        const Kind kind = GetThemeKind(item);
        values += "\n";
        if (kind == Kind::suiBitmapItem) {
            // The picture exactly as the program carries it.
            const std::string resource = GetThemeBitmapName(look, item);
            const std::span<const uint8_t> bytes = FindResource(resource);
            if (bytes.empty())
                throw EResNotFound(Format("Resource %s not found", resource.c_str()));
            TBitmap picture;
            picture.LoadFromMemory(bytes.data(), bytes.size());
            WriteWhole(PathIn(dir, key + ".bmp"), bytes.data(), bytes.size());
            values += BitmapComment(item, picture);
            continue;
        }
        values += "# " + KindName(kind) + "\n";
        values += key + "=" + FormatThemeValue(kind, GetThemeItem(look, item).Value) + "\n";
    }
    WriteWhole(PathIn(dir, kSkinFolderValues), values.data(), values.size());
}

namespace {

// theme.txt, checked line by line. Values by item number.
std::array<std::optional<int32_t>, SUI_THEME_ITEM_COUNT + 1> ReadValues(const std::string& dir) {
    const std::string path = PathIn(dir, kSkinFolderValues);
    TMemoryStream file;
    try {
        file.LoadFromFile(path);
    } catch (const EFOpenError&) {
        throw ESkinFolderError(Format("%s: cannot open it: %s", path.c_str(),
                                      fs::exists(path) ? "not readable" : "no such file"));
    }
    const std::string text(reinterpret_cast<const char*>(file.Memory()),
                           static_cast<size_t>(file.Size()));

    std::array<std::optional<int32_t>, SUI_THEME_ITEM_COUNT + 1> values;
    std::array<int, SUI_THEME_ITEM_COUNT + 1> lineOf{};
    int lineNumber = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (line.empty() || line[0] == '#' || line[0] == ';')
            continue;
        auto fail = [&](const std::string& message) {
            throw ESkinFolderError(Format("%s:%d: %s", path.c_str(), lineNumber, message.c_str()));
        };

        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            fail("expected KeyName=value, not '" + line + "'");
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        const int item = FindThemeItem(key);
        if (item == 0)
            fail("unknown key '" + key + "'");
        const std::string name = GetThemeKeyName(item);
        const Kind kind = GetThemeKind(item);
        if (kind == Kind::suiBitmapItem)
            fail(name + " is a bitmap item: its picture is " + name + ".bmp, not a line here");
        if (lineOf[item] != 0)
            fail(Format("%s is given twice (first on line %d)", name.c_str(), lineOf[item]));
        const std::optional<int32_t> parsed = ParseThemeValue(kind, value);
        if (!parsed)
            fail(name + " is " + AKind(kind) + " item: expected " + KindSyntax(kind) + ", not '" +
                 value + "'");
        values[item] = parsed;
        lineOf[item] = lineNumber;
    }

    std::string missing;
    for (int item = 1; item <= SUI_THEME_ITEM_COUNT; ++item)
        if (GetThemeKind(item) != Kind::suiBitmapItem && !values[item])
            missing += (missing.empty() ? "" : ", ") + GetThemeKeyName(item);
    if (!missing.empty())
        throw ESkinFolderError(Format("%s: no line for %s", path.c_str(), missing.c_str()));
    return values;
}

// Why `picture` does not fit the frame layout of `item`, or "".
std::string LayoutProblem(int item, const TBitmap& picture) {
    const std::string key = GetThemeKeyName(item);
    if (picture.Width() <= 0 || picture.Height() <= 0)
        return Format("the picture is empty (%dx%d)", picture.Width(), picture.Height());
    const int frames = GetThemeFrameCount(item);
    if (frames <= 1 || picture.Width() % frames == 0)
        return "";
    const int below = picture.Width() / frames * frames;
    const std::string nearest =
        below > 0 ? Format("%d or %d", below, below + frames) : std::to_string(frames);
    return Format("%dx%d does not fit %s, a strip of %d frames side by side: its width must be a "
                  "multiple of %d (%s would do)",
                  picture.Width(), picture.Height(), key.c_str(), frames, frames, nearest.c_str());
}

// The bitmap files by item number, with the .bmp files that name no bitmap
// item refused.
std::map<int, std::string> FindBitmaps(const std::string& dir) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error))
        if (SameText(it->path().extension().string(), ".bmp") && fs::is_regular_file(it->path()))
            files.push_back(it->path());
    if (error)
        throw ESkinFolderError(
            Format("Cannot read folder %s: %s", dir.c_str(), error.message().c_str()));
    std::sort(files.begin(), files.end());

    std::map<int, std::string> found;
    for (const fs::path& file : files) {
        const std::string path = file.string();
        const std::string key = file.stem().string();
        const int item = FindThemeItem(key);
        if (item == 0)
            throw ESkinFolderError(Format(
                "%s: unknown key '%s' (a bitmap is named after its item, such as ButtonImage.bmp)",
                path.c_str(), key.c_str()));
        const Kind kind = GetThemeKind(item);
        if (kind != Kind::suiBitmapItem)
            throw ESkinFolderError(Format("%s: %s is %s item: it belongs in %s, not in a bitmap",
                                          path.c_str(), GetThemeKeyName(item).c_str(),
                                          AKind(kind).c_str(), kSkinFolderValues));
        if (found.count(item))
            throw ESkinFolderError(Format("%s and %s are both the picture of %s",
                                          found[item].c_str(), path.c_str(),
                                          GetThemeKeyName(item).c_str()));
        found[item] = path;
    }

    std::string missing;
    for (int item = 1; item <= SUI_THEME_ITEM_COUNT; ++item)
        if (GetThemeKind(item) == Kind::suiBitmapItem && !found.count(item))
            missing += (missing.empty() ? "" : ", ") + GetThemeKeyName(item) + ".bmp";
    if (!missing.empty())
        throw ESkinFolderError(Format("%s: no %s", dir.c_str(), missing.c_str()));
    return found;
}

} // namespace

TsuiThemeFileWriter ReadSkinFolder(const std::string& dir) {
    std::error_code error;
    if (!fs::is_directory(dir, error))
        throw ESkinFolderError(Format("%s is not a folder", dir.c_str()));
    const auto values = ReadValues(dir);
    const std::map<int, std::string> bitmaps = FindBitmaps(dir);

    TsuiThemeFileWriter writer;
    for (int item = 1; item <= SUI_THEME_ITEM_COUNT; ++item) {
        const std::string key = GetThemeKeyName(item);
        switch (GetThemeKind(item)) {
        case Kind::suiBitmapItem: {
            const std::string& path = bitmaps.at(item);
            TMemoryStream file;
            file.LoadFromFile(path);
            TBitmap picture;
            try {
                picture.LoadFromStream(file);
            } catch (const Exception& e) {
                throw ESkinFolderError(Format("%s: not a bitmap that can be read: %s", path.c_str(),
                                              e.Message().c_str()));
            }
            const std::string problem = LayoutProblem(item, picture);
            if (!problem.empty())
                throw ESkinFolderError(path + ": " + problem);
            writer.AddBitmap(key, std::vector<uint8_t>(file.Memory(), file.Memory() + file.Size()));
            break;
        }
        case Kind::suiBoolItem:
            writer.AddBoolean(key, *values[item] != 0);
            break;
        case Kind::suiIntItem:
        case Kind::suiColorItem:
            writer.AddInteger(key, *values[item]);
            break;
        }
    }
    return writer;
}
