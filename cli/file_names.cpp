// SPDX-License-Identifier: MIT
#include "file_names.h"

#include <algorithm>
#include <filesystem>

#ifdef _WIN32
// shellapi.h needs what windows.h defines.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on
#endif

namespace qxrfanuc::cli {

#ifdef _WIN32
namespace {

std::string utf8_of(const wchar_t* wide) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(std::max(length, 1)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
    text.pop_back(); // the terminating NUL
    return text;
}

std::wstring wide_of(std::string_view text) {
    const auto size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::filesystem::path path_of(std::string_view name) {
    return {wide_of(name)};
}

} // namespace

std::vector<std::string> program_arguments(int /*argc*/, char** /*argv*/) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        arguments.push_back(utf8_of(wide[i]));
    }
    LocalFree(static_cast<void*>(wide));
    return arguments;
}

std::FILE* open_for_reading(std::string_view name) {
    return _wfopen(wide_of(name).c_str(), L"rb");
}
#else
namespace {

// A name is its bytes, whatever they are.
std::filesystem::path path_of(std::string_view name) {
    return {std::string(name)};
}

} // namespace

std::vector<std::string> program_arguments(int argc, char** argv) {
    return {argv + std::min(argc, 1), argv + argc};
}

std::FILE* open_for_reading(std::string_view name) {
    return std::fopen(std::string(name).c_str(), "rb");
}
#endif

namespace {

bool is_unreserved(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// "C:\" or "C:/": a Windows name from a drive's root.
bool starts_with_drive(std::string_view name) {
    return name.size() >= 3 && ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z')) &&
           name[1] == ':' && (name[2] == '\\' || name[2] == '/');
}

} // namespace

std::string file_uri(std::string_view name, PathStyle style) {
    constexpr std::string_view hex = "0123456789ABCDEF";
    const bool windows = style == PathStyle::Windows;
    std::string uri;
    if (windows && starts_with_drive(name)) {
        uri = "file:///" + std::string(name.substr(0, 2)); // the drive's colon stays
        name.remove_prefix(2);
    } else if (windows && (name.starts_with("\\\\") || name.starts_with("//"))) {
        uri = "file:"; // a share: //server/share/...
    } else if (name.starts_with('/') || (windows && name.starts_with('\\'))) {
        uri = "file://";
    }
    for (const char c : name) {
        if (is_unreserved(c) || c == '/' || (windows && c == '\\')) {
            uri += c == '\\' ? '/' : c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            uri += '%';
            uri += hex[byte >> 4U];
            uri += hex[byte & 0xFU];
        }
    }
    return uri;
}

std::uintmax_t file_size(std::string_view name, std::error_code& error) {
    return std::filesystem::file_size(path_of(name), error);
}

} // namespace qxrfanuc::cli
