// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace qxrfanuc::cli {

// How much the program reads or writes at a time.
inline constexpr std::size_t io_block_size = std::size_t{1} << 16U;

// Collects text and hands it to the stream in large blocks, so that a million short records take a few
// hundred writes rather than a million. Remembers a failed write so it is reported, not lost.
class BufferedOutput {
public:
    explicit BufferedOutput(std::FILE* stream);
    BufferedOutput(const BufferedOutput&) = delete;
    BufferedOutput& operator=(const BufferedOutput&) = delete;
    ~BufferedOutput();

    // Appends to the pending text; the caller writes into it directly to avoid copies.
    std::string& pending() { return pending_; }
    // Writes out the pending text once it has grown past the block size.
    void flush_if_full();
    // Writes out everything; false if any write so far has failed.
    bool flush();

private:
    std::FILE* stream_;
    std::string pending_;
    bool failed_ = false;
};

} // namespace qxrfanuc::cli
