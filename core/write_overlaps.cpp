// SPDX-License-Identifier: MIT
#include "write_overlaps.h"

#include <algorithm>

namespace qxrfanuc {

void WriteOverlaps::ensure_storage() {
    if (covering_all_.empty()) {
        covering_all_.assign(2 * size, -1);
        covering_any_.assign(2 * size, -1);
        starts_.assign(size + 1, 0);
        ends_.assign(size + 1, 0);
    }
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
        return -1;
    }
    if (from <= low && high <= to) {
        return covering_any_[node];
    }
    const std::size_t middle = (low + high) / 2;
    // A write that covers all of this segment covers the part of it that is asked about.
    return std::max({covering_all_[node], latest(2 * node, low, middle, from, to),
                     latest((2 * node) + 1, middle, high, from, to)});
}

void WriteOverlaps::count_at(std::vector<std::int32_t>& tree, std::size_t position) {
    for (std::size_t i = position + 1; i < tree.size(); i += i & (~i + 1)) {
        ++tree[i];
    }
}

std::int64_t WriteOverlaps::counted_up_to(const std::vector<std::int32_t>& tree, std::size_t position) {
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

    const auto write = static_cast<std::int32_t>(writes_.size());
    writes_.push_back(range);
    mark(1, 0, size, from, to, write);
    count_at(starts_, from);
    count_at(ends_, to);
    if (count == 0 || last < 0) {
        return std::nullopt;
    }
    return Overlap{writes_[static_cast<std::size_t>(last)], static_cast<std::size_t>(count)};
}

} // namespace qxrfanuc
