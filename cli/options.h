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
    Format,
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
    std::string_view meaning;  // for --help: one line; the manual page says the rest
    std::string_view argument; // what it takes, "N", or empty for nothing
};

inline constexpr std::array<OptionInfo, 15> options{{
    {Option::Read, "--read", "-r", in_single | in_batch, "print only the read statement (mb.Read)", ""},
    {Option::Write, "--write", "-w", in_single | in_batch, "print only the write statement (mb.Write)", ""},
    {Option::Batch, "--batch", "", in_batch,
     "read records QXR,FANUC,ITEMS,TYPE, one a line, from standard input", ""},
    {Option::Check, "--check", "", in_check, "read scripts back: wrong statements, lying comments, overlaps",
     ""},
    {Option::Plan, "--plan", "", in_plan, "print the statements of a plan: a CSV table of transfers", ""},
    {Option::Map, "--map", "", in_check | in_plan,
     "with --check or --plan: print a CSV map of the statements", ""},
    {Option::From, "--from", "", in_plan, "with --plan: place rows at or after QXR register N (default 12)",
     "N"},
    {Option::Fix, "--fix", "", in_check, "with --check and one FILE: print the script, its comments fixed",
     ""},
    {Option::FailOn, "--fail-on", "", in_check,
     "with --check: exit with 3 on error (default), warning or note", "SEVERITY"},
    {Option::Select, "--select", "", in_check, "with --check: show only these checks (a,b,...)", "CHECKS"},
    {Option::Ignore, "--ignore", "", in_check,
     "with --check: leave these out (also // qxr-check: ignore a,b)", "CHECKS"},
    {Option::Color, "--color", "", in_check, "with --check: auto (a terminal, no NO_COLOR), always or never",
     "WHEN"},
    {Option::Format, "--format", "", in_check, "with --check: the findings as text (default), json or sarif",
     "FORMAT"},
    {Option::Help, "--help", "-h", in_any, "print this help (it wins over --version)", ""},
    {Option::Version, "--version", "-V", in_any, "print the version", ""},
}};

[[nodiscard]] constexpr const OptionInfo& option_info(Option option) {
    return options.at(static_cast<std::size_t>(option));
}

static_assert(rows_in_enum_order(options, &OptionInfo::option));

} // namespace qxrfanuc::cli
