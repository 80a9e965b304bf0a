// SPDX-License-Identifier: MIT
#pragma once

// The findings of --check as one JSON or SARIF 2.1.0 document on standard output, written a finding at a
// time. Every string in it is valid UTF-8: the messages and file names as the text output shows them, the
// edits' texts (the generator's comments) as they are.

#include "buffered_output.h"
#include "check_totals.h"
#include "script_check.h"
#include "script_lines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qxrfanuc::cli {

enum class FindingFormat : std::uint8_t { Text, Json, Sarif };

// An edit of --fix: on one line, the bytes from column to end_column (not included) give way to the text.
struct PlacedEdit {
    TextPlace start;
    std::size_t end_column;
    std::size_t start_character; // the columns again, counted in characters
    std::size_t end_character;
    std::string_view text;
};

struct PlacedFinding {
    const Finding& finding;
    std::size_t character_column;
    const PlacedEdit* edit; // the edit that answers it, or none
};

class FindingDocument {
public:
    // Writes the document's start.
    FindingDocument(FindingFormat format, BufferedOutput& out);

    // The file of the findings that follow, as it was named.
    void start_file(std::string_view name);
    void add(const PlacedFinding& finding);
    // A file that could not be read, as it was named, and why; said at the document's end.
    void file_not_read(std::string_view name, std::string_view why);
    // Writes the document's end: the totals, and whether every file was read.
    void finish(const CheckTotals& totals);

private:
    void add_json(const PlacedFinding& placed, std::string& out) const;
    void add_sarif(const PlacedFinding& placed, std::string& out) const;
    void append_unread_files(std::string& out) const;
    void append_invocation(std::string& out) const;

    struct UnreadFile {
        std::string file; // as the text output shows it
        std::string uri;
        std::string why;
    };

    FindingFormat format_;
    BufferedOutput& out_;
    std::string file_; // as the text output shows it
    std::string uri_;
    bool first_ = true;
    std::vector<UnreadFile> unread_files_; // one at most for each file named
};

} // namespace qxrfanuc::cli
