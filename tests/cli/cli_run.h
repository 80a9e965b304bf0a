// SPDX-License-Identifier: MIT
#pragma once

// The command-line program started as a process, as a user or a script starts it.

#include "../generator_statements.h"
#include "process.h"

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

inline ProcessResult cli(const Arguments& arguments, const std::string& input = {}) {
    ProcessSetup setup;
    setup.input = input;
    return run_process(QXR_FANUC_CLI, arguments, setup);
}

inline const std::string try_help = "Try 'qxr-fanuc-cli --help' for more information.\n";

// How the messages of a failed generation end.
inline const std::string not_a_number =
    ": not a number (expected digits with an optional sign and fraction, like -12 or 2.5)\n";
inline const std::string out_of_range = ": outside -32768 to 32767\n";

// The worked examples' statements as the program prints them, each ending in a line feed.
inline const std::string default_read = generator_statements::read_12_r1 + "\n";
inline const std::string default_write = generator_statements::write_12_r1 + "\n";
inline const std::string pr_read = generator_statements::read_100_pr3 + "\n";
inline const std::string pr_write = generator_statements::write_100_pr3 + "\n";
