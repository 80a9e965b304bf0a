// SPDX-License-Identifier: MIT
// The CSV reader on any line, and the writer and reader together: fields cut from the input at a unit
// separator byte, written with csv_field and joined with commas, read back as the same fields.
#include "csv.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void fail_if(bool failed) {
    if (failed) {
        std::abort();
    }
}

std::vector<std::string> fields_of(std::string_view text) {
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == '\x1F') {
            fields.emplace_back();
        } else if (c != '\n' && c != '\r') { // a record is one line: no field holds a line break
            fields.back() += c;
        }
    }
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view line = input.substr(0, input.find_first_of("\r\n"));
    if (const auto read = qxrfanuc::cli::csv_fields(line)) {
        fail_if(read->empty());
    } else {
        fail_if(read.error().column == 0 || read.error().why.empty());
    }

    const auto fields = fields_of(input);
    std::string record;
    for (const auto& field : fields) {
        record += (record.empty() && &field == &fields.front() ? "" : ",") + qxrfanuc::cli::csv_field(field);
    }
    const auto read_back = qxrfanuc::cli::csv_fields(record);
    fail_if(!read_back || *read_back != fields);
    return 0;
}
