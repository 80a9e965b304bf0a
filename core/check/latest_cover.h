// SPDX-License-Identifier: MIT
#pragma once

// Remembers spans of registers, each with a number that grows from one span to the next, and tells for a span
// the number of the latest one it meets, in a time logarithmic in the registers: a tree over the registers
// from lowest to highest, made at the first span added.

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace qxrfanuc {

struct RegisterSpan {
    std::int32_t first;
    std::int32_t last; // the last register covered, first <= last
};

class LatestCover {
public:
    LatestCover(std::int32_t lowest, std::int32_t highest) : lowest_(lowest), highest_(highest) {}

    // The number of the latest span added that meets this one, or 0.
    [[nodiscard]] std::uint32_t latest(RegisterSpan span) const;
    // Adds the span, within lowest to highest, with its number, greater than every number added before.
    void add(RegisterSpan span, std::uint32_t number);

private:
    struct Node {
        std::uint32_t whole = 0;  // the latest span that covers all of the node's registers
        std::uint32_t within = 0; // the latest span that meets any of them
    };
    [[nodiscard]] std::uint32_t latest(std::size_t node, std::int32_t low, std::int32_t high,
                                       RegisterSpan span) const;
    void add(std::size_t node, std::int32_t low, std::int32_t high, RegisterSpan span, std::uint32_t number);

    // Zeroed by the system as pages are first touched, so that a script of a few transfers pays for a few
    // pages rather than for clearing the whole tree (8 MB for the four a script uses).
    struct Free {
        void operator()(Node* nodes) const { std::free(nodes); }
    };
    std::int32_t lowest_;
    std::int32_t highest_;
    std::unique_ptr<Node[], Free> nodes_;
};

} // namespace qxrfanuc
