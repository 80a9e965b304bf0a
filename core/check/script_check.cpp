// SPDX-License-Identifier: MIT
#include "script_check.h"

#include "comment_fix.h"
#include "digit_run.h"
#include "generator_comment.h"
#include "script_text.h"
#include "statement_decoder.h"
#include "statement_findings.h"
#include "text_bytes.h"

#include <algorithm>

namespace qxrfanuc {

namespace {

// The shortest statement that decodes to inputs, "mb.Read(0,4,2,1000)", is 19 bytes long.
static_assert(script_size_limit / 19 < TransferChecks::most_held);

// What a statement's comments hold, read once before they are reported.
struct CommentsRead {
    std::optional<GeneratorComment> first_form; // the first in the generator's form
    std::string_view label;                     // the words after that form's final period
    bool any_lie = false;                       // a form that disagrees
    bool any_own = false;                       // one of the script's own
};

class ScriptChecker {
public:
    ScriptChecker(std::string_view text, CommentFixing fixing, const CheckSinks& sinks)
        : text_(text), fixing_(fixing == CommentFixing::On), sinks_(sinks) {}

    void statement(const Statement& statement) {
        if (!statement.malformed_because.empty()) {
            report(statement, Check::Malformed,
                   "the generator never writes this: " + statement.malformed_because);
        }
        if (!statement.arguments) {
            if (!statement.unchecked_because.empty()) {
                report(statement, Check::Unchecked, "not checked: " + statement.unchecked_because);
            }
            sinks_.on_statement(statement, {});
            return;
        }
        if (auto outside = arguments_outside(*statement.arguments, statement.argument_texts)) {
            report(statement, Check::Argument, std::move(*outside));
            sinks_.on_statement(statement, {});
            return;
        }
        std::array<std::int16_t, 4> a{};
        std::ranges::transform(*statement.arguments, a.begin(),
                               [](std::int64_t argument) { return static_cast<std::int16_t>(argument); });
        sinks_.on_statement(statement, decoded(statement, a));
    }

    void loose_comment(const LooseComment& comment) {
        if (read_generator_comment(comment.text)) {
            not_compared(comment.line, comment.column,
                         "this comment is in the generator's form, but follows no statement on its line, so "
                         "it is not compared");
        }
    }

    void not_read(const NotRead& text) {
        unread_.hidden_lines += text.hidden_lines;
        unread_.open_strings += text.check == Check::OpenString ? 1 : 0;
        unread_.look_alikes += text.check == Check::LookAlike ? 1 : 0;
        unread_.hidden_texts += text.check == Check::HiddenText ? 1 : 0;
        sinks_.on_finding(Finding{text.check, text.line, text.column, text.why});
    }

    [[nodiscard]] const UnreadTotals& unread() const { return unread_; }

private:
    // The checks of a statement whose arguments are 16-bit integers; the inputs it decodes to.
    StatementMeaning decoded(const Statement& statement, const std::array<std::int16_t, 4>& a) {
        const auto decoding = decode_statement(a[0], a[1], a[2]);
        for (auto& [check, message] : argument_findings(a, decoding)) {
            report(statement, check, std::move(message));
        }
        const CommentsRead comments = read_comments(statement, a[0], decoding);
        const auto inputs = inputs_of(a, decoding, comments);
        if (inputs) {
            const Transfer transfer{*inputs, statement.is_write, statement.line};
            transfers_.check(transfer, [&](Check check, std::string message) {
                report(statement, check, std::move(message));
            });
            transfers_.add(transfer); // a script under the size limit holds fewer than most_held
        }
        if (fixing_ && inputs) {
            fix_notes(statement, decoding, comments, *inputs);
        }
        report_comments(statement, a[0], decoding, inputs);
        if (fixing_ && inputs && statement.ends_its_line) {
            sinks_.on_edit(added_comment(text_, statement, *inputs));
        }
        return {inputs, comments.label};
    }

    void report(const Statement& statement, Check check, std::string message) {
        sinks_.on_finding(Finding{check, statement.line, statement.column, std::move(message)});
    }

    void not_compared(std::size_t line, std::size_t column, const std::string& why) {
        ++unread_.comments_not_compared;
        const Check check = fixing_ ? Check::Unfixed : Check::CommentForm;
        sinks_.on_finding(Finding{check, line, column, fixing_ ? "--fix leaves it as it is: " + why : why});
    }

    CommentsRead read_comments(const Statement& statement, std::int16_t index,
                               const StatementDecoding& decoding) const {
        CommentsRead read;
        for_each_comment(text_, statement.comments_start, statement.comments_end, [&](const Token& token) {
            const std::string_view text = token.comment_text(text_);
            const auto form = read_generator_comment(text);
            if (form && !read.first_form) {
                read.first_form = *form;
                read.label = text.substr(form->form_end);
                read.label.remove_prefix(read.label.starts_with(' ') ? 1 : 0);
            }
            if (form) {
                read.any_lie =
                    read.any_lie || !disagreement(*form, statement.is_write, index, decoding).empty();
            } else {
                read.any_own = read.any_own || (!without_blanks(text).empty() && !mentions_register(text));
            }
        });
        return read;
    }

    // The inputs of a statement that decodes to them; the QXR register is its first form's when that halves
    // to the index, else twice the index, and the type the unnamed one where that form names none on the PR
    // grid, as the generator writes it for an empty type.
    static std::optional<DecodedInputs> inputs_of(const std::array<std::int16_t, 4>& a,
                                                  const StatementDecoding& decoding,
                                                  const CommentsRead& read) {
        if (!decoding.index_in_range || !decoding.grid || !decoding.fanuc || !decoding.items) {
            return std::nullopt;
        }
        const auto& form = read.first_form;
        const std::int64_t named = form ? form->qxr.value : int16_max + 1;
        const bool from_comment =
            named >= int16_min && named <= int16_max && qxr_index(static_cast<std::int16_t>(named)) == a[0];
        const auto qxr = static_cast<std::int16_t>(from_comment ? named : 2 * std::int64_t{a[0]});
        RegisterType type = *decoding.grid;
        if (type == RegisterType::Position && form && form->type == RegisterType::Unnamed) {
            type = RegisterType::Unnamed;
        }
        return DecodedInputs{qxr, *decoding.fanuc, *decoding.items, type, from_comment};
    }

    void fix_notes(const Statement& statement, const StatementDecoding& decoding, const CommentsRead& read,
                   const DecodedInputs& inputs) {
        if (read.any_own && !read.first_form) {
            report(statement, Check::OwnComment,
                   "the script's own comment is kept, so the generator's is not written");
        }
        const auto registers = decoding.qxr_registers();
        if ((statement.ends_its_line || read.any_lie) && !inputs.qxr_from_comment && registers.size() > 1) {
            report(statement, Check::QxrChoice, qxr_choice(registers, inputs.qxr));
        }
    }

    void report_comments(const Statement& statement, std::int16_t index, const StatementDecoding& decoding,
                         const std::optional<DecodedInputs>& inputs) {
        for_each_comment(text_, statement.comments_start, statement.comments_end, [&](const Token& token) {
            const std::string_view text = token.comment_text(text_);
            const std::size_t column = statement.column_of(token.start);
            const auto form = read_generator_comment(text);
            if (form) {
                const std::string lie = disagreement(*form, statement.is_write, index, decoding);
                if (lie.empty()) {
                    return;
                }
                if (fixing_ && inputs) {
                    sinks_.on_finding(
                        {Check::Fixed, statement.line, column, "the comment is rewritten: " + lie});
                    sinks_.on_edit(rewritten_form(token.start + 2, *form, *inputs, statement.is_write));
                } else {
                    sinks_.on_finding(
                        {Check::Comment, statement.line, column, "the comment disagrees: " + lie});
                }
            } else if (mentions_register(text)) {
                not_compared(statement.line, column,
                             form_left(statement, token.start + 2, form.error(), inputs));
            }
        });
    }

    // Why a comment that mentions a register is not compared, with what the generator writes there.
    std::string form_left(const Statement& statement, std::size_t text_start, std::size_t reached,
                          const std::optional<DecodedInputs>& inputs) const {
        std::string why = "the comment mentions a register, but is not in the generator's form";
        if (reached >= generator_comment_start.size()) {
            why +=
                " (it leaves it at column " + std::to_string(statement.column_of(text_start + reached)) + ")";
        }
        why += ", so it is not compared; ";
        if (!inputs) {
            return why + "the statement decodes to no generator inputs";
        }
        return why + "the generator writes \"// " + generator_comment_for(*inputs, statement.is_write) + "\"";
    }

    std::string_view text_;
    bool fixing_;
    const CheckSinks& sinks_;
    TransferChecks transfers_;
    UnreadTotals unread_;
};

} // namespace

void EditedText::edit(const Edit& edit) {
    copy_to(edit.offset);
    sink_(edit.text);
    copied_ = edit.offset + edit.length;
    ++made_;
}

std::size_t EditedText::finish() {
    copy_to(text_.size());
    return made_;
}

void EditedText::copy_to(std::size_t end) {
    constexpr std::size_t piece = std::size_t{1} << 16U;
    while (copied_ < end) {
        const std::size_t length = std::min(end - copied_, piece);
        sink_(text_.substr(copied_, length));
        copied_ += length;
    }
}

std::string counted(std::size_t count, std::string_view what) {
    return std::to_string(count) + " " + std::string(what) + (count == 1 ? "" : "s");
}

UnreadTotals check_script(std::string_view text, CommentFixing fixing, const CheckSinks& sinks) {
    ScriptChecker checker(text, fixing, sinks);
    scan_script(text, ScriptEvents{
                          [&](const Statement& statement) { checker.statement(statement); },
                          [&](const NotRead& not_read) { checker.not_read(not_read); },
                          [&](const LooseComment& comment) { checker.loose_comment(comment); },
                      });
    return checker.unread();
}

} // namespace qxrfanuc
