// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

namespace qxrfanuc {

// The numbers are those the controller-side scripting runtime reports, so engineers recognise them.
enum class ErrorKind : std::uint8_t { TypeMismatch = 13, Overflow = 6 };

// Small enough that a result holding an error or a 16-bit value travels in one register.
// Which input text or computed value a generation failed on. Conversions know nothing of where their text
// came from, so they leave it at None and the statement builder fills it in.
enum class ErrorPlace : std::uint8_t { None, QxrRegister, FanucRegister, ItemCount, FanucAddress, WordCount };

struct GenerationError {
    ErrorKind kind;
    ErrorPlace place = ErrorPlace::None;

    [[nodiscard]] constexpr int number() const { return static_cast<int>(kind); }
    friend bool operator==(const GenerationError&, const GenerationError&) = default;
};

// "Type mismatch" or "Overflow".
[[nodiscard]] std::string_view error_kind_name(ErrorKind kind);

// "QXR register", "Fanuc register", "item count", "Fanuc address", "word count"; empty for None.
[[nodiscard]] std::string_view error_place_name(ErrorPlace place);

// True for the three places that are input texts, false for the computed values.
[[nodiscard]] bool is_input_place(ErrorPlace place);

// The input text a failure is about: the place itself for an input; for a computed value, the input it
// comes from (the Fanuc register for the Fanuc address, the item count for the word count).
[[nodiscard]] ErrorPlace source_input(ErrorPlace place);

// Of the three inputs, in whatever form the caller holds them (texts, boxes), the one an error is about.
// Returned by value, so it may be called with temporaries; every caller passes something cheap to copy.
template <typename Input>
[[nodiscard]] Input input_at_fault(ErrorPlace place, const Input& qxr, const Input& fanuc,
                                   const Input& items) {
    switch (source_input(place)) {
    case ErrorPlace::QxrRegister:
        return qxr;
    case ErrorPlace::FanucRegister:
        return fanuc;
    default:
        return items;
    }
}

} // namespace qxrfanuc
