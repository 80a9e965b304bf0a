// SPDX-License-Identifier: MIT
#include "batch.h"
#include "buffered_output.h"
#include "check_command.h"
#include "command_line.h"
#include "exit_status.h"
#include "file_names.h"
#include "generated_transfers.h"
#include "help.h"
#include "messages.h"
#include "plan_command.h"
#include "version.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif
#include <cstdlib>

namespace {

using namespace qxrfanuc;
using namespace qxrfanuc::cli;

int run_single(const Command& command, BufferedOutput& out, BufferedOutput& err) {
    const auto statements = generate_script_strings(command.inputs.qxr, command.inputs.fanuc,
                                                    command.inputs.items, command.register_type);
    if (!statements) {
        err.pending() += message(describe_error(statements.error(), command.inputs));
        return exit_status_of(statements.error());
    }
    append_statements(out.pending(), *statements, command.choice);
    GeneratedTransfers(command.choice)
        .check(generated_inputs(command.inputs.qxr, command.inputs.fanuc, command.inputs.items,
                                command.register_type),
               0, std::string(program_name) + ": ", err);
    return exit_success;
}

// Whether the findings on standard output get coloured severities: only findings as text, and with auto only
// on a terminal and without NO_COLOR (set and not empty). A Windows console may not read the colour
// sequences, so there only always colours.
bool colors_findings(ColorChoice choice, const CheckSettings& settings) {
    if (choice == ColorChoice::Never || settings.output != CheckOutput::Findings ||
        settings.format != FindingFormat::Text) {
        return false;
    }
    if (choice == ColorChoice::Always) {
        return true;
    }
#ifdef _WIN32
    return false;
#else
    const char* no_color = std::getenv("NO_COLOR"); // NOLINT(concurrency-mt-unsafe): one thread
    return (no_color == nullptr || *no_color == '\0') && isatty(fileno(stdout)) != 0;
#endif
}

int run(const Command& command, BufferedOutput& out, BufferedOutput& err) {
    switch (command.mode) {
    case Mode::Help:
        out.pending() += help_text();
        return exit_success;
    case Mode::Version:
        out.pending() += std::string(program_name) + ' ' + QXR_FANUC_VERSION + '\n';
        return exit_success;
    case Mode::Batch:
        return run_batch(stdin, out, err, command.choice);
    case Mode::Check: {
        CheckSettings settings = command.check;
        settings.colored = colors_findings(command.color, settings);
        return run_check(command.files, settings, out, err);
    }
    case Mode::Plan:
        return run_plan(command.files.empty() ? "-" : command.files.front(), command.check.output,
                        command.plan_from, out, err);
    case Mode::Single:
        break;
    }
    return run_single(command, out, err);
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Every line ends in a bare line feed on every system, the messages' as well as the statements', and
    // a carriage return read is the record's to remove, not the runtime's.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    const std::vector<std::string> texts = program_arguments(argc, argv);
    const std::vector<std::string_view> arguments(texts.begin(), texts.end());
    BufferedOutput out(stdout);
    BufferedOutput err(stderr);

    const auto command = parse_command_line(arguments);
    if (!command) {
        err.pending() += message(command.error());
        err.pending() += "Try '" + std::string(program_name) + " --help' for more information.\n";
        return exit_usage;
    }
    int status = exit_success;
    try {
        status = run(*command, out, err);
    } catch (const std::bad_alloc&) {
        // Nothing more can be allocated: the message goes out as it stands, and what was found is lost.
        std::fwrite(program_name.data(), 1, program_name.size(), stderr);
        std::fputs(": out of memory\n", stderr);
        return exit_io_failure;
    }
    if (!out.flush()) {
        err.pending() += message("cannot write to standard output");
        err.flush();
        return exit_io_failure;
    }
    // A report or a summary that could not be written is a failure too.
    return err.flush() ? status : exit_io_failure;
}
