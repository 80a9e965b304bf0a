// SPDX-License-Identifier: MIT
#pragma once

#include "generation_error.h"

#include <QString>

// What the user is told about a failed generation: a heading with the error's number and kind, and a
// sentence that names the box at fault, what it holds, and what would be accepted.
struct ErrorReport {
    QString heading;
    QString detail;
};

struct BoxTexts {
    QString qxr;
    QString fanuc;
    QString items;
    QString register_type;
};

[[nodiscard]] ErrorReport describe_error(const qxrfanuc::GenerationError& error, const BoxTexts& boxes);
