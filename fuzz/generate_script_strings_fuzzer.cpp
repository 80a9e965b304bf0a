// SPDX-License-Identifier: MIT
// Checks generate_script_strings on four texts cut from the input: a success must be the two statements
// rebuilt here from 64-bit arithmetic; a failure must be the first failing step, with its kind and place.
#include "int16.h"
#include "script_strings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <string>

namespace {

using qxrfanuc::ErrorKind;
using qxrfanuc::ErrorPlace;
using qxrfanuc::GenerationError;

void fail_if(bool failed) {
    if (failed) {
        std::abort();
    }
}

std::optional<std::int64_t> in_range(std::int64_t value) {
    return value < -32768 || value > 32767 ? std::nullopt : std::optional(value);
}

// The Fanuc address step by step, each intermediate value checked.
std::optional<std::int64_t> fanuc_address(std::int64_t fanuc, bool general) {
    const auto minus_one = in_range(fanuc - 1);
    const auto scaled = minus_one ? in_range(*minus_one * (general ? 4 : 12)) : std::nullopt;
    return scaled ? in_range(*scaled + (general ? 4 : 1001)) : std::nullopt;
}

bool single_line_ascii(const std::string& statement) {
    return std::ranges::all_of(statement, [](char c) { return c >= 0x20 && c <= 0x7E; });
}

// The register type: one of the window's three, or whatever bytes the input has left.
std::string register_type(std::uint8_t choice, FuzzedDataProvider& provider) {
    switch (choice % 4) {
    case 0:
        return std::string(qxrfanuc::general_register_type);
    case 1:
        return std::string(qxrfanuc::position_register_type);
    case 2:
        return {};
    default:
        return provider.ConsumeRemainingBytesAsString();
    }
}

std::string arguments(std::int64_t qxr, std::int64_t address, std::int64_t words) {
    return std::to_string(qxr / 2) + "," + std::to_string(address) + "," + std::to_string(words) +
           ",1000);  // ";
}

void expect_error(const std::expected<qxrfanuc::ScriptStrings, GenerationError>& result, ErrorKind kind,
                  ErrorPlace place) {
    fail_if(result.has_value() || result.error().kind != kind || result.error().place != place ||
            result.error().number() != static_cast<int>(kind));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const auto type_choice = provider.ConsumeIntegral<std::uint8_t>();
    const std::string qxr_text = provider.ConsumeRandomLengthString(64);
    const std::string fanuc_text = provider.ConsumeRandomLengthString(64);
    const std::string items_text = provider.ConsumeRandomLengthString(64);
    const std::string type = register_type(type_choice, provider);
    const bool raw_type = type_choice % 4 == 3;

    const auto result = qxrfanuc::generate_script_strings(qxr_text, fanuc_text, items_text, type);

    const auto qxr = qxrfanuc::int16_from_text(qxr_text);
    const auto fanuc = qxrfanuc::int16_from_text(fanuc_text);
    const auto items = qxrfanuc::int16_from_text(items_text);
    const std::pair<const qxrfanuc::Int16Result&, ErrorPlace> conversions[] = {
        {qxr, ErrorPlace::QxrRegister}, {fanuc, ErrorPlace::FanucRegister}, {items, ErrorPlace::ItemCount}};
    for (const auto& [conversion, place] : conversions) {
        if (!conversion) {
            expect_error(result, conversion.error().kind, place);
            return 0;
        }
    }
    const bool general = type == qxrfanuc::general_register_type;
    const auto address = fanuc_address(*fanuc, general);
    if (!address) {
        expect_error(result, ErrorKind::Overflow, ErrorPlace::FanucAddress);
        return 0;
    }
    const auto words = in_range(std::int64_t{*items} * (general ? 2 : 12));
    if (!words) {
        expect_error(result, ErrorKind::Overflow, ErrorPlace::WordCount);
        return 0;
    }

    fail_if(!result.has_value());
    const std::string d = std::to_string(*qxr);
    const std::string f = std::to_string(*fanuc);
    const std::string args = arguments(*qxr, *address, *words);
    fail_if(result->readstring != "mb.Read(" + args + "Read Value From Fanuc " + type + " " + f +
                                      ", and Store in QXR Register " + d + ".");
    fail_if(result->writestring != "mb.Write(" + args + "Read Value From QXR Register " + d +
                                       ", and Store in Fanuc " + type + " " + f + ".");
    if (!raw_type) {
        fail_if(!single_line_ascii(result->readstring) || !single_line_ascii(result->writestring));
    }
    return 0;
}
