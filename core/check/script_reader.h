// SPDX-License-Identifier: MIT
#pragma once

// Checks one script from blocks of bytes as they are read, for the command line and the fuzzer alike: takes
// UTF-8 (or ASCII) and UTF-16 with a byte order mark, refuses text whose encoding it cannot read, finds the
// statements and checks each, and counts what was not read. Memory does not grow with the script.

#include "script_check.h"
#include "script_scanner.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qxrfanuc {

enum class ScriptEncoding : std::uint8_t { Undecided, Bytes, Utf16LittleEndian, Utf16BigEndian, Unreadable };

// How much of a script was not read as statements.
struct UnreadTotals {
    std::size_t hidden_lines = 0; // behind a /* never closed
    std::size_t look_alikes = 0;
};

// The encoding of a script from its first bytes: the byte order mark's, else UTF-8 unless most lines hold
// NUL bytes; given the whole script, or at least its first ScriptReader::sample_size bytes.
[[nodiscard]] ScriptEncoding detect_encoding(std::string_view sample);

class ScriptReader {
public:
    using OnStatement = std::function<void(const ScannedStatement&, const StatementCheck&)>;
    using OnUnread = std::function<void(std::size_t line, std::size_t column, const Finding&)>;

    ScriptReader(OnStatement on_statement, OnUnread on_unread, Reading reading = Reading::InRuns);

    static constexpr std::size_t sample_size = 4096; // what the encoding is decided on

    void feed(std::string_view bytes);
    void finish();
    // For a caller that has decided on the encoding itself (detect_encoding): bytes are read from now on.
    void take_as_bytes() { encoding_ = ScriptEncoding::Bytes; }

    [[nodiscard]] ScriptEncoding encoding() const { return encoding_; }
    // Why the script cannot be read, once that is known.
    [[nodiscard]] std::optional<std::string> unreadable_because() const;
    [[nodiscard]] const UnreadTotals& unread() const { return unread_; }

private:
    void decide();
    void decode(std::string_view bytes);
    void utf16_unit(char16_t unit);
    void code_point(char32_t code_point);

    ScriptChecker checker_;
    ScriptScanner scanner_;
    ScriptEncoding encoding_ = ScriptEncoding::Undecided;
    std::string sample_;  // the first bytes, until the encoding is decided
    std::string decoded_; // UTF-16 turned into UTF-8, a block at a time
    int odd_byte_ = -1;   // the first byte of a UTF-16 unit cut between blocks
    char16_t high_surrogate_ = 0;
    UnreadTotals unread_;
};

} // namespace qxrfanuc
