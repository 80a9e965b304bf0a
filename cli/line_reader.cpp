// SPDX-License-Identifier: MIT
#include "line_reader.h"

#include "buffered_output.h"
#include "text_bytes.h"

#include <cerrno>
#include <string>
#include <vector>

namespace qxrfanuc::cli {

namespace {

// Joins the pieces of a line that runs across the end of a read block, keeping at most one byte more than
// the limit (room for a carriage return) and only counting the rest.
class PendingLine {
public:
    PendingLine() { kept_.reserve(max_line_bytes + 1); }

    [[nodiscard]] bool empty() const { return length_ == 0; }
    void append(std::string_view piece) {
        if (piece.empty()) {
            return;
        }
        const std::size_t room = kept_.size() < max_line_bytes + 1 ? max_line_bytes + 1 - kept_.size() : 0;
        kept_.append(piece.substr(0, room));
        length_ += piece.size();
        ends_with_cr_ = piece.back() == '\r';
    }
    // The line so far with piece appended, cut off at its line ending; then starts the next line.
    template <typename OnLine> void finish(std::string_view piece, const OnLine& on_line) {
        if (empty()) {
            on_line(line_of(piece, piece.size(), piece.ends_with('\r')));
            return;
        }
        append(piece);
        on_line(line_of(kept_, length_, ends_with_cr_));
        kept_.clear();
        length_ = 0;
        ends_with_cr_ = false;
    }

private:
    static Line line_of(std::string_view kept, std::size_t length, bool ends_with_cr) {
        const std::size_t record_length = ends_with_cr ? length - 1 : length;
        const char first = record_length > 0 ? kept.front() : '\0';
        if (record_length > max_line_bytes) {
            return {{}, record_length, first};
        }
        return {kept.substr(0, record_length), record_length, first};
    }

    std::string kept_;
    std::size_t length_ = 0;
    bool ends_with_cr_ = false;
};

} // namespace

int read_lines(std::FILE* input, const std::function<void(const Line&)>& on_line) {
    std::vector<char> block(io_block_size);
    PendingLine pending;
    bool at_start = true;
    std::size_t count = 0;
    // fread fills the block unless the input ends, so a byte order mark is never split across two reads.
    while ((count = std::fread(block.data(), 1, block.size(), input)) > 0) {
        std::string_view rest(block.data(), count);
        if (at_start && rest.starts_with(utf8_byte_order_mark)) {
            rest.remove_prefix(utf8_byte_order_mark.size());
        }
        at_start = false;
        for (auto newline = rest.find('\n'); newline != std::string_view::npos; newline = rest.find('\n')) {
            pending.finish(rest.substr(0, newline), on_line);
            rest.remove_prefix(newline + 1);
        }
        pending.append(rest);
    }
    if (!pending.empty()) {
        pending.finish({}, on_line);
    }
    return std::ferror(input) == 0 ? 0 : (errno != 0 ? errno : EIO);
}

} // namespace qxrfanuc::cli
