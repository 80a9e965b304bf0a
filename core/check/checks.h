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
    LookAlike,
    HiddenText,
    Unchecked,
    Argument,
    Index,
    Address,
    Words,
    LastArgument,
    Comment,
    CommentForm,
    Range,
    Overlap,
    OwnComment,
    QxrChoice,
    Unfixed,
};

struct CheckInfo {
    Check check;
    std::string_view name; // as findings end: "[index]"
    Severity severity;
    std::string_view meaning; // for --help and the manual page
};

inline constexpr std::array<CheckInfo, 16> checks{{
    {Check::OpenComment, "open-comment", Severity::Warning,
     "a /* is never closed, so the rest of the script is not read"},
    {Check::LookAlike, "look-alike", Severity::Note,
     "text that may run as mb.Read( or mb.Write( is not read as one (other letter case, letters of another "
     "script that look the same, blanks, invisible characters or a comment in the name, a line break or a "
     "blank "
     "other than a space or tab before its parenthesis)"},
    {Check::HiddenText, "hidden-text", Severity::Warning,
     "text read as a comment that may run: after a // or /* that may stand inside a string, or after a "
     "character "
     "that some editors and languages take for a line end (NEL, LS, PS, VT, FF) inside a // comment"},
    {Check::Unchecked, "unchecked", Severity::Note,
     "a statement whose arguments are not four plain integers, or whose ) is on another line"},
    {Check::Argument, "argument", Severity::Error, "an argument outside -32768 to 32767"},
    {Check::Index, "index", Severity::Error, "no 16-bit QXR register halves to the first argument"},
    {Check::Address, "address", Severity::Error,
     "a Fanuc address on neither rule's grid, or one the generator's arithmetic cannot reach"},
    {Check::Words, "words", Severity::Error, "a word count that is not a whole number of the rule's items"},
    {Check::LastArgument, "last-argument", Severity::Warning, "a last argument other than 1000"},
    {Check::Comment, "comment", Severity::Error,
     "a comment in the generator's form that says something else than its statement"},
    {Check::CommentForm, "comment-form", Severity::Note,
     "a comment that holds the generator's wording but leaves its form, or dresses it otherwise (other "
     "letter "
     "case, invisible characters, words before it), so it is not compared"},
    {Check::Range, "range", Severity::Warning,
     "values outside the window's hints; an item count of zero or less transfers nothing"},
    {Check::Overlap, "overlap", Severity::Warning,
     "a write whose Fanuc addresses meet an earlier write's in the same script"},
    {Check::OwnComment, "own-comment", Severity::Note,
     "with --fix: a comment of the script's own is kept, so the generator's is not written"},
    {Check::QxrChoice, "qxr-choice", Severity::Note,
     "with --fix: two QXR registers halve to the index and no comment named one; the even one is written"},
    {Check::Unfixed, "unfixed", Severity::Warning,
     "with --fix: a comment that does not tell the truth is left as it is, since --fix cannot write the "
     "generator's there (a /* */ comment, code before it, or a statement that decodes to no inputs)"},
}};

static_assert(checks.at(static_cast<std::size_t>(Check::Argument)).meaning.ends_with(int16_range_text));

[[nodiscard]] constexpr const CheckInfo& check_info(Check check) {
    return checks.at(static_cast<std::size_t>(check));
}

static_assert(rows_in_enum_order(checks, &CheckInfo::check));

} // namespace qxrfanuc
