// SPDX-License-Identifier: MIT
#include "free_pairs.h"

#include <algorithm>
#include <bit>

namespace qxrfanuc {

FreePairs::FreePairs() : nodes_(2 * std::size_t{leaves}) {
    // The leaves past the highest pair are given out, so that no run reaches beyond it.
    for (std::int32_t i = 0; i < leaves; ++i) {
        const std::int32_t free = lowest + i <= highest ? 1 : 0;
        nodes_[leaves + i] = {free, free, free};
    }
    for (std::size_t node = leaves - 1; node >= 1; --node) {
        join(node);
    }
}

// A node's runs from its children's.
void FreePairs::join(std::size_t node) {
    const auto half = static_cast<std::int32_t>(leaves >> std::bit_width(node)); // pairs under each child
    const Node& left = nodes_[2 * node];
    const Node& right = nodes_[(2 * node) + 1];
    nodes_[node] = {left.prefix == half ? half + right.prefix : left.prefix,
                    right.suffix == half ? half + left.suffix : right.suffix,
                    std::max({left.best, right.best, left.suffix + right.prefix})};
}

void FreePairs::take(std::int32_t first, std::int32_t count) {
    const std::int32_t from = std::max(first, lowest);
    const std::int32_t to = std::min(first + count - 1, highest);
    if (from <= to) {
        take(1, 0, leaves - 1, from - lowest, to - lowest);
    }
}

// Below a node that is all given out nothing is read again, so its children are left as they are.
void FreePairs::take(std::size_t node, std::int32_t low, std::int32_t high, std::int32_t first,
                     std::int32_t last) {
    if (last < low || high < first || nodes_[node].best == 0) {
        return;
    }
    if (first <= low && high <= last) {
        nodes_[node] = {0, 0, 0};
        return;
    }
    const std::int32_t middle = low + ((high - low) / 2);
    take(2 * node, low, middle, first, last);
    take((2 * node) + 1, middle + 1, high, first, last);
    join(node);
}

std::optional<std::int32_t> FreePairs::first_run(std::int32_t from, std::int32_t count) const {
    std::int32_t run = 0;
    const auto found = first_run(1, 0, leaves - 1, std::max(from, lowest) - lowest, count, run);
    return found ? std::optional(*found + lowest) : std::nullopt;
}

// Visits the nodes from left to right; run counts the free pairs at or after from that end just before the
// node, so that a run may start in one node and end in the next.
std::optional<std::int32_t> FreePairs::first_run(std::size_t node, std::int32_t low, std::int32_t high,
                                                 std::int32_t from, std::int32_t count,
                                                 std::int32_t& run) const {
    const Node& here = nodes_[node];
    if (high < from) {
        return std::nullopt;
    }
    if (from <= low || here.best == 0) {
        if (run + here.prefix >= count) {
            return low - run;
        }
        if (here.best < count) {
            run = here.prefix == high - low + 1 ? run + here.prefix : here.suffix;
            return std::nullopt;
        }
    }
    const std::int32_t middle = low + ((high - low) / 2);
    if (auto found = first_run(2 * node, low, middle, from, count, run)) {
        return found;
    }
    return first_run((2 * node) + 1, middle + 1, high, from, count, run);
}

} // namespace qxrfanuc
