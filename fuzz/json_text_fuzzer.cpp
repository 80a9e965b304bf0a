// SPDX-License-Identifier: MIT
// A JSON string of any bytes: valid UTF-8 with no control character, ending at its closing quote and not
// before, and read back by JSON's rules as the bytes themselves, each byte of no valid UTF-8 shown as \xNN.
#include "display_text.h"
#include "json_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void fail_if(bool failed) {
    if (failed) {
        std::abort();
    }
}

// The value of a hexadecimal digit; the writer writes them in lower case.
int hex_value(char c) {
    fail_if((c < '0' || c > '9') && (c < 'a' || c > 'f'));
    return c >= 'a' ? c - 'a' + 10 : c - '0';
}

// The text a JSON string (its quotes taken off) stands for; only the escapes the writer may write.
std::string read_back(std::string_view json) {
    std::string text;
    for (std::size_t at = 0; at < json.size(); ++at) {
        fail_if(json[at] == '"'); // a quote inside ends the string early
        if (json[at] != '\\') {
            text += json[at];
            continue;
        }
        fail_if(++at == json.size());
        switch (json[at]) {
        case 'n':
            text += '\n';
            break;
        case 'r':
            text += '\r';
            break;
        case 't':
            text += '\t';
            break;
        case 'u':
            fail_if(json.substr(at + 1, 2) != "00" || at + 4 >= json.size());
            text += static_cast<char>((hex_value(json[at + 3]) * 16) + hex_value(json[at + 4]));
            at += 4;
            break;
        default:
            fail_if(json[at] != '"' && json[at] != '\\');
            text += json[at];
        }
    }
    return text;
}

// The bytes as they should read back: valid UTF-8 as it is, any other byte as \xNN.
std::string expected_of(std::string_view bytes) {
    std::string text;
    while (!bytes.empty()) {
        const std::size_t length = qxrfanuc::utf8_sequence(bytes).length;
        if (length == 0) {
            qxrfanuc::append_hex_escape(text, static_cast<unsigned char>(bytes.front()));
        } else {
            text += bytes.substr(0, length);
        }
        bytes.remove_prefix(length == 0 ? 1 : length);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string json;
    qxrfanuc::cli::append_json_string(json, bytes);
    fail_if(json.size() < 2 || json.front() != '"' || json.back() != '"');
    for (std::string_view rest = json; !rest.empty();
         rest.remove_prefix(qxrfanuc::utf8_sequence(rest).length)) {
        fail_if(qxrfanuc::utf8_sequence(rest).length == 0 || static_cast<unsigned char>(rest.front()) < 0x20);
    }
    fail_if(read_back(std::string_view(json).substr(1, json.size() - 2)) != expected_of(bytes));
    return 0;
}
