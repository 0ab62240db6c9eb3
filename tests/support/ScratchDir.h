// A temporary directory for files a test creates, removed with everything in it when the test ends.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class ScratchDir {
  public:
    ScratchDir() {
        char pattern[] = "/tmp/vistrel-test-XXXXXX";
        if (mkdtemp(pattern) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (!path_.empty()) {
            std::filesystem::remove_all(path_, ignored);
        }
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // Empty when the directory could not be made.
    const std::string& Path() const { return path_; }

    // Writes `bytes` to the file `name` and returns its path; empty when it could not be written.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::string file = path_ + "/" + name;
        FILE* out = fopen(file.c_str(), "wb");
        if (out == nullptr) {
            return "";
        }
        bool written = fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
        return fclose(out) == 0 && written ? file : "";
    }

  private:
    std::string path_;
};
