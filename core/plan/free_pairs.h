// SPDX-License-Identifier: MIT
#pragma once

// The QXR registers a plan has not given out yet, in pairs: every transfer starts at an even register (twice
// its index) and takes whole pairs (2 registers per R item, 12 per PR item), so pair P is registers 2P and
// 2P+1. Finds the lowest run of free pairs of a length in a time logarithmic in the registers: a tree over
// the pairs that knows, for each stretch, its longest run of free pairs and those at its two ends.

#include <cstdint>
#include <optional>
#include <vector>

namespace qxrfanuc {

class FreePairs {
public:
    // Pairs -16384 to 32767: QXR registers -32768 to 65535, every register a transfer can cover.
    static constexpr std::int32_t lowest = -16384;
    static constexpr std::int32_t highest = 32767;

    FreePairs();

    // Marks pairs first to first+count-1 as given out (those outside lowest to highest do not exist).
    void take(std::int32_t first, std::int32_t count);
    // The lowest pair at or after from where count free pairs start, count at least 1; none if there is none.
    [[nodiscard]] std::optional<std::int32_t> first_run(std::int32_t from, std::int32_t count) const;

private:
    struct Node {
        std::int32_t prefix; // free pairs at its start
        std::int32_t suffix; // at its end
        std::int32_t best;   // its longest run
    };
    static constexpr std::int32_t leaves = 1 << 16; // at least highest - lowest + 1, a power of two

    void take(std::size_t node, std::int32_t low, std::int32_t high, std::int32_t first, std::int32_t last);
    void join(std::size_t node);
    std::optional<std::int32_t> first_run(std::size_t node, std::int32_t low, std::int32_t high,
                                          std::int32_t from, std::int32_t count, std::int32_t& run) const;

    std::vector<Node> nodes_; // node 1 is the root; node n's children are 2n and 2n+1; leaf i is leaves + i
};

} // namespace qxrfanuc
