#pragma once

#include "int16.h"

#include <cstring>
#include <string>
#include <string_view>

namespace qxrfanuc {

// Writes a statement's pieces straight into one string whose size is fixed up front. Literal pieces are
// copied with their length known at compile time and numbers as one padded word, so building a statement
// costs one allocation and a few moves rather than a library call per piece.
class StatementWriter {
public:
    explicit StatementWriter(char* buffer) : cursor_(buffer), start_(buffer) {}

    template <std::size_t N> void put(const char (&literal)[N]) {
        std::memcpy(cursor_, literal, N - 1);
        cursor_ += N - 1;
    }
    void put(const Int16Text& number) {
        std::memcpy(cursor_, number.padded().data(), Int16Text::capacity);
        cursor_ += number.view().size();
    }
    void put(std::string_view text) {
        // An empty view may have no data at all, and memcpy from a null pointer is undefined even for 0
        // bytes.
        if (!text.empty()) {
            std::memcpy(cursor_, text.data(), text.size());
            cursor_ += text.size();
        }
    }
    [[nodiscard]] std::size_t written() const { return static_cast<std::size_t>(cursor_ - start_); }

private:
    char* cursor_;
    char* start_;
};

// Builds a string with write(StatementWriter&), given room for at most max_size characters.
template <typename Write> std::string write_statement(std::size_t max_size, Write write) {
    std::string out;
    out.resize_and_overwrite(max_size, [&](char* buffer, std::size_t) {
        StatementWriter writer(buffer);
        write(writer);
        return writer.written();
    });
    return out;
}

} // namespace qxrfanuc
