// SPDX-License-Identifier: MIT
#pragma once

// Remembers the Fanuc address ranges that a script's write statements cover, and tells for a new range how
// many earlier ones it overlaps and which of them came last. Each step costs a logarithm of the address
// space however many writes came before; memory grows only with the number of writes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
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
    static constexpr std::int32_t cut = 32768;
    static constexpr std::size_t size = 1 << 16;

    void ensure_storage();
    void mark(std::size_t node, std::size_t low, std::size_t high, std::size_t from, std::size_t to,
              std::int32_t write);
    [[nodiscard]] std::int32_t latest(std::size_t node, std::size_t low, std::size_t high, std::size_t from,
                                      std::size_t to) const;
    static void count_at(std::span<std::int32_t> tree, std::size_t position);
    [[nodiscard]] static std::int64_t counted_up_to(std::span<const std::int32_t> tree, std::size_t position);

    std::vector<WrittenRange> writes_;
    // All the tables below in one block of zeros from calloc: the system hands such a block over as pages it
    // has not touched, and a script's writes touch only the few along their paths, so a checker starts at no
    // cost however large the address space. Writes are numbered from 1 there; 0 is none.
    struct Free {
        void operator()(std::int32_t* block) const;
    };
    std::unique_ptr<std::int32_t[], Free> block_;
    // Per segment of addresses: the latest write covering all of it, and the latest covering any of it.
    std::span<std::int32_t> covering_all_;
    std::span<std::int32_t> covering_any_;
    // Counts of the writes by where they start and where they end.
    std::span<std::int32_t> starts_;
    std::span<std::int32_t> ends_;
};

} // namespace qxrfanuc
