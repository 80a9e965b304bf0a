// SPDX-License-Identifier: MIT
#include "generator_comment.h"

#include "digit_run.h"
#include "statement_text.h"
#include "text_bytes.h"

#include <algorithm>

namespace qxrfanuc {

namespace {

// Takes an optional minus and at least one digit from the front of text.
std::optional<WrittenNumber> take_number_front(std::string_view& text) {
    std::size_t end = text.starts_with('-') ? 1 : 0;
    while (end < text.size() && is_ascii_digit(text[end])) {
        ++end;
    }
    const auto written = text.substr(0, end);
    const auto value = number_value(written);
    if (!value) {
        return std::nullopt;
    }
    text.remove_prefix(end);
    return WrittenNumber{*value, written};
}

// Takes at least one digit and an optional minus from the back of text.
std::optional<WrittenNumber> take_number_back(std::string_view& text) {
    std::size_t start = text.size();
    while (start > 0 && is_ascii_digit(text[start - 1])) {
        --start;
    }
    start -= start > 0 && start < text.size() && text[start - 1] == '-' ? 1 : 0;
    const auto written = text.substr(start);
    const auto value = number_value(written);
    if (!value) {
        return std::nullopt;
    }
    text.remove_suffix(written.size());
    return WrittenNumber{*value, written};
}

bool take_front(std::string_view& text, std::string_view expected) {
    if (!text.starts_with(expected)) {
        return false;
    }
    text.remove_prefix(expected.size());
    return true;
}

bool take_back(std::string_view& text, std::string_view expected) {
    if (!text.ends_with(expected)) {
        return false;
    }
    text.remove_suffix(expected.size());
    return true;
}

// The type between "Fanuc " and " F" never starts or ends with a blank: one there is a blank doubled.
bool type_in_form(const GeneratorComment& parsed) {
    return parsed.type_text.empty() ||
           (!is_script_blank(parsed.type_text.front()) && !is_script_blank(parsed.type_text.back()));
}

// The first complete form read from the front of a text kept whole, and what follows it: a comment that
// holds the wording twice is read as its first form, not as one form around a nonsense type.
struct FirstForm {
    GeneratorComment parsed;
    std::string_view rest;
};

// " F, and Store in QXR Register D." or " F." at the front of after_type, F and D numbers.
std::optional<FirstForm> read_form_from(std::string_view text, std::size_t type_start, bool read_wording,
                                        WrittenNumber qxr) {
    using namespace statement_text;
    const std::string_view marker = read_wording ? into_qxr : end;
    for (std::size_t at = text.find(marker, type_start); at != std::string_view::npos;
         at = text.find(marker, at + 1)) {
        std::string_view before = text.substr(type_start, at - type_start);
        const auto fanuc = take_number_back(before);
        if (!fanuc || !take_back(before, type_and_register)) {
            continue;
        }
        std::string_view after = text.substr(at + marker.size());
        GeneratorComment parsed;
        parsed.read_wording = read_wording;
        parsed.fanuc = *fanuc;
        parsed.qxr = qxr;
        if (read_wording) {
            const auto number = take_number_front(after);
            if (!number || !take_front(after, end)) {
                continue;
            }
            parsed.qxr = *number;
        }
        parsed.type_text = before;
        parsed.general_type = parsed.type_text == general_register_type;
        return FirstForm{parsed, after};
    }
    return std::nullopt;
}

std::optional<FirstForm> first_form(std::string_view text) {
    using namespace statement_text;
    std::string_view front = text;
    if (take_front(front, from_fanuc)) {
        return read_form_from(text, text.size() - front.size(), true, {});
    }
    if (!take_front(front, from_qxr)) {
        return std::nullopt;
    }
    const auto qxr = take_number_front(front);
    if (!qxr || !take_front(front, into_fanuc)) {
        return std::nullopt;
    }
    return read_form_from(text, text.size() - front.size(), false, *qxr);
}

// Where a text that begins like the generator's comment, but is not in its form, first leaves the form.
std::string form_break(std::string_view text) {
    using namespace statement_text;
    std::string_view front = text;
    std::string_view back = text;
    const bool read_wording = take_front(front, from_fanuc);
    if (!read_wording) {
        if (!take_front(front, from_qxr)) {
            return "\"Read Value From\" is not followed by \"Fanuc \" or \"QXR Register \"";
        }
        if (!take_number_front(front)) {
            return "no QXR register number follows \"QXR Register \"";
        }
        if (!take_front(front, into_fanuc)) {
            return front.starts_with(into_fanuc.substr(1)) ? "no comma stands before \"and Store in Fanuc\""
                                                           : "the QXR register number is not followed by \", "
                                                             "and Store in Fanuc \"";
        }
    }
    if (!take_back(back, end)) {
        return back.find('.') != std::string_view::npos ? "text follows the final period"
                                                        : "it does not end with a period";
    }
    if (read_wording) {
        if (!take_number_back(back)) {
            return "no QXR register number stands before the final period";
        }
        if (!take_back(back, into_qxr)) {
            return back.ends_with(into_qxr.substr(1)) ? "no comma stands before \"and Store in QXR Register\""
                                                      : "the QXR register number is not preceded by \", and "
                                                        "Store in QXR Register \"";
        }
    }
    if (!take_number_back(back)) {
        return read_wording ? "no Fanuc register number stands before \", and Store in QXR Register \""
                            : "no Fanuc register number stands before the final period";
    }
    if (!take_back(back, type_and_register)) {
        return "no blank stands between the type and the Fanuc register number";
    }
    if (first_form(text)) {
        return "a blank is doubled around the type";
    }
    return "its parts overlap";
}

std::string in_small_letters(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(), ascii_lower);
    return out;
}

// The text's ASCII letters and digits, in small letters: the wording however it is dressed.
std::string folded(std::string_view text) {
    std::string out = in_small_letters(text);
    std::erase_if(out, [](char c) { return (c < 'a' || c > 'z') && !is_ascii_digit(c); });
    return out;
}

// How a comment that holds the generator's wording, from start of its folded letters on, dresses it.
std::string_view dressing(std::string_view text, std::size_t start) {
    if (std::ranges::any_of(text, [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
        return "invisible or other non-ASCII characters stand in or before it";
    }
    if (in_small_letters(text).starts_with(in_small_letters(generator_comment_start))) {
        return "it is in other letter case";
    }
    return start > 0 ? "other words stand before it" : "its words are spaced otherwise";
}

} // namespace

bool holds_generator_wording(std::string_view comment) {
    return comment.find(generator_comment_start) != std::string_view::npos ||
           folded(comment).find(folded(generator_comment_start)) != std::string::npos;
}

std::optional<std::string> hidden_generator_wording(std::string_view comment) {
    const std::string_view text = without_blanks(comment);
    const std::string letters = folded(text);
    const std::size_t start = letters.find(folded(generator_comment_start));
    if (text.starts_with(generator_comment_start) || start == std::string::npos ||
        (letters.find("fanuc", start) == std::string::npos &&
         letters.find("qxrregister", start) == std::string::npos)) {
        return std::nullopt;
    }
    return "the comment is not compared: it holds the generator's wording, but " +
           std::string(dressing(text, start));
}

std::optional<GeneratorComment> parse_generator_comment(std::string_view comment) {
    const std::string_view text = without_blanks(comment);
    const auto first = first_form(text);
    if (!first || !type_in_form(first->parsed)) {
        return std::nullopt;
    }
    GeneratorComment parsed = first->parsed;
    parsed.words_after = first->rest;
    return parsed;
}

std::optional<std::int64_t> named_qxr_register(std::string_view comment) {
    constexpr std::string_view qxr_register = "QXR Register ";
    const std::size_t at = comment.find(qxr_register);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = comment.substr(at + qxr_register.size());
    const auto number = take_number_front(rest);
    return number ? std::optional(number->value) : std::nullopt;
}

std::optional<std::string> generator_form_break(std::string_view comment) {
    const std::string_view text = without_blanks(comment);
    if (!text.starts_with(generator_comment_start) || parse_generator_comment(text)) {
        return std::nullopt;
    }
    return form_break(text);
}

} // namespace qxrfanuc
