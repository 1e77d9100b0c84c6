#pragma once
// The Windows metafile (WMF) player: the records of a plain or placeable
// WMF, whose chain ParseMetafile has checked, played onto a metafile device
// context. Its source lists the records drawn and those skipped.

#include <cstdint>

struct TMetafileInfo;
class TMetafileDC;

// Sets the device context up for the picture's window, then plays the
// records until the end record or the context's work budget is spent.
void PlayWmfRecords(const uint8_t* data, const TMetafileInfo& info, TMetafileDC& dc);
// Whether the player reads records of this function (draws them, keeps
// their state, or knows they draw nothing); the others it skips.
bool WmfRecordPlayed(uint16_t function);
