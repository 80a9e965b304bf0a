// SPDX-License-Identifier: MIT
#include "buffered_output.h"

namespace qxrfanuc::cli {

BufferedOutput::BufferedOutput(std::FILE* stream) : stream_(stream) {
    // This class is the buffer: the stream's own would only split each block into smaller writes.
    std::setvbuf(stream_, nullptr, _IONBF, 0);
    pending_.reserve(2 * io_block_size);
}

BufferedOutput::~BufferedOutput() {
    flush();
}

void BufferedOutput::flush_if_full() {
    if (pending_.size() >= io_block_size) {
        flush();
    }
}

bool BufferedOutput::flush() {
    if (!pending_.empty() && !failed_) {
        failed_ = std::fwrite(pending_.data(), 1, pending_.size(), stream_) != pending_.size();
    }
    pending_.clear();
    failed_ = std::fflush(stream_) != 0 || failed_;
    return !failed_;
}

} // namespace qxrfanuc::cli
