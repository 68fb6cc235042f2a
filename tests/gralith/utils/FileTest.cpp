#include "gralith/Exception.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/InputFile.h"

#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <string>
#include <utility>
#include <vector>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using Gralith::Exception;
using Gralith::Utils::Directory;
using Gralith::Utils::InputFile;
using Gralith::Utils::InputStream;
using Gralith::Utils::String;
using GralithTest::TempDirectory;

namespace {

// The message and code of opening path (with open, when given, else as an InputFile), or
// "<opened>"; "<blocked>" when the open did not return within five seconds (the test then plays
// the FIFO's writer so the open can finish).
std::pair<std::string, int> OpenOutcome(const std::string& path, std::function<InputStream*()> open = {}) {
    if (!open)
        open = [path] { return new InputFile(path.c_str()); };
    auto attempt = std::async(std::launch::async, [open] {
        try {
            open()->Release();
            return std::make_pair(std::string("<opened>"), 0);
        } catch (const Exception& e) {
            return std::make_pair(std::string(e.GetMessage()), e.GetCode());
        }
    });
    if (attempt.wait_for(std::chrono::seconds(5)) == std::future_status::ready)
        return attempt.get();
#ifndef _WIN32
    int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    attempt.wait();
    if (writer >= 0)
        close(writer);
#else
    attempt.wait();
#endif
    return {"<blocked>", 0};
}

// A sparse file of the given size below temp (no disk blocks are used).
std::string SparseFile(const TempDirectory& temp, const std::string& name, long long size) {
    temp.Write(name, "");
    std::string path = temp / name;
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(size));
    return path;
}

} // namespace

TEST(InputFile, ReadsEveryByteAsWrittenUnderAUtf8Name) {
    // Line ends, a Ctrl-Z and a NUL: a text-mode read (Windows) would change or stop at them.
    const std::string bytes("a\r\nb\x1a\0c\r", 8);
    TempDirectory temp;
    const std::string path = temp / "d\xc3\xa9j\xc3\xa0-\xce\xbb.bin";
    std::ofstream(std::filesystem::u8path(path), std::ios::binary) << bytes;
    InputFile file(path.c_str());
    std::string read(16, '?');
    EXPECT_EQ(8, file.Size());
    EXPECT_EQ(8u, file.Read(read.data(), 1, 16));
    EXPECT_EQ(bytes, read.substr(0, 8));
}

TEST(InputFile, MissingAndNonRegularFilesFailAtOnceWithTheFullPath) {
    TempDirectory temp;
    temp.Write("dir/file.txt", "x");
    const std::string fifo = temp / "fifo", dir = temp / "dir";
#ifdef _WIN32
    // No FIFOs; the null device stands for the devices.
    std::vector<std::pair<std::string, std::string>> cases{{"NUL", "Not a regular file: NUL"},
                                                           {dir, "File not found: " + dir}};
#else
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    std::vector<std::pair<std::string, std::string>> cases{{fifo, "Not a regular file: " + fifo},
                                                           {"/dev/zero", "Not a regular file: /dev/zero"},
                                                           {"/dev/null", "Not a regular file: /dev/null"},
                                                           {dir, "File not found: " + dir}};
#endif
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(std::make_pair(message, 6), OpenOutcome(path));
    }
    // Through the file system the asset proxy reads with, which prefixes its folder.
    Directory root(temp.Path().c_str());
#ifdef _WIN32
    for (const char* name : {"dir", "textures/x.png"})
#else
    for (const char* name : {"fifo", "dir", "textures/x.png"})
#endif
        EXPECT_EQ(std::make_pair(
                      (name == std::string("fifo") ? "Not a regular file: " : "File not found: ") + temp / name, 6),
                  OpenOutcome(temp / name, [&] { return root.Open(name); }));
}

TEST(InputFile, FilesPastTwoGiBAreRefused) {
    TempDirectory temp;
    // An int size would wrap: 4 GiB + 16 bytes would read as a 16-byte file.
    for (long long size : {2147483648LL, 4294967312LL}) {
        SCOPED_TRACE(size);
        std::string path = SparseFile(temp, "big.bin", size);
        EXPECT_EQ(std::make_pair(
                      "File too large: " + path + " (" + std::to_string(size) + " bytes; the limit is 2147483647)", 0),
                  OpenOutcome(path));
    }
    std::string largest = SparseFile(temp, "largest.bin", INT_MAX);
    EXPECT_EQ(INT_MAX, InputFile(largest.c_str()).Size());

    // A file that grows past the limit once open reports no size rather than a wrapped one.
    temp.Write("grows.bin", "abc");
    InputFile file((temp / "grows.bin").c_str());
    EXPECT_EQ(3, file.Size());
    std::filesystem::resize_file(temp / "grows.bin", 4294967312ULL);
    EXPECT_EQ(-1, file.Size());
    EXPECT_EQ(0, file.Seek(2, 0));
    EXPECT_EQ(-1, file.Tell());
}
