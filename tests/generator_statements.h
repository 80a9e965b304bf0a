// SPDX-License-Identifier: MIT
#pragma once

// The generator's statements for the two worked examples, as the tests of every layer expect them: written
// out here once, by hand, not by the generator.

#include <string>

namespace generator_statements {

// QXR 12, Fanuc 1, 1 item, type R: the window's defaults.
inline const std::string read_12_r1 =
    "mb.Read(6,4,2,1000);  // Read Value From Fanuc General Register [R] 1, and Store in QXR Register 12.";
inline const std::string write_12_r1 =
    "mb.Write(6,4,2,1000);  // Read Value From QXR Register 12, and Store in Fanuc General Register [R] 1.";

// QXR 100, Fanuc 3, 2 items, type PR.
inline const std::string read_100_pr3 =
    "mb.Read(50,1025,24,1000);  // Read Value From Fanuc Position Register "
    "[PR] 3, and Store in QXR Register 100.";
inline const std::string write_100_pr3 =
    "mb.Write(50,1025,24,1000);  // Read Value From QXR Register 100, and "
    "Store in Fanuc Position Register [PR] 3.";

} // namespace generator_statements
