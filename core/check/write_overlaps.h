// SPDX-License-Identifier: MIT
#pragma once

// Remembers the Fanuc address ranges that a script's write statements cover, and tells for a new range the
// latest earlier one it meets, in a time logarithmic in the writes.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace qxrfanuc {

struct WrittenRange {
    std::size_t line;
    std::int32_t first; // the first address written
    std::int32_t end;   // one past the last
};

class WriteOverlaps {
public:
    // Records [first, end) and returns the latest range recorded before that it meets; end > first.
    std::optional<WrittenRange> add(const WrittenRange& range);

private:
    std::vector<WrittenRange> writes_;
    // The addresses as stretches: from each key to the next, the number (from 1) of the latest write that
    // covers them, or 0.
    std::map<std::int32_t, std::size_t> latest_;
};

} // namespace qxrfanuc
