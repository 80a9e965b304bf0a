// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ProcessResult {
    int exit_status = -1;
    std::string out;
    std::string err;
};

// Where the program's standard output goes: a file read back afterwards, or a place no write can reach.
enum class OutputTarget { Captured, ReadOnlyFile, FullDevice, Closed };

struct ProcessSetup {
    std::string input;                // standard input's contents, unless input_path is given
    std::filesystem::path input_path; // a file or directory to open as standard input instead
    OutputTarget output = OutputTarget::Captured;
    OutputTarget error_output = OutputTarget::Captured; // standard error, likewise
    std::size_t address_space_limit = 0; // bytes the program may map, where the system can cap it
};

// False where the system has no such target (a full device on Windows).
bool can_test(OutputTarget target);

// Runs the program to completion with the given arguments and standard streams, and collects what it wrote.
ProcessResult run_process(const std::string& program, const std::vector<std::string>& arguments,
                          const ProcessSetup& setup = {});
