#pragma once
// The enhanced metafile (EMF) player: the records of an EMF, whose chain
// ParseMetafile has checked, played onto a metafile device context. Its
// source lists the records drawn and those skipped.

#include <cstdint>

struct TMetafileInfo;
class TMetafileDC;

// Sets the device context up for the picture's frame, then plays the
// records until the end record or the context's work budget is spent.
void PlayEmfRecords(const uint8_t* data, const TMetafileInfo& info, TMetafileDC& dc);
// Whether the player reads records of this type (draws them, keeps their
// state, or knows they draw nothing); the others it skips.
bool EmfRecordPlayed(uint32_t type);
