// SPDX-License-Identifier: MIT
#include "write_overlaps.h"

#include <algorithm>
#include <iterator>

namespace qxrfanuc {

namespace {

constexpr std::int32_t lowest = -32768;
constexpr std::size_t places = std::size_t{1} << 16U;

std::size_t place_of(std::int32_t address) {
    return static_cast<std::size_t>(std::min(address - lowest, std::int32_t{places} - 1));
}

void count_at(std::vector<std::uint32_t>& tree, std::size_t place) {
    for (std::size_t i = place + 1; i < tree.size(); i += i & (~i + 1)) {
        ++tree[i];
    }
}

std::size_t counted_up_to(const std::vector<std::uint32_t>& tree, std::size_t place) {
    std::size_t sum = 0;
    for (std::size_t i = place + 1; i > 0; i -= i & (~i + 1)) {
        sum += tree[i];
    }
    return sum;
}

} // namespace

std::optional<Overlap> WriteOverlaps::add(const WrittenRange& range) {
    if (writes_.empty()) {
        starts_.assign(places + 1, 0);
        ends_.assign(places + 1, 0);
    }
    // The earlier writes that end before this one starts, or start after it ends, miss it.
    const std::size_t before = range.first == lowest ? 0 : counted_up_to(ends_, place_of(range.first - 1));
    const std::size_t after = writes_.size() - counted_up_to(starts_, place_of(range.end - 1));
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
    count_at(starts_, place_of(range.first));
    count_at(ends_, place_of(range.end - 1));
    if (last == 0) {
        return std::nullopt;
    }
    return Overlap{writes_[last - 1], writes_.size() - 1 - before - after};
}

} // namespace qxrfanuc
