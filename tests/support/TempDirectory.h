#pragma once

// A fresh directory under the system's temporary folder, removed with everything in it when the
// object goes away. Paths it hands out end without "/"; Write creates sub-folders as needed.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace GralithTest {

class TempDirectory {
public:
    TempDirectory() {
        // create_directory is false when the name exists: a fresh name is ours alone, as with
        // mkdtemp, which Windows lacks.
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
            char name[32];
            std::snprintf(name, sizeof name, "gralith-test-%08x", static_cast<unsigned>(random()));
            std::filesystem::path candidate = std::filesystem::temp_directory_path() / name;
            if (std::filesystem::create_directory(candidate))
                path = candidate.generic_string();
        }
        if (path.empty())
            throw std::runtime_error("no fresh temporary directory");
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    ~TempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }

    const std::string& Path() const { return path; }
    /// Path + "/" + relative.
    std::string operator/(const std::string& relative) const { return path + "/" + relative; }

    /// Writes bytes to a file below the directory, making its folders.
    void Write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::path file = std::filesystem::path(path) / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + file.string());
    }

private:
    std::string path;
};

} // namespace GralithTest
