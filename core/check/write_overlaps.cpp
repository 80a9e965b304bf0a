// SPDX-License-Identifier: MIT
#include "write_overlaps.h"

#include <algorithm>
#include <iterator>

namespace qxrfanuc {

std::optional<WrittenRange> WriteOverlaps::add(const WrittenRange& range) {
    // Stretches that start at the range's ends, so that those within it can go, the latest write on them
    // seen, and the range become one stretch of its own.
    for (const std::int32_t at : {range.first, range.end}) {
        const auto next = latest_.upper_bound(at);
        latest_.try_emplace(at, next == latest_.begin() ? 0 : std::prev(next)->second);
    }
    std::size_t last = 0;
    for (auto stretch = latest_.find(range.first); stretch->first < range.end;) {
        last = std::max(last, stretch->second);
        stretch = latest_.erase(stretch);
    }
    writes_.push_back(range);
    latest_[range.first] = writes_.size();
    if (last == 0) {
        return std::nullopt;
    }
    return writes_[last - 1];
}

} // namespace qxrfanuc
