#pragma once

#include <string>
#include <vector>

struct ProcessResult {
    int exit_status = -1;
    std::string out;
    std::string err;
};

// Runs the program to completion with the given arguments and standard input, and collects what it wrote.
ProcessResult run_process(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& input = {});
