#pragma once
// Typed characters arrive one character message per byte, lead byte first,
// as the platform sends a multi-byte character of the system's code page to
// a window. TCharacterJoiner puts the bytes of one character back together
// for whoever takes typed text: it keeps the bytes of a sequence until the
// last one has come, and hands over whole characters only.
//
// A byte that cannot continue the pending sequence ends it: the pending
// bytes become characters of their own, their Windows-1252 reading, as the
// code page reads bytes that are no UTF-8, and the byte starts over. What
// comes out is always well-formed UTF-8, so typed text never joins with its
// neighbours in the text into a different character.

#include <string>

class TCharacterJoiner {
public:
    // Takes the next byte; returns the characters it completes, as UTF-8:
    // none while a sequence is still open, the byte itself when it is ASCII,
    // and the ended sequence's bytes before the byte's own character when
    // the byte could not continue it.
    std::string Add(char byte);
    // Ends the pending sequence (a control character, another key or a
    // click came between its bytes): its bytes as characters of their own.
    std::string Flush();
    void Reset() { FPending.clear(); }
    bool Pending() const { return !FPending.empty(); }

private:
    std::string FPending;
};
