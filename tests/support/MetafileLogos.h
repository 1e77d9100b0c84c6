#pragma once
// Two logos as metafiles, of about 200 records each, made with the test
// writer: a landscape with a sun as WMF (plain or placeable) and a badge
// with curves, paths, rotated rays, text and a bitmap as EMF. The scene
// test shows them, the benchmark plays them, the fuzz seeds start from them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gfxtest {

// 1000 x 1000 logical units; placeable: one inch... at 1000 units per inch.
std::vector<uint8_t> LogoWmf(bool placeable);
// A frame of 30 x 30 mm on a reference device of 96 pixels per inch.
std::vector<uint8_t> LogoEmf();
// Their records, end-of-file record included.
size_t LogoWmfRecords();
size_t LogoEmfRecords();

// Turned text as real files have it. A bar chart as chart programs write
// one (EMF, 300 x 250 pixels): a page whose y axis runs up, the y-axis
// title at 270 degrees (which such a page turns upward), month labels at
// 315 degrees, bars in palette-index colours, a halftone-shrunk bitmap, a
// meta region and a comment. Text rays every 30 degrees around a centre
// (WMF, 240 x 240). A shop sign (EMF, 120 x 240) in the advanced mode:
// upright letters stacked downwards (escapement 270, orientation 0) and a
// name turned by the world transform.
std::vector<uint8_t> ChartEmf();
std::vector<uint8_t> TextRaysWmf();
std::vector<uint8_t> SignEmf();

// Seed files of the metafile fuzz targets: the logos, the turned text and a
// file of every record kind the player draws, for WMF or EMF.
struct TSeed {
    std::string Name;
    std::vector<uint8_t> Bytes;
};
std::vector<TSeed> MetafileSeeds(bool emf);

} // namespace gfxtest
