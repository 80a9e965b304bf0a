// SPDX-License-Identifier: MIT
#pragma once

// Remembers the Fanuc address ranges that a script's write statements cover, and tells for a new range how
// many earlier ones it overlaps and which of them came last, in a time logarithmic in the writes.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace qxrfanuc {

struct WrittenRange {
    std::size_t line;
    std::int32_t first; // the first address written
    std::int32_t end;   // one past the last
};

struct Overlap {
    WrittenRange latest; // the last earlier write it overlaps
    std::size_t count;   // how many earlier writes it overlaps
};

class WriteOverlaps {
public:
    // Records [first, end) and returns what it overlaps of the ranges recorded before; end > first.
    std::optional<Overlap> add(const WrittenRange& range);

private:
    std::vector<WrittenRange> writes_;
    // The addresses as stretches: from each key to the next, the number (from 1) of the latest write that
    // covers them, or 0.
    std::map<std::int32_t, std::size_t> latest_;
    // How many writes start, and end, at or before each address (Fenwick trees over the 16-bit addresses;
    // a range reaching past 32767 counts as ending there, which changes no overlap, since any range it can
    // meet there starts at or below 32767). 32 bits count every write a script of at most 64 MiB can hold.
    std::vector<std::uint32_t> starts_;
    std::vector<std::uint32_t> ends_;
};

} // namespace qxrfanuc
