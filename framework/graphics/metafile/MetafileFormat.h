#pragma once
// What the bytes of a metafile are: the three kinds recognised by their
// headers, the limits a file must keep, and the check that loading makes
// once (ParseMetafile), which reads the header and walks the record chain
// so that the players can trust every record's size afterwards.

#include <cstddef>
#include <cstdint>
#include <vector>

enum class TMetafileKind { mkNone, mkWmf, mkPlaceableWmf, mkEmf };

constexpr size_t kMaxMetafileBytes = size_t(64) * 1024 * 1024;
constexpr uint32_t kMaxMetafileRecords = uint32_t(1) << 20;

// The kind of metafile the bytes start with.
TMetafileKind DetectMetafile(const uint8_t* data, size_t size);

// What loading learnt of a metafile; the records between RecordsOffset and
// RecordsEnd were walked and each lies within the data.
struct TMetafileInfo {
    TMetafileKind Kind = TMetafileKind::mkNone;
    size_t RecordsOffset = 0;
    size_t RecordsEnd = 0;
    uint32_t Records = 0;
    int32_t Width = 0; // pixels at 96 per inch
    int32_t Height = 0;
    // Size of the object table (WMF) or handle table (EMF).
    uint32_t Objects = 0;
    // WMF: the window the picture occupies, in logical units.
    double WindowLeft = 0, WindowTop = 0, WindowWidth = 1, WindowHeight = 1;
    // EMF: the picture frame in reference-device pixels, and the reference
    // device's pixels per millimetre.
    double FrameLeft = 0, FrameTop = 0, FrameRight = 1, FrameBottom = 1;
    double PixelsPerMmX = 1, PixelsPerMmY = 1;
};

// Checks the header and walks the record chain; fails with EInvalidGraphic
// ("Metafile is not valid: ...") naming the problem and its offset.
TMetafileInfo ParseMetafile(const uint8_t* data, size_t size);

// The EMF a WMF carries in its comment records when it was made from one
// (the platform writes the EMF in pieces after the WMF records' own
// drawing, and a checksum that makes all the WMF's 16-bit words add up to
// 0): the EMF's bytes when the pieces are whole and the checksum holds,
// else nothing. The platform's picture shows that EMF in the WMF's place.
std::vector<uint8_t> EmbeddedEmf(const uint8_t* data, size_t size, const TMetafileInfo& info);
