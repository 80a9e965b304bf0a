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

// The segments of [from, to) in the tree over the address space, bottom-up: each node covers the addresses
// of its leaves, node 1 all of them, and leaf a is node size + a. Every node that [from, to) covers only in
// part is an ancestor of the leaf of from or of to - 1.
template <typename OnSegment>
void WriteOverlaps::each_segment(std::size_t from, std::size_t to, OnSegment on) {
    for (std::size_t low = from + size, high = to + size; low < high; low /= 2, high /= 2) {
        if (low % 2 == 1) {
            on(low++);
        }
        if (high % 2 == 1) {
            on(--high);
        }
    }
}

// Each once: the two paths up to the root meet, and go on as one.
template <typename OnAncestor>
void WriteOverlaps::each_ancestor(std::size_t from, std::size_t to, OnAncestor on) {
    std::size_t low = (from + size) / 2;
    std::size_t high = (to - 1 + size) / 2;
    for (; low != high; low /= 2, high /= 2) {
        on(low);
        on(high);
    }
    for (; low > 0; low /= 2) {
        on(low);
    }
}

// The new write is the latest of all: it covers all of its segments, and some of each of their ancestors.
void WriteOverlaps::mark(std::size_t from, std::size_t to, const Write& write) {
    each_segment(from, to, [&](std::size_t node) { covering_all_[node] = covering_any_[node] = write; });
    each_ancestor(from, to, [&](std::size_t node) { covering_any_[node] = write; });
}

// A write that covers any of [from, to) covers some of one of its segments, or all of one of their ancestors.
const WriteOverlaps::Write& WriteOverlaps::latest(std::size_t from, std::size_t to) const {
    static constexpr Write none{};
    const Write* found = &none;
    const auto take = [&](const Write& write) {
        if (write.number > found->number) {
            found = &write;
        }
    };
    each_segment(from, to, [&](std::size_t node) { take(covering_any_[node]); });
    each_ancestor(from, to, [&](std::size_t node) { take(covering_all_[node]); });
    return *found;
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
    const Write last = latest(from, to);

    mark(from, to, Write{++writes_, range});
    count_at(starts_, from);
    count_at(ends_, to);
    if (count == 0 || last.number == 0) {
        return std::nullopt;
    }
    return Overlap{last.range, static_cast<std::size_t>(count)};
}

} // namespace qxrfanuc
