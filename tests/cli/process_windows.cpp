// SPDX-License-Identifier: MIT
#include "process.h"
#include "scratch_file.h"

#include <windows.h>

namespace {

// One argument as the C runtime's command-line parser reads it back: quoted when it is empty or holds
// blanks or quotes, with the backslashes before a quote, and before the closing quote, doubled.
std::string quoted_argument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
        return argument;
    }
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, '\\');
    return out + '"';
}

// A path CreateProcess understands: under Wine the build's paths are Unix ones, found on drive Z:.
std::string windows_path(std::string path) {
    if (path.starts_with('/')) {
        path.insert(0, "Z:");
    }
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

class InheritedHandle {
public:
    InheritedHandle(const std::filesystem::path& path, DWORD access) {
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        // Backup semantics let a directory be opened too, which is then a standard input that cannot be read.
        handle_ = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              &inherit, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    }
    InheritedHandle(const InheritedHandle&) = delete;
    InheritedHandle& operator=(const InheritedHandle&) = delete;
    ~InheritedHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    [[nodiscard]] HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

} // namespace

bool can_test(OutputTarget target) {
    return target != OutputTarget::FullDevice; // Windows has no device that is always full
}

ProcessResult run_process(const std::string& program, const std::vector<std::string>& arguments,
                          const ProcessSetup& setup) {
    const ScratchFile in;
    const ScratchFile out;
    const ScratchFile err;
    in.write(setup.input);
    std::string command_line = quoted_argument(windows_path(program));
    for (const auto& argument : arguments) {
        command_line += ' ' + quoted_argument(argument);
    }
    ProcessResult result;
    {
        const InheritedHandle input(setup.input_path.empty() ? in.path() : setup.input_path, GENERIC_READ);
        const InheritedHandle output(out.path(), setup.output == OutputTarget::ReadOnlyFile ? GENERIC_READ
                                                                                            : GENERIC_WRITE);
        const InheritedHandle errors(
            err.path(), setup.error_output == OutputTarget::ReadOnlyFile ? GENERIC_READ : GENERIC_WRITE);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input.get();
        startup.hStdOutput = setup.output == OutputTarget::Closed ? nullptr : output.get();
        startup.hStdError = setup.error_output == OutputTarget::Closed ? nullptr : errors.get();
        PROCESS_INFORMATION process{};
        // The arguments as UTF-16, as Windows hands them on, so that any text reaches the program as itself.
        const auto size = static_cast<int>(command_line.size());
        std::wstring wide(
            static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, command_line.data(), size, nullptr, 0)) +
                1,
            L'\0');
        MultiByteToWideChar(CP_UTF8, 0, command_line.data(), size, wide.data(),
                            static_cast<int>(wide.size()));
        if (!CreateProcessW(nullptr, wide.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                            &process)) {
            return result;
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        result.exit_status = static_cast<int>(status);
    }
    result.out = out.contents();
    result.err = err.contents();
    return result;
}
