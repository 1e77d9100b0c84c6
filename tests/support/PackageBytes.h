#pragma once
// Package bytes made by hand for the tests, independent of the writer.

#include "package/PackageFormat.h"

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace testing_support {

using Bytes = std::vector<uint8_t>;

inline Bytes RandomBytes(size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes bytes(size);
    for (auto& b : bytes)
        b = static_cast<uint8_t>(rng());
    return bytes;
}

// `data`, then the size table `table` (original, stored) and `count`: any
// package, well-formed or not.
inline Bytes ForgePackage(const Bytes& data,
                          const std::vector<std::pair<uint32_t, uint32_t>>& table, uint32_t count) {
    Bytes out = data;
    uint8_t word[4];
    for (auto [original, stored] : table) {
        StoreU32(word, original);
        out.insert(out.end(), word, word + 4);
        StoreU32(word, stored);
        out.insert(out.end(), word, word + 4);
    }
    StoreU32(word, count);
    out.insert(out.end(), word, word + 4);
    return out;
}

} // namespace testing_support
