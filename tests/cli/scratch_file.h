// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

// A file in the temporary folder that goes away with the object. The program's streams go to files rather
// than pipes, so a large output cannot block it.
class ScratchFile {
public:
    // name_end: what the file's name ends with, e.g. bytes that a name is seldom given.
    explicit ScratchFile(const std::string& name_end = {}) {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("qxr-fanuc-test-" + std::to_string(random()) + "-" + std::to_string(random()) + name_end);
        write({});
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::string contents() const {
        std::ifstream file(path_, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    void write(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }

private:
    std::filesystem::path path_;
};
