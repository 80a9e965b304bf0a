// SPDX-License-Identifier: MIT
#pragma once

// Every check the script checker makes, in the order its findings are reported for one place: the one table
// that the checker, --help and the manual page are written from.

#include "enum_table.h"
#include "int16.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qxrfanuc {

enum class Severity : std::uint8_t { Error, Warning, Note };

[[nodiscard]] constexpr std::string_view severity_name(Severity severity) {
    constexpr std::array<std::string_view, 3> names{"error", "warning", "note"};
    return names.at(static_cast<std::size_t>(severity));
}

enum class Check : std::uint8_t {
    OpenComment,
    OpenString,
    LookAlike,
    HiddenText,
    Malformed,
    Unchecked,
    Argument,
    Index,
    Address,
    Words,
    LastArgument,
    Range,
    QxrOdd,
    Overlap,
    QxrOverlap,
    OwnComment,
    QxrChoice,
    Comment,
    Fixed,
    CommentForm,
    Unfixed,
};

struct CheckInfo {
    Check check;
    std::string_view name; // as findings end: "[index]"
    Severity severity;
    std::string_view meaning; // for --help and the manual page
    bool fix_only = false;    // given by --fix alone
};

inline constexpr std::array<CheckInfo, 21> checks{{
    {Check::OpenComment, "open-comment", Severity::Warning,
     "a /* is never closed, so the rest of the script is not read"},
    {Check::OpenString, "open-string", Severity::Warning,
     "a string is never closed on its line, so the rest of the line is not read"},
    {Check::LookAlike, "look-alike", Severity::Warning,
     "mb . NAME ( that is not exactly mb.Read( or mb.Write(, where NAME is read or write, or one letter "
     "edit from one, once blanks, comments, line breaks and invisible characters are left out and letter "
     "case folded (any other non-ASCII character may stand for any letter): it may run, but is not read"},
    {Check::HiddenText, "hidden-text", Severity::Warning,
     "inside a // comment, text holding mb. after a character that some languages end a line at (NEL, "
     "LS, PS, VT, FF): it may run, but is read as part of the comment"},
    {Check::Malformed, "malformed", Severity::Error,
     "a statement the generator never writes: not four arguments, an empty one, two numbers with no comma "
     "between them, no ) on its line, or no ; after its )"},
    {Check::Unchecked, "unchecked", Severity::Note,
     "a statement with an argument that is a name or an expression, which is not checked further"},
    {Check::Argument, "argument", Severity::Error, "an argument outside -32768 to 32767"},
    {Check::Index, "index", Severity::Error, "no 16-bit QXR register halves to the first argument"},
    {Check::Address, "address", Severity::Error,
     "a Fanuc address on neither rule's grid, or one the generator's arithmetic cannot reach"},
    {Check::Words, "words", Severity::Error, "a word count that is not a whole number of the rule's items"},
    {Check::LastArgument, "last-argument", Severity::Warning, "a last argument other than 1000"},
    {Check::Range, "range", Severity::Warning,
     "values outside the window's hints; an item count of zero or less transfers nothing"},
    {Check::QxrOdd, "qxr-odd", Severity::Note,
     "an odd QXR register: the index names the even one below it, from which the transfer fills or sends"},
    {Check::Overlap, "overlap", Severity::Warning,
     "a write whose Fanuc registers meet an earlier write's of the same type in the same script"},
    {Check::QxrOverlap, "qxr-overlap", Severity::Warning,
     "a read whose QXR registers meet an earlier read's (the later overwrites them) or a write's (which "
     "sends what the read fills), or a write whose QXR registers meet an earlier read's"},
    {Check::OwnComment, "own-comment", Severity::Note,
     "the statement has comments of the script's own, so the generator's is not written", true},
    {Check::QxrChoice, "qxr-choice", Severity::Note,
     "two QXR registers halve to the index and no comment named one; the even one is written", true},
    {Check::Comment, "comment", Severity::Error,
     "a comment in the generator's form that says something else than its statement"},
    {Check::Fixed, "fixed", Severity::Note,
     "a comment in the generator's form that said something else is rewritten; the note says what changed",
     true},
    {Check::CommentForm, "comment-form", Severity::Warning,
     "a comment after a statement that mentions a register (a digit and the word register, fanuc or qxr, "
     "in any letter case, once non-ASCII and control characters are left out) but is not in the "
     "generator's form, or one in the form that follows no statement: it is not compared"},
    {Check::Unfixed, "unfixed", Severity::Warning,
     "what comment-form reports, left as it stands: the comment, and the statement it follows", true},
}};

static_assert(checks.at(static_cast<std::size_t>(Check::Argument)).meaning.ends_with(int16_range_text));

[[nodiscard]] constexpr const CheckInfo& check_info(Check check) {
    return checks.at(static_cast<std::size_t>(check));
}

static_assert(rows_in_enum_order(checks, &CheckInfo::check));

} // namespace qxrfanuc
