// SPDX-License-Identifier: MIT
#pragma once

// Remembers the Fanuc address ranges that a script's write statements cover, and tells for a new range how
// many earlier ones it overlaps and which of them came last. Each step costs a logarithm of the address
// space however many writes came before, and memory is bounded by the address space, not the script.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

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
    static constexpr std::int32_t cut = 32768;
    static constexpr std::size_t size = 1 << 16;

    // A write as the tables keep it: numbered from 1 in the order of the script (0 is none), so the latest of
    // two is the one with the larger number, and with what is reported of it. Kept in the tables themselves,
    // so no list of all the writes grows with the script.
    struct Write {
        std::uint64_t number;
        WrittenRange range;
    };

    void ensure_storage();
    template <typename OnSegment> static void each_segment(std::size_t from, std::size_t to, OnSegment on);
    template <typename OnAncestor> static void each_ancestor(std::size_t from, std::size_t to, OnAncestor on);
    void mark(std::size_t from, std::size_t to, const Write& write);
    [[nodiscard]] const Write& latest(std::size_t from, std::size_t to) const;
    static void count_at(std::span<std::int64_t> tree, std::size_t position);
    [[nodiscard]] static std::int64_t counted_up_to(std::span<const std::int64_t> tree, std::size_t position);

    std::uint64_t writes_ = 0;
    // The tables in blocks of zeros from calloc: the system hands such a block over as pages it has not
    // touched, and a script's writes touch only the few along their paths, so a checker starts at no cost
    // however large the address space. A zeroed Write is no write.
    struct Free {
        void operator()(void* block) const;
    };
    std::unique_ptr<Write[], Free> writes_block_;
    std::unique_ptr<std::int64_t[], Free> counts_block_;
    // Per segment of addresses: the latest write covering all of it, and the latest covering any of it.
    std::span<Write> covering_all_;
    std::span<Write> covering_any_;
    // Counts of the writes by where they start and where they end.
    std::span<std::int64_t> starts_;
    std::span<std::int64_t> ends_;
};

} // namespace qxrfanuc
