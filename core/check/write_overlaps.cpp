// SPDX-License-Identifier: MIT
#include "write_overlaps.h"

#include <algorithm>

namespace qxrfanuc {

namespace {

void count_at(std::vector<std::uint32_t>& tree, std::size_t place) {
    for (std::size_t i = place + 1; i < tree.size(); i += i & (~i + 1)) {
        ++tree[i];
    }
}

// How many were counted at places before place.
std::size_t counted_before(const std::vector<std::uint32_t>& tree, std::size_t place) {
    std::size_t sum = 0;
    for (std::size_t i = place; i > 0; i -= i & (~i + 1)) {
        sum += tree[i];
    }
    return sum;
}

} // namespace

void WriteOverlaps::mark(std::size_t node, std::size_t low, std::size_t high, std::size_t from,
                         std::size_t to, std::uint32_t write) {
    if (to <= low || high <= from) {
        return;
    }
    covering_any_[node] = write;
    if (from <= low && high <= to) {
        covering_all_[node] = write;
        return;
    }
    const std::size_t middle = (low + high) / 2;
    mark(2 * node, low, middle, from, to, write);
    mark((2 * node) + 1, middle, high, from, to, write);
}

std::uint32_t WriteOverlaps::latest(std::size_t node, std::size_t low, std::size_t high, std::size_t from,
                                    std::size_t to) const {
    if (to <= low || high <= from) {
        return 0;
    }
    if (from <= low && high <= to) {
        return covering_any_[node];
    }
    const std::size_t middle = (low + high) / 2;
    return std::max({covering_all_[node], latest(2 * node, low, middle, from, to),
                     latest((2 * node) + 1, middle, high, from, to)});
}

std::optional<Overlap> WriteOverlaps::add(const WrittenRange& range) {
    if (writes_.empty()) {
        covering_all_.assign(2 * places, 0);
        covering_any_.assign(2 * places, 0);
        starts_.assign(places + 1, 0);
        ends_.assign(places + 1, 0);
    }
    const auto from = static_cast<std::size_t>(range.first - lowest);
    const auto to = static_cast<std::size_t>(std::min(range.end - lowest, std::int32_t{places}));
    // The earlier writes that end at or before from, or start at or after to, miss this one.
    const std::size_t missing = counted_before(ends_, from) + (writes_.size() - counted_before(starts_, to));
    const std::uint32_t last = latest(1, 0, places, from, to);
    writes_.push_back(range);
    const auto number = static_cast<std::uint32_t>(writes_.size());
    mark(1, 0, places, from, to, number);
    count_at(starts_, from);
    count_at(ends_, to - 1);
    if (last == 0) {
        return std::nullopt;
    }
    return Overlap{writes_[last - 1], writes_.size() - 1 - missing};
}

} // namespace qxrfanuc
