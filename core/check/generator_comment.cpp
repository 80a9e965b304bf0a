// SPDX-License-Identifier: MIT
#include "generator_comment.h"

#include "digit_run.h"
#include "text_bytes.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace qxrfanuc {

namespace {

// Reads one form from the front of a text, part by part, remembering how far it got.
class FormReader {
public:
    FormReader(std::string_view text, std::size_t at) : text_(text), at_(at) {}

    bool literal(std::string_view expected) {
        const std::string_view rest = text_.substr(at_);
        if (rest.starts_with(expected)) {
            at_ += expected.size();
            return true;
        }
        const auto [differs, unused] = std::ranges::mismatch(rest, expected);
        reached_ = std::max(reached_, at_ + static_cast<std::size_t>(differs - rest.begin()));
        return false;
    }

    // An optional minus and at least one digit.
    std::optional<WrittenNumber> number() {
        std::size_t end = at_ + (text_.substr(at_).starts_with('-') ? 1 : 0);
        while (end < text_.size() && is_ascii_digit(text_[end])) {
            ++end;
        }
        const auto written = text_.substr(at_, end - at_);
        const auto value = number_value(written);
        if (!value) {
            reached_ = std::max(reached_, at_);
            return std::nullopt;
        }
        at_ = end;
        return WrittenNumber{*value, written};
    }

    [[nodiscard]] std::size_t at() const { return at_; }
    [[nodiscard]] std::size_t reached() const { return std::max(reached_, at_); }

private:
    std::string_view text_;
    std::size_t at_;
    std::size_t reached_ = 0;
};

// TYPE F, as the generator writes it for the type.
bool read_type_and_fanuc(FormReader& reader, RegisterType type, GeneratorComment& form) {
    using namespace statement_text;
    const auto fanuc = reader.literal(names_of(type).text) && reader.literal(type_and_register)
                           ? reader.number()
                           : std::nullopt;
    form.type = type;
    form.fanuc = fanuc.value_or(WrittenNumber{});
    return fanuc.has_value();
}

bool read_form(FormReader& reader, bool read_wording, RegisterType type, GeneratorComment& form) {
    using namespace statement_text;
    form.read_wording = read_wording;
    if (read_wording) {
        if (!reader.literal(from_fanuc) || !read_type_and_fanuc(reader, type, form) ||
            !reader.literal(into_qxr)) {
            return false;
        }
        const auto qxr = reader.number();
        form.qxr = qxr.value_or(WrittenNumber{});
        return qxr && reader.literal(end);
    }
    if (!reader.literal(from_qxr)) {
        return false;
    }
    const auto qxr = reader.number();
    form.qxr = qxr.value_or(WrittenNumber{});
    return qxr && reader.literal(into_fanuc) && read_type_and_fanuc(reader, type, form) &&
           reader.literal(end);
}

} // namespace

std::expected<GeneratorComment, std::size_t> read_generator_comment(std::string_view comment) {
    std::size_t start = 0;
    while (start < comment.size() && is_script_blank(comment[start])) {
        ++start;
    }
    std::size_t reached = 0;
    for (const bool read_wording : {true, false}) {
        for (const auto& names : register_types) {
            FormReader reader(comment, start);
            GeneratorComment form;
            if (read_form(reader, read_wording, names.type, form)) {
                form.form_start = start;
                form.form_end = reader.at();
                return form;
            }
            reached = std::max(reached, reader.reached());
        }
    }
    return std::unexpected(reached);
}

bool mentions_register(std::string_view comment) {
    std::string folded;
    for (const char c : comment) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            folded += ascii_lower(c);
        }
    }
    const bool digit = std::ranges::any_of(folded, is_ascii_digit);
    const bool word = std::ranges::any_of(std::array<std::string_view, 3>{"register", "fanuc", "qxr"},
                                          [&](std::string_view w) { return folded.contains(w); });
    return digit && word;
}

} // namespace qxrfanuc
