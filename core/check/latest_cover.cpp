// SPDX-License-Identifier: MIT
#include "latest_cover.h"

#include <algorithm>
#include <new>

namespace qxrfanuc {

std::uint32_t LatestCover::latest(RegisterSpan span) const {
    return nodes_ ? latest(1, lowest_, highest_, span) : 0;
}

void LatestCover::add(RegisterSpan span, std::uint32_t number) {
    if (!nodes_) {
        // A node for each halving down to single registers: fewer than four for each register.
        nodes_.reset(static_cast<Node*>(
            std::calloc(4 * static_cast<std::size_t>(highest_ - lowest_ + 1), sizeof(Node))));
        if (!nodes_) {
            throw std::bad_alloc();
        }
    }
    add(1, lowest_, highest_, span, number);
}

std::uint32_t LatestCover::latest(std::size_t node, std::int32_t low, std::int32_t high,
                                  RegisterSpan span) const {
    if (span.last < low || high < span.first) {
        return 0;
    }
    if (span.first <= low && high <= span.last) {
        return nodes_[node].within;
    }
    const std::int32_t middle = low + ((high - low) / 2);
    return std::max({nodes_[node].whole, latest(2 * node, low, middle, span),
                     latest((2 * node) + 1, middle + 1, high, span)});
}

void LatestCover::add(std::size_t node, std::int32_t low, std::int32_t high, RegisterSpan span,
                      std::uint32_t number) {
    if (span.last < low || high < span.first) {
        return;
    }
    nodes_[node].within = number;
    if (span.first <= low && high <= span.last) {
        nodes_[node].whole = number;
        return;
    }
    const std::int32_t middle = low + ((high - low) / 2);
    add(2 * node, low, middle, span, number);
    add((2 * node) + 1, middle + 1, high, span, number);
}

} // namespace qxrfanuc
