// SPDX-License-Identifier: MIT
#include "generation_error.h"

namespace qxrfanuc {

std::string_view error_kind_name(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::TypeMismatch:
        return "Type mismatch";
    case ErrorKind::Overflow:
        return "Overflow";
    }
    return "Unknown error";
}

std::string_view error_place_name(ErrorPlace place) {
    switch (place) {
    case ErrorPlace::None:
        return "";
    case ErrorPlace::QxrRegister:
        return "QXR register";
    case ErrorPlace::FanucRegister:
        return "Fanuc register";
    case ErrorPlace::ItemCount:
        return "item count";
    case ErrorPlace::FanucAddress:
        return "Fanuc address";
    case ErrorPlace::WordCount:
        return "word count";
    }
    return "";
}

bool is_input_place(ErrorPlace place) {
    return place == ErrorPlace::QxrRegister || place == ErrorPlace::FanucRegister ||
           place == ErrorPlace::ItemCount;
}

ErrorPlace source_input(ErrorPlace place) {
    switch (place) {
    case ErrorPlace::FanucAddress:
        return ErrorPlace::FanucRegister;
    case ErrorPlace::WordCount:
        return ErrorPlace::ItemCount;
    default:
        return place;
    }
}

} // namespace qxrfanuc
