// SPDX-License-Identifier: MIT
#include "process.h"
#include "scratch_file.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// In the child: makes fd refer to path opened with flags.
void redirect(int fd, const std::filesystem::path& path, int flags) {
    const int opened = open(path.c_str(), flags);
    dup2(opened, fd);
    close(opened);
}

} // namespace

bool can_test(OutputTarget /*target*/) {
    return true;
}

ProcessResult run_process(const std::string& program, const std::vector<std::string>& arguments,
                          const ProcessSetup& setup) {
    const ScratchFile in;
    const ScratchFile out;
    const ScratchFile err;
    in.write(setup.input);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        redirect(STDIN_FILENO, setup.input_path.empty() ? in.path() : setup.input_path, O_RDONLY);
        switch (setup.output) {
        case OutputTarget::Captured:
            redirect(STDOUT_FILENO, out.path(), O_WRONLY);
            break;
        case OutputTarget::ReadOnlyFile:
            redirect(STDOUT_FILENO, out.path(), O_RDONLY);
            break;
        case OutputTarget::FullDevice:
            redirect(STDOUT_FILENO, "/dev/full", O_WRONLY);
            break;
        case OutputTarget::Closed:
            close(STDOUT_FILENO);
            break;
        }
        redirect(STDERR_FILENO, err.path(), O_WRONLY);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out.contents(), err.contents()};
}
