// SPDX-License-Identifier: MIT
#include "script_reader.h"

#include <algorithm>

namespace qxrfanuc {

namespace {

// Text with NUL bytes in most of its lines is not ASCII-compatible: UTF-16 without its byte order mark,
// UTF-32, or no text at all. Reading it byte by byte would find nothing and report nothing.
bool mostly_nul_lines(std::string_view sample) {
    std::size_t lines = 0;
    std::size_t with_nul = 0;
    while (!sample.empty()) {
        const auto end = std::min(sample.find('\n'), sample.size());
        const auto line = sample.substr(0, end);
        sample.remove_prefix(std::min(end + 1, sample.size()));
        if (!line.empty()) {
            ++lines;
            with_nul += line.find('\0') != std::string_view::npos ? 1 : 0;
        }
    }
    return with_nul > 0 && 2 * with_nul > lines;
}

} // namespace

ScriptEncoding detect_encoding(std::string_view sample) {
    if (sample.starts_with("\xFF\xFE")) {
        return ScriptEncoding::Utf16LittleEndian;
    }
    if (sample.starts_with("\xFE\xFF")) {
        return ScriptEncoding::Utf16BigEndian;
    }
    return mostly_nul_lines(sample) ? ScriptEncoding::Unreadable : ScriptEncoding::Bytes;
}

ScriptReader::ScriptReader(OnStatement on_statement, OnUnread on_unread, Reading reading)
    : scanner_([this, on_statement = std::move(on_statement)](
                   const ScannedStatement& statement) { on_statement(statement, checker_.check(statement)); },
               [this, on_unread = std::move(on_unread)](const UnreadText& text) {
                   if (text.open_comment) {
                       unread_.hidden_lines += text.open_comment->lines;
                       on_unread(text.open_comment->line, text.open_comment->column, unread_finding(text));
                   } else {
                       ++unread_.look_alikes;
                       on_unread(text.look_alike->line, text.look_alike->column, unread_finding(text));
                   }
               },
               reading) {}

void ScriptReader::feed(std::string_view bytes) {
    if (encoding_ == ScriptEncoding::Undecided) {
        const auto taken = std::min(bytes.size(), sample_size - sample_.size());
        sample_.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        if (sample_.size() < sample_size) {
            return;
        }
        decide();
    }
    decode(bytes);
}

void ScriptReader::finish() {
    if (encoding_ == ScriptEncoding::Undecided) {
        decide();
    }
    if (encoding_ == ScriptEncoding::Unreadable) {
        return;
    }
    if (odd_byte_ >= 0 || high_surrogate_ != 0) {
        code_point(0xFFFD); // a cut unit or a lone surrogate at the very end
    }
    scanner_.finish();
}

void ScriptReader::decide() {
    std::string sample;
    sample.swap(sample_);
    encoding_ = detect_encoding(sample);
    if (encoding_ == ScriptEncoding::Utf16LittleEndian || encoding_ == ScriptEncoding::Utf16BigEndian) {
        sample.erase(0, 2);
    }
    decode(sample);
}

std::optional<std::string> ScriptReader::unreadable_because() const {
    if (encoding_ != ScriptEncoding::Unreadable) {
        return std::nullopt;
    }
    return "its encoding cannot be read: it has NUL bytes in most lines (save it as UTF-8, or as UTF-16 with "
           "a byte order mark)";
}

void ScriptReader::decode(std::string_view bytes) {
    switch (encoding_) {
    case ScriptEncoding::Bytes:
        scanner_.feed(bytes);
        return;
    case ScriptEncoding::Utf16LittleEndian:
    case ScriptEncoding::Utf16BigEndian:
        break;
    case ScriptEncoding::Undecided:
    case ScriptEncoding::Unreadable:
        return;
    }
    const bool little = encoding_ == ScriptEncoding::Utf16LittleEndian;
    decoded_.clear();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (odd_byte_ < 0) {
            odd_byte_ = byte;
            continue;
        }
        const auto first = static_cast<unsigned>(odd_byte_);
        odd_byte_ = -1;
        utf16_unit(static_cast<char16_t>(little ? first | (byte << 8U) : (first << 8U) | byte));
    }
    scanner_.feed(decoded_);
}

void ScriptReader::utf16_unit(char16_t unit) {
    if (high_surrogate_ != 0) {
        const char16_t high = high_surrogate_;
        high_surrogate_ = 0;
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            code_point(0x10000 + ((char32_t{high} - 0xD800) << 10U) + (unit - 0xDC00));
            return;
        }
        code_point(0xFFFD);
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        high_surrogate_ = unit;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
        code_point(0xFFFD);
    } else {
        code_point(unit);
    }
}

// As UTF-8; a lone surrogate becomes U+FFFD, which no check looks at.
void ScriptReader::code_point(char32_t c) {
    if (c < 0x80) {
        decoded_ += static_cast<char>(c);
    } else if (c < 0x800) {
        decoded_ += static_cast<char>(0xC0 | (c >> 6U));
        decoded_ += static_cast<char>(0x80 | (c & 0x3FU));
    } else if (c < 0x10000) {
        decoded_ += static_cast<char>(0xE0 | (c >> 12U));
        decoded_ += static_cast<char>(0x80 | ((c >> 6U) & 0x3FU));
        decoded_ += static_cast<char>(0x80 | (c & 0x3FU));
    } else {
        decoded_ += static_cast<char>(0xF0 | (c >> 18U));
        decoded_ += static_cast<char>(0x80 | ((c >> 12U) & 0x3FU));
        decoded_ += static_cast<char>(0x80 | ((c >> 6U) & 0x3FU));
        decoded_ += static_cast<char>(0x80 | (c & 0x3FU));
    }
}

} // namespace qxrfanuc
