// SPDX-License-Identifier: MIT
#include "write_overlaps.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace qxrfanuc {

void WriteOverlaps::Free::operator()(std::int32_t* block) const {
    std::free(block); // NOLINT(cppcoreguidelines-no-malloc): the block came from calloc
}

void WriteOverlaps::ensure_storage() {
    if (block_) {
        return;
    }
    const std::size_t tree = 2 * size;
    const std::size_t counts = size + 1;
    block_.reset(static_cast<std::int32_t*>(std::calloc(2 * (tree + counts), sizeof(std::int32_t))));
    if (!block_) {
        throw std::bad_alloc();
    }
    const std::span<std::int32_t> all(block_.get(), 2 * (tree + counts));
    covering_all_ = all.subspan(0, tree);
    covering_any_ = all.subspan(tree, tree);
    starts_ = all.subspan(2 * tree, counts);
    ends_ = all.subspan((2 * tree) + counts, counts);
}

void WriteOverlaps::mark(std::size_t node, std::size_t low, std::size_t high, std::size_t from,
                         std::size_t to, std::int32_t write) {
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
        std::max({covering_all_[node], covering_any_[2 * node], covering_any_[(2 * node) + 1]});
}

std::int32_t WriteOverlaps::latest(std::size_t node, std::size_t low, std::size_t high, std::size_t from,
                                   std::size_t to) const {
    if (to <= low || high <= from) {
        return 0;
    }
    if (from <= low && high <= to) {
        return covering_any_[node];
    }
    const std::size_t middle = (low + high) / 2;
    // A write that covers all of this segment covers the part of it that is asked about.
    return std::max({covering_all_[node], latest(2 * node, low, middle, from, to),
                     latest((2 * node) + 1, middle, high, from, to)});
}

void WriteOverlaps::count_at(std::span<std::int32_t> tree, std::size_t position) {
    for (std::size_t i = position + 1; i < tree.size(); i += i & (~i + 1)) {
        ++tree[i];
    }
}

std::int64_t WriteOverlaps::counted_up_to(std::span<const std::int32_t> tree, std::size_t position) {
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
    const std::int32_t last = latest(1, 0, size, from, to);

    writes_.push_back(range);
    const auto write = static_cast<std::int32_t>(writes_.size());
    mark(1, 0, size, from, to, write);
    count_at(starts_, from);
    count_at(ends_, to);
    if (count == 0 || last == 0) {
        return std::nullopt;
    }
    return Overlap{writes_[static_cast<std::size_t>(last) - 1], static_cast<std::size_t>(count)};
}

} // namespace qxrfanuc
