#include "tools/LogoCheck.h"

#include "framework/base/SysUtils.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/metafile/MetafileFormat.h"
#include "package/ScreensaverName.h"
#include "platform/kernel32/FileIO.h"

#include <cstring>
#include <memory>

namespace {

// The longest file name the installer's system creates, in bytes.
constexpr size_t kMaxFileName = 255;

const char* const kShownExtensions = ".bmp, .ico, .wmf, .emf, .jpg and .jpeg";

struct TFormat {
    const char* Name;
    const char* Phrase;    // as a message names a file of the format
    const char* Extension; // one the installer loads it under; "" for none
};

const TFormat kFormats[] = {
    {"BMP", "a BMP picture", "bmp"},   {"ICO", "an ICO picture", "ico"},
    {"JPEG", "a JPEG picture", "jpg"}, {"WMF", "a WMF picture", "wmf"},
    {"EMF", "an EMF picture", "emf"},  {"PNG", "a PNG picture", ""},
    {"GIF", "a GIF picture", ""},
};

const TFormat* FormatNamed(const std::string& name) {
    for (const TFormat& format : kFormats)
        if (name == format.Name)
            return &format;
    return nullptr;
}

uint32_t LoadU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool StartsWith(const uint8_t* data, size_t size, const char* signature, size_t length) {
    return size >= length && std::memcmp(data, signature, length) == 0;
}

// A BMP file header followed by one of the DIB headers' sizes, so that a
// text starting with "BM" is no bitmap.
bool IsBmp(const uint8_t* data, size_t size) {
    if (size < 18 || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint32_t header = LoadU32(data + 14);
    for (uint32_t known : {12u, 40u, 52u, 56u, 64u, 108u, 124u})
        if (header == known)
            return true;
    return false;
}

std::string Extension(const std::string& fileName) {
    std::string ext = ExtractFileExt(fileName);
    return ext.empty() ? ext : ext.substr(1);
}

// The problem with a logo name, without saying where it comes from. The
// installer takes the name after the last \, / or :, as ExtractFileName does.
std::string NameProblem(const std::string& logoFile) {
    if (logoFile.empty())
        return "no logo file name; the installer needs one to show the logo";
    const std::string quoted = "\"" + PrintableName(logoFile) + "\"";
    const std::string name = ExtractFileName(logoFile);
    if (name.empty())
        return "the logo name " + quoted + " has no file name after its folder";
    if (NativePath(name).size() > kMaxFileName)
        return Format("the logo name %s is longer than the %zu bytes a file name may have",
                      quoted.c_str(), kMaxFileName);
    const std::string ext = Extension(name);
    if (!CreateGraphicForExtension(ext))
        return "the logo name " + quoted + " has " +
               (ext.empty() ? std::string("no extension") : "the extension ." + ext) +
               "; the installer shows " + kShownExtensions + " pictures";
    return "";
}

} // namespace

std::string PictureFormat(const uint8_t* data, size_t size) {
    if (IsBmp(data, size))
        return "BMP";
    if (size >= 6 && StartsWith(data, size, "\0\0\1\0", 4) && (data[4] | data[5]) != 0)
        return "ICO";
    if (StartsWith(data, size, "\xFF\xD8\xFF", 3))
        return "JPEG";
    if (StartsWith(data, size, "\x89PNG\r\n\x1A\n", 8))
        return "PNG";
    if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6))
        return "GIF";
    switch (DetectMetafile(data, size)) {
    case TMetafileKind::mkWmf:
    case TMetafileKind::mkPlaceableWmf:
        return "WMF";
    case TMetafileKind::mkEmf:
        return "EMF";
    case TMetafileKind::mkNone:
        break;
    }
    return "";
}

std::string LogoNameProblem(const std::string& where, const std::string& logoFile) {
    const std::string problem = NameProblem(logoFile);
    return problem.empty() ? "" : where + ": " + problem;
}

std::string LogoContentProblem(const std::string& logoFile, const std::string& path,
                               TMemoryStream& content) {
    const std::string name = ExtractFileName(logoFile);
    const TFormat* format =
        FormatNamed(PictureFormat(content.Memory(), static_cast<size_t>(content.Size())));
    std::unique_ptr<TGraphic> graphic;
    if (NameProblem(logoFile).empty())
        graphic = CreateGraphicForExtension(Extension(name));
    if (!graphic) {
        if (format != nullptr && *format->Extension == '\0')
            return path + " holds " + format->Phrase + ", which the installer does not show";
        return "";
    }
    // The kinds compared are the graphic classes: .jpg and .jpeg are one,
    // and so are .wmf and .emf, whose loader takes either.
    if (format != nullptr) {
        std::unique_ptr<TGraphic> kind = CreateGraphicForExtension(format->Extension);
        if (!kind || GraphicClassName(*kind) != GraphicClassName(*graphic))
            return "the record names " + PrintableName(name) + " but " + path + " holds " +
                   format->Phrase;
    }
    try {
        content.SetPosition(0);
        graphic->LoadFromStream(content);
    } catch (const std::exception& e) {
        return path + ": the installer cannot show it as " + PrintableName(name) + ": " + e.what();
    }
    return "";
}
