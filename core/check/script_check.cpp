// SPDX-License-Identifier: MIT
#include "script_check.h"

#include "comment_fix.h"
#include "digit_run.h"
#include "display_text.h"
#include "generator_comment.h"
#include "range_hints.h"
#include "statement_decoder.h"
#include "write_overlaps.h"

#include <algorithm>

namespace qxrfanuc {

namespace {

// The last argument the generator writes, as a number: read from its text once, not written out for each
// statement to compare.
constexpr std::int64_t last_argument_value = *number_value(statement_text::last_argument);

// A type longer than this is shown by its start.
constexpr std::size_t shown_type_length = 40;

constexpr std::array<std::string_view, 4> argument_roles{"QXR index", "Fanuc address", "word count",
                                                         "last argument"};

std::string letters(RegisterType type) {
    return std::string(names_of(type).letters);
}

bool is_16_bit(std::int64_t value) {
    return value >= int16_min && value <= int16_max;
}

// Its value, or for one with more digits than any 16-bit number the script's own digits, which say so.
std::string number(const WrittenNumber& number) {
    if (!is_huge(number.value)) {
        return std::to_string(number.value);
    }
    return number_as_written(number.text) + " (more digits than any 16-bit number has)";
}

std::string range_text(RangeHint hint) {
    return std::to_string(hint.low) + " to " + std::to_string(hint.high);
}

bool outside(std::int64_t value, RangeHint hint) {
    return value < hint.low || value > hint.high;
}

// "multiples of 4" for the R rule, "1001 + 12k" for the PR rule: read off the rule itself.
std::string grid_text(RegisterType type) {
    const MappingRule& rule = mapping_rule(type);
    if (rule.address_offset % rule.address_step == 0) {
        return "multiples of " + std::to_string(rule.address_step);
    }
    return std::to_string(rule.address_offset) + " + " + std::to_string(rule.address_step) + "k";
}

std::string join(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& part : parts) {
        out += out.empty() ? part : "; " + part;
    }
    return out;
}

std::optional<Finding> argument_finding(const std::array<std::int64_t, 4>& arguments,
                                        const std::array<std::string_view, 4>& texts) {
    std::vector<std::string> parts;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (!is_16_bit(arguments.at(i))) {
            parts.push_back("argument " + std::to_string(i + 1) + " (" + std::string(argument_roles.at(i)) +
                            ") " + number({arguments.at(i), texts.at(i)}) + " is outside " +
                            std::string(int16_range_text));
        }
    }
    if (parts.empty()) {
        return std::nullopt;
    }
    return Finding{Check::Argument, join(parts)};
}

void check_arguments(std::vector<Finding>& findings, const std::array<std::int16_t, 4>& a,
                     const StatementDecoding& decoding) {
    const std::int16_t index = a[0];
    const std::int16_t address = a[1];
    const std::int16_t words = a[2];
    if (!decoding.index_in_range) {
        findings.push_back({Check::Index, "QXR index " + std::to_string(index) + " is outside " +
                                              range_text({min_qxr_index, max_qxr_index}) +
                                              ": no 16-bit QXR register halves to it"});
    }
    using enum RegisterType;
    if (!decoding.grid) {
        findings.push_back({Check::Address, "Fanuc address " + std::to_string(address) +
                                                " is on neither the " + letters(General) + " grid (" +
                                                grid_text(General) + ") nor the " + letters(Position) +
                                                " grid (" + grid_text(Position) + ")"});
    } else if (!decoding.fanuc) {
        findings.push_back(
            {Check::Address,
             "Fanuc address " + std::to_string(address) + " is on the " + letters(*decoding.grid) +
                 " grid, but the generator cannot write it: " + "register " + letters(*decoding.grid) + " " +
                 std::to_string(decoding.grid_register) + " overflows its 16-bit arithmetic"});
    }
    if (decoding.grid && !decoding.items) {
        findings.push_back(
            {Check::Words, "word count " + std::to_string(words) + " is not a whole number of " +
                               letters(*decoding.grid) + " items (" +
                               std::to_string(mapping_rule(*decoding.grid).words_per_item) + " words each)"});
    }
    if (a[3] != last_argument_value) {
        findings.push_back({Check::LastArgument, "last argument is " + std::to_string(a[3]) +
                                                     "; the generator always writes " +
                                                     std::string(statement_text::last_argument)});
    }
}

// The comment's disagreements with the statement, as far as the statement tells: its wording always, its type
// when the address lies on a grid, its Fanuc register when the address is one the generator writes, and its
// QXR register always. None when it agrees.
std::vector<std::string> disagreements(const GeneratorComment& comment, bool is_write, std::int16_t index,
                                       const StatementDecoding& decoding) {
    std::vector<std::string> found;
    if (comment.read_wording == is_write) {
        found.push_back("it is worded as " +
                        std::string(is_write ? statement_text::read_name : statement_text::write_name) +
                        "'s");
    }
    const RegisterType comment_grid = comment.general_type ? RegisterType::General : RegisterType::Position;
    if (decoding.grid && *decoding.grid != comment_grid) {
        const std::string shown = display_escaped(comment.type_text.substr(0, shown_type_length)) +
                                  (comment.type_text.size() > shown_type_length ? "..." : "");
        // A type that is not the PR type's own text takes the PR rule too, which the message says why.
        const bool plain = comment.general_type || comment.type_text == position_register_type;
        found.push_back("its type \"" + shown + "\" takes the " + letters(comment_grid) + " rule" +
                        (plain ? std::string()
                               : " (only the exact text \"" + std::string(general_register_type) +
                                     "\" selects the R rule)") +
                        ", but the address is on the " + letters(*decoding.grid) + " grid");
    }
    if (decoding.grid && decoding.fanuc && comment.fanuc.value != *decoding.fanuc) {
        found.push_back("it names Fanuc register " + number(comment.fanuc) +
                        ", but the address is register " + letters(*decoding.grid) + " " +
                        std::to_string(*decoding.fanuc));
    }
    if (!is_16_bit(comment.qxr.value)) {
        found.push_back("it names QXR register " + number(comment.qxr) + ", which is no 16-bit number (" +
                        std::string(int16_range_text) + ")");
    } else if (qxr_index(static_cast<std::int16_t>(comment.qxr.value)) != index) {
        found.push_back("it names QXR register " + number(comment.qxr) +
                        ", whose half is not the QXR index " + std::to_string(index));
    }
    return found;
}

std::optional<Finding> range_finding(const DecodedInputs& inputs) {
    std::vector<std::string> parts;
    if (outside(inputs.qxr, qxr_register_hint)) {
        parts.push_back("QXR register " + std::to_string(inputs.qxr) + " is outside " +
                        range_text(qxr_register_hint));
    }
    const bool general = inputs.type == RegisterType::General;
    const RegisterType grid = general ? RegisterType::General : RegisterType::Position;
    const RangeHint fanuc_hint = general ? general_fanuc_hint : position_fanuc_hint;
    if (outside(inputs.fanuc, fanuc_hint)) {
        parts.push_back("Fanuc register " + letters(grid) + " " + std::to_string(inputs.fanuc) +
                        " is outside " + range_text(fanuc_hint));
    }
    const RangeHint items_hint = general ? general_items_hint : position_items_hint;
    if (inputs.items <= 0) {
        parts.push_back("item count " + std::to_string(inputs.items) + " transfers nothing");
    } else if (outside(inputs.items, items_hint)) {
        parts.push_back("item count " + std::to_string(inputs.items) + " is outside " +
                        range_text(items_hint));
    }
    if (parts.empty()) {
        return std::nullopt;
    }
    return Finding{Check::Range, join(parts)};
}

std::string range_of(const WrittenRange& range) {
    return "[" + std::to_string(range.first) + ", " + std::to_string(range.end) + ")";
}

Finding overlap_finding(const WrittenRange& range, const Overlap& overlap) {
    return {Check::Overlap, "writes Fanuc addresses " + range_of(range) + ", which overlap " +
                                range_of(overlap.latest) + " written at line " +
                                std::to_string(overlap.latest.line) + " (" +
                                counted(overlap.count, "earlier write") +
                                (overlap.count == 1 ? " overlaps" : " overlap") + " in all)"};
}

// The register type a statement's inputs have: the grid's, and the unnamed one where the comment names
// no type on the PR grid, as the generator writes it for an empty type.
RegisterType register_type(const StatementDecoding& decoding,
                           const std::optional<GeneratorComment>& comment) {
    if (decoding.grid == RegisterType::General) {
        return RegisterType::General;
    }
    return comment && comment->type_text.empty() ? RegisterType::Unnamed : RegisterType::Position;
}

// The comment's findings, compared as far as the statement tells; whether it agrees.
bool check_comment(std::vector<Finding>& findings, const Statement& statement,
                   const std::optional<GeneratorComment>& comment, std::int16_t index,
                   const StatementDecoding& decoding) {
    if (comment) {
        const auto found = disagreements(*comment, statement.is_write, index, decoding);
        if (!found.empty()) {
            findings.push_back({Check::Comment, "the comment disagrees: " + join(found)});
        }
        return found.empty();
    }
    if (statement.comment) {
        if (auto form_break = generator_form_break(*statement.comment)) {
            findings.push_back({Check::CommentForm, "the comment is not compared: it begins like the "
                                                    "generator's, but " +
                                                        *form_break});
        } else if (auto hidden = hidden_generator_wording(*statement.comment)) {
            findings.push_back({Check::CommentForm, std::move(*hidden)});
        }
    }
    return false;
}

// The inputs of a statement that decodes to them; the QXR register is the comment's when it halves to the
// index, else twice the index.
DecodedInputs inputs_of(std::int16_t index, std::int16_t fanuc, std::int16_t items,
                        const Statement& statement, const StatementDecoding& decoding,
                        const std::optional<GeneratorComment>& comment) {
    // A misshapen comment's QXR register counts too: --fix keeps it.
    std::optional<std::int64_t> named;
    if (comment) {
        named = comment->qxr.value;
    } else if (statement.comment) {
        named = named_qxr_register(*statement.comment);
    }
    const bool from_comment =
        named && is_16_bit(*named) && qxr_index(static_cast<std::int16_t>(*named)) == index;
    const auto qxr = static_cast<std::int16_t>(from_comment ? *named : 2 * std::int64_t{index});
    return {qxr, fanuc, items, register_type(decoding, comment), from_comment};
}

Finding unread_finding(const UnreadText& text) {
    if (text.check == Check::LookAlike) {
        return {Check::LookAlike, "not checked: " + text.why};
    }
    if (text.check == Check::HiddenText) {
        return {Check::HiddenText, "not read: " + text.why};
    }
    return {Check::OpenComment, "this /* is never closed: the " + counted(text.hidden_lines, "line") +
                                    " from here to the end of the script are not read"};
}

// Checks the statements of one script in turn.
class ScriptChecker {
public:
    explicit ScriptChecker(CommentFixing fixing) : fixing_(fixing) {}

    [[nodiscard]] StatementCheck check(const Statement& statement) {
        StatementCheck result;
        if (!statement.arguments) {
            result.findings.push_back({Check::Unchecked, "not checked: " + statement.unchecked_because});
            return result;
        }
        if (auto finding = argument_finding(*statement.arguments, statement.argument_texts)) {
            result.findings.push_back(std::move(*finding));
            return result;
        }
        std::array<std::int16_t, 4> a{};
        std::ranges::transform(*statement.arguments, a.begin(),
                               [](std::int64_t argument) { return static_cast<std::int16_t>(argument); });
        const auto decoding = decode_statement(a[0], a[1], a[2]);
        check_arguments(result.findings, a, decoding);
        const auto comment = statement.comment ? parse_generator_comment(*statement.comment) : std::nullopt;
        const bool agrees = check_comment(result.findings, statement, comment, a[0], decoding);
        if (decoding.index_in_range && decoding.fanuc && decoding.items) {
            result.comment_agrees = agrees;
            result.inputs = inputs_of(a[0], *decoding.fanuc, *decoding.items, statement, decoding, comment);
            if (auto finding = range_finding(*result.inputs)) {
                result.findings.push_back(std::move(*finding));
            }
        }
        if (statement.is_write && a[2] > 0) {
            const WrittenRange range{statement.line, a[1], std::int32_t{a[1]} + a[2]};
            if (const auto overlap = writes_.add(range)) {
                result.findings.push_back(overlap_finding(range, *overlap));
            }
        }
        if (fixing_ == CommentFixing::On) {
            fix_comment(statement, decoding, comment, result);
        }
        return result;
    }

private:
    CommentFixing fixing_;
    WriteOverlaps writes_;
};

} // namespace

std::string counted(std::size_t count, std::string_view what) {
    return std::to_string(count) + " " + std::string(what) + (count == 1 ? "" : "s");
}

std::string number_as_written(std::string_view text) {
    constexpr std::size_t shown = 20;
    if (text.size() <= shown + 4) {
        return std::string(text);
    }
    return std::string(text.substr(0, shown)) + "... (" + std::to_string(text.size()) + " characters)";
}

UnreadTotals check_script(std::string_view text, CommentFixing fixing, const OnChecked& on_checked,
                          const OnUnread& on_unread) {
    ScriptChecker checker(fixing);
    UnreadTotals unread;
    scan_script(
        text, [&](const Statement& statement) { on_checked(statement, checker.check(statement)); },
        [&](const UnreadText& text_not_read) {
            unread.hidden_lines += text_not_read.hidden_lines;
            unread.look_alikes += text_not_read.check == Check::LookAlike ? 1 : 0;
            unread.hidden_texts += text_not_read.check == Check::HiddenText ? 1 : 0;
            on_unread(text_not_read.line, text_not_read.column, unread_finding(text_not_read));
        });
    return unread;
}

} // namespace qxrfanuc
