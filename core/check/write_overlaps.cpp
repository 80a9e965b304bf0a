// SPDX-License-Identifier: MIT
#include "write_overlaps.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <type_traits>

namespace qxrfanuc {

namespace {

// A block of zeros for count objects of T, which must be valid as all zero bytes.
template <typename T> T* zeroed_block(std::size_t count) {
    static_assert(std::is_trivially_copyable_v<T>);
    void* block = std::calloc(count, sizeof(T)); // NOLINT(cppcoreguidelines-no-malloc): untouched pages
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return static_cast<T*>(block);
}

} // namespace

void WriteOverlaps::Free::operator()(void* block) const {
    std::free(block); // NOLINT(cppcoreguidelines-no-malloc): the block came from calloc
}

void WriteOverlaps::ensure_storage() {
    if (writes_block_) {
        return;
    }
    const std::size_t tree = 2 * size;
    const std::size_t counts = size + 1;
    writes_block_.reset(zeroed_block<Write>(2 * tree));
    counts_block_.reset(zeroed_block<std::int64_t>(2 * counts));
    const std::span<Write> writes(writes_block_.get(), 2 * tree);
    covering_all_ = writes.subspan(0, tree);
    covering_any_ = writes.subspan(tree, tree);
    const std::span<std::int64_t> all_counts(counts_block_.get(), 2 * counts);
    starts_ = all_counts.subspan(0, counts);
    ends_ = all_counts.subspan(counts, counts);
}

namespace {

const auto by_number = [](const auto& a, const auto& b) { return a.number < b.number; };

} // namespace

void WriteOverlaps::mark(std::size_t node, std::size_t low, std::size_t high, std::size_t from,
                         std::size_t to, const Write& write) {
    if (to <= low || high <= from) {
        return;
    }
    if (from <= low && high <= to) {
        covering_all_[node] = write;
        covering_any_[node] = write;
        return;
    }
    const std::size_t middle = (low + high) / 2;
    mark(2 * node, low, middle, from, to, write);
    mark((2 * node) + 1, middle, high, from, to, write);
    covering_any_[node] =
        std::max({covering_all_[node], covering_any_[2 * node], covering_any_[(2 * node) + 1]}, by_number);
}

const WriteOverlaps::Write& WriteOverlaps::latest(std::size_t node, std::size_t low, std::size_t high,
                                                  std::size_t from, std::size_t to) const {
    static constexpr Write none{};
    if (to <= low || high <= from) {
        return none;
    }
    if (from <= low && high <= to) {
        return covering_any_[node];
    }
    const std::size_t middle = (low + high) / 2;
    // A write that covers all of this segment covers the part of it that is asked about.
    return std::max({std::cref(covering_all_[node]), std::cref(latest(2 * node, low, middle, from, to)),
                     std::cref(latest((2 * node) + 1, middle, high, from, to))},
                    [](const Write& a, const Write& b) { return a.number < b.number; });
}

void WriteOverlaps::count_at(std::span<std::int64_t> tree, std::size_t position) {
    for (std::size_t i = position + 1; i < tree.size(); i += i & (~i + 1)) {
        ++tree[i];
    }
}

std::int64_t WriteOverlaps::counted_up_to(std::span<const std::int64_t> tree, std::size_t position) {
    std::int64_t sum = 0;
    for (std::size_t i = std::min(position + 1, tree.size() - 1); i > 0; i -= i & (~i + 1)) {
        sum += tree[i];
    }
    return sum;
}

std::optional<Overlap> WriteOverlaps::add(const WrittenRange& range) {
    ensure_storage();
    const auto from = static_cast<std::size_t>(range.first - lowest);
    const auto to = static_cast<std::size_t>(std::min(range.end, cut) - lowest);
    // An earlier [s, e) misses [from, to) when it starts at or after to, or ends at or before from; no range
    // does both. So the overlapping ones are those starting before to, less those ending by from.
    const std::int64_t count = counted_up_to(starts_, to - 1) - counted_up_to(ends_, from);
    const Write last = latest(1, 0, size, from, to);

    mark(1, 0, size, from, to, Write{++writes_, range});
    count_at(starts_, from);
    count_at(ends_, to);
    if (count == 0 || last.number == 0) {
        return std::nullopt;
    }
    return Overlap{last.range, static_cast<std::size_t>(count)};
}

} // namespace qxrfanuc
