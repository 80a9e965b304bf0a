// SPDX-License-Identifier: MIT
#include "script_strings.h"

#include "int16.h"
#include "statement_text.h"

#include <algorithm>
#include <cstdint>

namespace qxrfanuc {

namespace {

// Marks an error from a 16-bit operation with the input or computed value it failed on.
Int16Result located(Int16Result result, ErrorPlace place) {
    if (!result) {
        result.error().place = place;
    }
    return result;
}

// The numbers a statement quotes, each already written out.
struct StatementNumbers {
    Int16Text qxr;
    Int16Text fanuc;
    Int16Text qxr_index;
    Int16Text fanuc_address;
    Int16Text word_count;
};

// Joins the pieces into one string of exactly their total size, in one allocation. The size is summed
// from the very pieces that are then copied, so none can be written past the end.
template <typename... Pieces> std::string concatenate(const Pieces&... pieces) {
    const std::size_t size = (std::string_view(pieces).size() + ...);
    std::string out;
    out.resize_and_overwrite(size, [&](char* buffer, std::size_t) {
        // copy, unlike memcpy, is defined for an empty view without data.
        ((buffer = std::ranges::copy(std::string_view(pieces), buffer).out), ...);
        return size;
    });
    return out;
}

// The call with its four arguments, then the comment's pieces.
template <typename... Comment>
std::string build_statement(std::string_view call, const StatementNumbers& n, const Comment&... comment) {
    using namespace statement_text;
    return concatenate(call, n.qxr_index.view(), separator, n.fanuc_address.view(), separator,
                       n.word_count.view(), separator, last_argument, call_end, comment...);
}

} // namespace

std::expected<ScriptStrings, GenerationError> generate_script_strings(std::string_view qxr_text,
                                                                      std::string_view fanuc_text,
                                                                      std::string_view positions_text,
                                                                      std::string_view register_type) {
    // All three conversions run before any arithmetic, in this order, so the first bad box is the one named.
    const auto qxr = located(int16_from_text(qxr_text), ErrorPlace::QxrRegister);
    if (!qxr) {
        return std::unexpected(qxr.error());
    }
    const auto fanuc = located(int16_from_text(fanuc_text), ErrorPlace::FanucRegister);
    if (!fanuc) {
        return std::unexpected(fanuc.error());
    }
    const auto items = located(int16_from_text(positions_text), ErrorPlace::ItemCount);
    if (!items) {
        return std::unexpected(items.error());
    }

    const MappingRule& rule = mapping_rule(register_type);
    const auto address = located(fanuc_address(*fanuc, rule), ErrorPlace::FanucAddress);
    if (!address) {
        return std::unexpected(address.error());
    }
    const auto words = located(word_count(*items, rule), ErrorPlace::WordCount);
    if (!words) {
        return std::unexpected(words.error());
    }

    const StatementNumbers numbers{Int16Text(*qxr), Int16Text(*fanuc), Int16Text(qxr_index(*qxr)),
                                   Int16Text(*address), Int16Text(*words)};
    using namespace statement_text;
    const auto d = numbers.qxr.view();
    const auto f = numbers.fanuc.view();
    return ScriptStrings{build_statement(read_call, numbers, from_fanuc, register_type, type_and_register, f,
                                         into_qxr, d, end),
                         build_statement(write_call, numbers, from_qxr, d, into_fanuc, register_type,
                                         type_and_register, f, end)};
}

} // namespace qxrfanuc
