// SPDX-License-Identifier: MIT
#pragma once

// Remembers the Fanuc address ranges that a script's write statements cover, and tells for a new range how
// many earlier ones it overlaps and which of them came last. Each write costs a logarithm of the 16-bit
// address space, however many came before.

#include <cstddef>
#include <cstdint>
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
    // Ranges start at 16-bit addresses. Those that reach past 32767 can only meet there in ranges that
    // start at or below 32767, so both cover 32767 itself: cutting every range at 32768 changes no answer
    // and keeps the address space to 2^16 places.
    static constexpr std::int32_t lowest = -32768;
    static constexpr std::size_t places = std::size_t{1} << 16U;

    void mark(std::size_t node, std::size_t low, std::size_t high, std::size_t from, std::size_t to,
              std::uint32_t write);
    [[nodiscard]] std::uint32_t latest(std::size_t node, std::size_t low, std::size_t high, std::size_t from,
                                       std::size_t to) const;

    std::vector<WrittenRange> writes_; // numbered from 1 in the trees; 0 is none
    // A segment tree over the addresses: per segment, the latest write that covers all of it, and the
    // latest that covers any of it.
    std::vector<std::uint32_t> covering_all_;
    std::vector<std::uint32_t> covering_any_;
    // Fenwick trees of how many writes start, and end, at each place.
    std::vector<std::uint32_t> starts_;
    std::vector<std::uint32_t> ends_;
};

} // namespace qxrfanuc
