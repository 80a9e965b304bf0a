// SPDX-License-Identifier: MIT
#pragma once

// File names as the program holds them: UTF-8 on every system. Windows hands a program its arguments in
// UTF-16 and opens files by UTF-16 names, so there they are converted both ways; elsewhere a name is the
// bytes it is.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace qxrfanuc::cli {

// The program's arguments after its name, in UTF-8 (on Windows read again as UTF-16 from the system).
[[nodiscard]] std::vector<std::string> program_arguments(int argc, char** argv);

// Opens the file of that UTF-8 name for reading bytes, as std::fopen does.
[[nodiscard]] std::FILE* open_for_reading(std::string_view name);

// The size of the file of that UTF-8 name, as std::filesystem::file_size tells it.
[[nodiscard]] std::uintmax_t file_size(std::string_view name, std::error_code& error);

enum class PathStyle { Posix, Windows };
#ifdef _WIN32
inline constexpr PathStyle native_path_style = PathStyle::Windows;
#else
inline constexpr PathStyle native_path_style = PathStyle::Posix;
#endif

// A file name as a URI reference, as SARIF names files: relative names stay relative ("dir/a%20b.txt"),
// absolute ones become file URIs ("file:///home/a.txt", "file:///C:/a.txt"), every byte but ASCII letters,
// digits, "-._~" and the separators is written as %XX, and on Windows \ separates as / does.
[[nodiscard]] std::string file_uri(std::string_view name, PathStyle style = native_path_style);

} // namespace qxrfanuc::cli
