// SPDX-License-Identifier: MIT
#pragma once

// Every option of the command line: the one table that the parser, the usage lines and --help are written
// from. An option that takes an argument takes the next one, or what follows = in the same one
// (--from=100).

#include "enum_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qxrfanuc::cli {

enum class Option : std::uint8_t {
    Read,
    Write,
    Batch,
    Check,
    Plan,
    Map,
    From,
    Fix,
    FailOn,
    Select,
    Ignore,
    Color,
    Help,
    Version
};

// The modes an option may be given in, as bits.
enum OptionModes : std::uint8_t { in_single = 1, in_batch = 2, in_check = 4, in_plan = 8, in_any = 15 };

struct OptionInfo {
    Option option;
    std::string_view name;       // "--read"
    std::string_view short_form; // "-r", or empty
    std::uint8_t modes;
    std::string_view meaning;  // for --help
    std::string_view argument; // what it takes, "N", or empty for nothing
};

inline constexpr std::array<OptionInfo, 14> options{{
    {Option::Read, "--read", "-r", in_single | in_batch, "print only the read statement (mb.Read)", ""},
    {Option::Write, "--write", "-w", in_single | in_batch, "print only the write statement (mb.Write)", ""},
    {Option::Batch, "--batch", "", in_batch,
     "read records QXR,FANUC,ITEMS,TYPE, one a line, from standard input; empty lines and lines starting "
     "with # (of any length) are skipped, and so is a UTF-8 byte order mark at the very start; a record may "
     "be at most 4096 bytes long; a failed record is reported on standard error as \"line N: ...\" and the "
     "others go on",
     ""},
    {Option::Check, "--check", "", in_check,
     "read background scripts (each FILE, or standard input for - or no FILE) and report, one line each as "
     "FILE:LINE:COLUMN: SEVERITY: MESSAGE [CHECK], the mb.Read and mb.Write statements that the generator "
     "could not have written, comments that say something else, values outside the window's hints, writes "
     "that overlap, and text that is not read; a summary goes to standard error",
     ""},
    {Option::Plan, "--plan", "", in_plan,
     "read a plan (FILE, or standard input for - or no FILE): a CSV table whose header names its columns "
     "direction (read or write), type (R, PR or empty), fanuc, items, and optionally qxr (empty for the "
     "next free QXR register) and label; print a statement for each row, its label after the comment; "
     "refuse the plan (status 2, nothing printed) for a bad field or for rows that meet",
     ""},
    {Option::Map, "--map", "", in_check | in_plan,
     "with --check or --plan: print instead a CSV map of the statements (file, line, column, function, "
     "its four arguments, the generator's inputs QXR, FANUC, ITEMS, TYPE it decodes to, empty when it "
     "decodes to none, the first and last QXR and Fanuc register it covers and which registers those are, "
     "its direction and its label), which --plan reads back",
     ""},
    {Option::From, "--from", "", in_plan,
     "with --plan: place rows without a QXR register at or after QXR register N (default 12)", "N"},
    {Option::Fix, "--fix", "", in_check,
     "with --check and one FILE: print the script with the generator's own comment where a statement that "
     "ends its line has none, and the generator's form in place of a form that says something else (its "
     "words after the final period kept); every other byte stays as it is, and a comment that mentions a "
     "register in another form is left and reported (unfixed); each rewrite is reported with what it "
     "changed (fixed); the FILE is never written; findings and summary go to standard error",
     ""},
    {Option::FailOn, "--fail-on", "", in_check,
     "with --check: exit with 3 when a finding of SEVERITY or a graver one was found: error (the "
     "default), warning or note",
     "SEVERITY"},
    {Option::Select, "--select", "", in_check,
     "with --check: show only the findings of these checks (names separated by commas; given again, "
     "more of them)",
     "CHECKS"},
    {Option::Ignore, "--ignore", "", in_check,
     "with --check: leave out the findings of these checks; a finding is also left out where a // "
     "comment on its line says qxr-check: ignore CHECKS; each one left out is counted as silenced",
     "CHECKS"},
    {Option::Color, "--color", "", in_check,
     "with --check: colour the severities of the findings: auto (the default: on a terminal, unless "
     "NO_COLOR is set), always or never; never in a map or with --fix",
     "WHEN"},
    {Option::Help, "--help", "-h", in_any, "print this help (it wins over --version)", ""},
    {Option::Version, "--version", "-V", in_any, "print the version", ""},
}};

[[nodiscard]] constexpr const OptionInfo& option_info(Option option) {
    return options.at(static_cast<std::size_t>(option));
}

static_assert(rows_in_enum_order(options, &OptionInfo::option));

} // namespace qxrfanuc::cli
