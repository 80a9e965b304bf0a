// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qxrfanuc::cli {

// The usage lines, each ending in a line feed.
[[nodiscard]] std::string usage_text();

[[nodiscard]] std::string help_text();

} // namespace qxrfanuc::cli
