#include "framework/ui/CharacterJoiner.h"

#include "platform/kernel32/CodePage.h"

namespace {

// The length of the sequence a byte begins, 0 when it begins none.
size_t SequenceLength(char byte) {
    const auto lead = static_cast<unsigned char>(byte);
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

} // namespace

std::string TCharacterJoiner::Add(char byte) {
    std::string out;
    if (!FPending.empty()) {
        // Whether the sequence can still become well-formed: the decoder
        // decides, with the missing bytes made up of a continuation byte
        // that every position after the second accepts.
        const size_t length = SequenceLength(FPending[0]);
        std::string probe = FPending + byte;
        probe.resize(length, '\x80');
        if (DecodeCharacter(probe, 0).Length == length) {
            FPending += byte;
            if (FPending.size() == length)
                out.swap(FPending);
            return out;
        }
        out = Flush();
    }
    if (SequenceLength(byte) > 0)
        FPending.assign(1, byte);
    else
        out += ToUtf8(std::string_view(&byte, 1));
    return out;
}

std::string TCharacterJoiner::Flush() {
    std::string out = ToUtf8(FPending);
    FPending.clear();
    return out;
}
