// SPDX-License-Identifier: MIT
#include "process.h"
#include "scratch_file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// In the child: makes fd refer to path opened with flags.
void redirect(int fd, const std::filesystem::path& path, int flags) {
    const int opened = open(path.c_str(), flags);
    dup2(opened, fd);
    close(opened);
}

// In the child: sends fd to target, captured in path.
void route(int fd, OutputTarget target, const std::filesystem::path& path) {
    switch (target) {
    case OutputTarget::Captured:
        redirect(fd, path, O_WRONLY);
        break;
    case OutputTarget::ReadOnlyFile:
        redirect(fd, path, O_RDONLY);
        break;
    case OutputTarget::FullDevice:
        redirect(fd, "/dev/full", O_WRONLY);
        break;
    case OutputTarget::Closed:
        close(fd);
        break;
    }
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
        if (setup.address_space_limit > 0) {
            const rlimit limit{setup.address_space_limit, setup.address_space_limit};
            setrlimit(RLIMIT_AS, &limit);
        }
        route(STDOUT_FILENO, setup.output, out.path());
        route(STDERR_FILENO, setup.error_output, err.path());
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out.contents(), err.contents()};
}
