#include "support/MetafileRecords.h"

#include <algorithm>
#include <cstdio>

#include "framework/base/Endian.h"
#include "framework/graphics/metafile/EmfPlayer.h"
#include "framework/graphics/metafile/MetafileFormat.h"
#include "framework/graphics/metafile/WmfPlayer.h"

namespace gfxtest {

namespace {

// EMR_ names by number, from 1.
const char* const kEmfNames[] = {"HEADER",
                                 "POLYBEZIER",
                                 "POLYGON",
                                 "POLYLINE",
                                 "POLYBEZIERTO",
                                 "POLYLINETO",
                                 "POLYPOLYLINE",
                                 "POLYPOLYGON",
                                 "SETWINDOWEXTEX",
                                 "SETWINDOWORGEX",
                                 "SETVIEWPORTEXTEX",
                                 "SETVIEWPORTORGEX",
                                 "SETBRUSHORGEX",
                                 "EOF",
                                 "SETPIXELV",
                                 "SETMAPPERFLAGS",
                                 "SETMAPMODE",
                                 "SETBKMODE",
                                 "SETPOLYFILLMODE",
                                 "SETROP2",
                                 "SETSTRETCHBLTMODE",
                                 "SETTEXTALIGN",
                                 "SETCOLORADJUSTMENT",
                                 "SETTEXTCOLOR",
                                 "SETBKCOLOR",
                                 "OFFSETCLIPRGN",
                                 "MOVETOEX",
                                 "SETMETARGN",
                                 "EXCLUDECLIPRECT",
                                 "INTERSECTCLIPRECT",
                                 "SCALEVIEWPORTEXTEX",
                                 "SCALEWINDOWEXTEX",
                                 "SAVEDC",
                                 "RESTOREDC",
                                 "SETWORLDTRANSFORM",
                                 "MODIFYWORLDTRANSFORM",
                                 "SELECTOBJECT",
                                 "CREATEPEN",
                                 "CREATEBRUSHINDIRECT",
                                 "DELETEOBJECT",
                                 "ANGLEARC",
                                 "ELLIPSE",
                                 "RECTANGLE",
                                 "ROUNDRECT",
                                 "ARC",
                                 "CHORD",
                                 "PIE",
                                 "SELECTPALETTE",
                                 "CREATEPALETTE",
                                 "SETPALETTEENTRIES",
                                 "RESIZEPALETTE",
                                 "REALIZEPALETTE",
                                 "EXTFLOODFILL",
                                 "LINETO",
                                 "ARCTO",
                                 "POLYDRAW",
                                 "SETARCDIRECTION",
                                 "SETMITERLIMIT",
                                 "BEGINPATH",
                                 "ENDPATH",
                                 "CLOSEFIGURE",
                                 "FILLPATH",
                                 "STROKEANDFILLPATH",
                                 "STROKEPATH",
                                 "FLATTENPATH",
                                 "WIDENPATH",
                                 "SELECTCLIPPATH",
                                 "ABORTPATH",
                                 nullptr,
                                 "GDICOMMENT",
                                 "FILLRGN",
                                 "FRAMERGN",
                                 "INVERTRGN",
                                 "PAINTRGN",
                                 "EXTSELECTCLIPRGN",
                                 "BITBLT",
                                 "STRETCHBLT",
                                 "MASKBLT",
                                 "PLGBLT",
                                 "SETDIBITSTODEVICE",
                                 "STRETCHDIBITS",
                                 "EXTCREATEFONTINDIRECTW",
                                 "EXTTEXTOUTA",
                                 "EXTTEXTOUTW",
                                 "POLYBEZIER16",
                                 "POLYGON16",
                                 "POLYLINE16",
                                 "POLYBEZIERTO16",
                                 "POLYLINETO16",
                                 "POLYPOLYLINE16",
                                 "POLYPOLYGON16",
                                 "POLYDRAW16",
                                 "CREATEMONOBRUSH",
                                 "CREATEDIBPATTERNBRUSHPT",
                                 "EXTCREATEPEN",
                                 "POLYTEXTOUTA",
                                 "POLYTEXTOUTW",
                                 "SETICMMODE",
                                 "CREATECOLORSPACE",
                                 "SETCOLORSPACE",
                                 "DELETECOLORSPACE",
                                 "GLSRECORD",
                                 "GLSBOUNDEDRECORD",
                                 "PIXELFORMAT",
                                 "DRAWESCAPE",
                                 "EXTESCAPE",
                                 nullptr,
                                 "SMALLTEXTOUT",
                                 "FORCEUFIMAPPING",
                                 "NAMEDESCAPE",
                                 "COLORCORRECTPALETTE",
                                 "SETICMPROFILEA",
                                 "SETICMPROFILEW",
                                 "ALPHABLEND",
                                 "SETLAYOUT",
                                 "TRANSPARENTBLT",
                                 nullptr,
                                 "GRADIENTFILL",
                                 "SETLINKEDUFIS",
                                 "SETTEXTJUSTIFICATION",
                                 "COLORMATCHTOTARGETW",
                                 "CREATECOLORSPACEW"};

struct TWmfName {
    uint16_t Function;
    const char* Name;
};

const TWmfName kWmfNames[] = {
    {0x0000, "EOF"},
    {0x001E, "SAVEDC"},
    {0x0035, "REALIZEPALETTE"},
    {0x0037, "SETPALENTRIES"},
    {0x00F7, "CREATEPALETTE"},
    {0x0102, "SETBKMODE"},
    {0x0103, "SETMAPMODE"},
    {0x0104, "SETROP2"},
    {0x0105, "SETRELABS"},
    {0x0106, "SETPOLYFILLMODE"},
    {0x0107, "SETSTRETCHBLTMODE"},
    {0x0108, "SETTEXTCHAREXTRA"},
    {0x0127, "RESTOREDC"},
    {0x012A, "INVERTREGION"},
    {0x012B, "PAINTREGION"},
    {0x012C, "SELECTCLIPREGION"},
    {0x012D, "SELECTOBJECT"},
    {0x012E, "SETTEXTALIGN"},
    {0x0139, "RESIZEPALETTE"},
    {0x0142, "DIBCREATEPATTERNBRUSH"},
    {0x0149, "SETLAYOUT"},
    {0x01F0, "DELETEOBJECT"},
    {0x01F9, "CREATEPATTERNBRUSH"},
    {0x0201, "SETBKCOLOR"},
    {0x0209, "SETTEXTCOLOR"},
    {0x020A, "SETTEXTJUSTIFICATION"},
    {0x020B, "SETWINDOWORG"},
    {0x020C, "SETWINDOWEXT"},
    {0x020D, "SETVIEWPORTORG"},
    {0x020E, "SETVIEWPORTEXT"},
    {0x020F, "OFFSETWINDOWORG"},
    {0x0211, "OFFSETVIEWPORTORG"},
    {0x0213, "LINETO"},
    {0x0214, "MOVETO"},
    {0x0220, "OFFSETCLIPRGN"},
    {0x0228, "FILLREGION"},
    {0x0231, "SETMAPPERFLAGS"},
    {0x0234, "SELECTPALETTE"},
    {0x02FA, "CREATEPENINDIRECT"},
    {0x02FB, "CREATEFONTINDIRECT"},
    {0x02FC, "CREATEBRUSHINDIRECT"},
    {0x0324, "POLYGON"},
    {0x0325, "POLYLINE"},
    {0x0410, "SCALEWINDOWEXT"},
    {0x0412, "SCALEVIEWPORTEXT"},
    {0x0415, "EXCLUDECLIPRECT"},
    {0x0416, "INTERSECTCLIPRECT"},
    {0x0418, "ELLIPSE"},
    {0x0419, "FLOODFILL"},
    {0x041B, "RECTANGLE"},
    {0x041F, "SETPIXEL"},
    {0x0429, "FRAMEREGION"},
    {0x0436, "ANIMATEPALETTE"},
    {0x0521, "TEXTOUT"},
    {0x0538, "POLYPOLYGON"},
    {0x0548, "EXTFLOODFILL"},
    {0x061C, "ROUNDRECT"},
    {0x061D, "PATBLT"},
    {0x0626, "ESCAPE"},
    {0x06FF, "CREATEREGION"},
    {0x0817, "ARC"},
    {0x081A, "PIE"},
    {0x0830, "CHORD"},
    {0x0922, "BITBLT"},
    {0x0940, "DIBBITBLT"},
    {0x0A32, "EXTTEXTOUT"},
    {0x0B23, "STRETCHBLT"},
    {0x0B41, "DIBSTRETCHBLT"},
    {0x0D33, "SETDIBTODEV"},
    {0x0F43, "STRETCHDIB"},
};

} // namespace

std::set<uint32_t> MetafileRecordTypes(const std::vector<uint8_t>& file, bool& emf) {
    const TMetafileInfo info = ParseMetafile(file.data(), file.size());
    emf = info.Kind == TMetafileKind::mkEmf;
    std::set<uint32_t> types;
    if (emf) {
        types.insert(1); // the header record before RecordsOffset
        for (size_t at = info.RecordsOffset; at + 8 <= info.RecordsEnd;) {
            types.insert(LoadU32(file.data() + at));
            at += LoadU32(file.data() + at + 4);
        }
    } else {
        for (size_t at = info.RecordsOffset; at + 6 <= info.RecordsEnd;) {
            types.insert(LoadU16(file.data() + at + 4));
            at += size_t(LoadU32(file.data() + at)) * 2;
        }
    }
    return types;
}

std::string MetafileRecordName(bool emf, uint32_t type) {
    if (emf) {
        if (type >= 1 && type <= std::size(kEmfNames) && kEmfNames[type - 1])
            return std::string("EMR_") + kEmfNames[type - 1];
        return "EMR " + std::to_string(type);
    }
    for (const TWmfName& n : kWmfNames)
        if (n.Function == type)
            return std::string("META_") + n.Name;
    char hex[16];
    std::snprintf(hex, sizeof hex, "META 0x%04X", type);
    return hex;
}

void TRecordCount::Add(const std::set<uint32_t>& types) {
    ++FFiles;
    for (uint32_t t : types)
        ++FUses[t];
}

std::vector<std::pair<uint32_t, size_t>> TRecordCount::ByUse() const {
    std::vector<std::pair<uint32_t, size_t>> out(FUses.begin(), FUses.end());
    std::stable_sort(out.begin(), out.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    return out;
}

std::string RecordTable(bool emf, const TRecordCount& count) {
    std::string out = "| record | files | share | |\n|---|---:|---:|---|\n";
    for (const auto& [type, files] : count.ByUse()) {
        const bool played = emf ? EmfRecordPlayed(type) : WmfRecordPlayed(uint16_t(type));
        char line[160];
        std::snprintf(line, sizeof line, "| %s | %zu | %.1f %% | %s |\n",
                      MetafileRecordName(emf, type).c_str(), files,
                      100.0 * double(files) / double(count.Files()), played ? "drawn" : "skipped");
        out += line;
    }
    return out;
}

} // namespace gfxtest
