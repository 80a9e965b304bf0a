#include "process.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A scratch file that goes away with the object; files rather than pipes, so a large output cannot block.
class ScratchFile {
public:
    ScratchFile() {
        std::string name = "/tmp/qxr-fanuc-test-XXXXXX";
        fd_ = mkstemp(name.data());
        if (fd_ < 0) {
            throw std::runtime_error("cannot create a scratch file");
        }
        path_ = name;
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile() {
        close(fd_);
        unlink(path_.c_str());
    }
    [[nodiscard]] int fd() const { return fd_; }
    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] std::string contents() const {
        std::ifstream file(path_, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    void write(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }

private:
    int fd_ = -1;
    std::string path_;
};

} // namespace

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
        dup2(setup.input_path.empty() ? in.fd() : open(setup.input_path.c_str(), O_RDONLY), STDIN_FILENO);
        switch (setup.output) {
        case OutputTarget::Captured:
            dup2(out.fd(), STDOUT_FILENO);
            break;
        case OutputTarget::ReadOnlyFile:
            dup2(open(out.path().c_str(), O_RDONLY), STDOUT_FILENO);
            break;
        case OutputTarget::FullDevice:
            dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO);
            break;
        case OutputTarget::Closed:
            close(STDOUT_FILENO);
            break;
        }
        dup2(err.fd(), STDERR_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out.contents(), err.contents()};
}
