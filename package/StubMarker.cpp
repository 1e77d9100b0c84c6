#include "StubMarker.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace {

constexpr size_t kMaxVersion = 32;

bool IsVersionCharacter(uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
           c == '+' || c == '-';
}

// The version that starts at `at`, ended by a NUL within the data; "" if
// none does.
std::string VersionAt(const uint8_t* at, const uint8_t* end) {
    if (at == end || *at < '0' || *at > '9')
        return "";
    const uint8_t* p = at;
    while (p != end && p - at <= static_cast<ptrdiff_t>(kMaxVersion) && IsVersionCharacter(*p))
        ++p;
    if (p == end || *p != 0 || p - at > static_cast<ptrdiff_t>(kMaxVersion))
        return "";
    return std::string(at, p);
}

} // namespace

std::string StubMarkerVersion(const uint8_t* data, size_t size) {
    const std::string_view prefix = SSI_STUB_MARKER_PREFIX;
    const char* const begin = reinterpret_cast<const char*>(data);
    const char* const end = begin + size;
    const std::boyer_moore_horspool_searcher search(prefix.begin(), prefix.end());
    for (const char* at = begin;; ++at) {
        at = std::search(at, end, search);
        if (at == end)
            return "";
        const size_t next = static_cast<size_t>(at - begin) + prefix.size();
        std::string version = VersionAt(data + next, data + size);
        if (!version.empty())
            return version;
    }
}
