// SPDX-License-Identifier: MIT
#pragma once

// The program's exit statuses, in one place: the code returns these, --help lists this table, and a test
// holds the README's and the manual page's lists to it.

#include "generation_error.h"

#include <array>
#include <string_view>

namespace qxrfanuc::cli {

enum ExitStatus : int {
    exit_success = 0,
    exit_io_failure = 1,
    exit_usage = 2,
    exit_errors_found = 3,
    exit_not_read_whole = 4,
    exit_overflow = 6,
    exit_type_mismatch = 13,
};

// A failed generation exits with its error's number, as the controller's runtime reports it: 13 or 6.
[[nodiscard]] constexpr ExitStatus exit_status_of(const GenerationError& error) {
    return error.kind == ErrorKind::TypeMismatch ? exit_type_mismatch : exit_overflow;
}
static_assert(exit_status_of({ErrorKind::TypeMismatch}) ==
                  GenerationError{ErrorKind::TypeMismatch}.number() &&
              exit_status_of({ErrorKind::Overflow}) == GenerationError{ErrorKind::Overflow}.number());

struct ExitStatusInfo {
    ExitStatus status;
    std::string_view meaning; // for --help
};

inline constexpr std::array<ExitStatusInfo, 7> exit_statuses{{
    {exit_success, "success"},
    {exit_io_failure, "a read or write failed (with --check, a FILE not read)"},
    {exit_usage, "a usage error, a malformed record or a plan refused"},
    {exit_errors_found, "--check found an error (or what --fail-on names)"},
    {exit_not_read_whole, "--check left text unread or a comment not compared"},
    {exit_overflow, "overflow"},
    {exit_type_mismatch, "type mismatch"},
}};

} // namespace qxrfanuc::cli
