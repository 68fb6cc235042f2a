#include "gralith/Exception.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/InputFile.h"

#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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
    int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
    attempt.wait();
    if (writer >= 0)
        close(writer);
    return {"<blocked>", 0};
}

// A sparse file of the given size below temp (no disk blocks are used).
std::string SparseFile(const TempDirectory& temp, const std::string& name, long long size) {
    temp.Write(name, "");
    std::string path = temp / name;
    EXPECT_EQ(0, truncate(path.c_str(), size));
    return path;
}

} // namespace

TEST(InputFile, MissingAndNonRegularFilesFailAtOnceWithTheFullPath) {
    TempDirectory temp;
    temp.Write("dir/file.txt", "x");
    ASSERT_EQ(0, mkfifo((temp / "fifo").c_str(), 0600));
    const std::string fifo = temp / "fifo", dir = temp / "dir";
    for (const auto& [path, message] :
         std::vector<std::pair<std::string, std::string>>{{fifo, "Not a regular file: " + fifo},
                                                          {"/dev/zero", "Not a regular file: /dev/zero"},
                                                          {"/dev/null", "Not a regular file: /dev/null"},
                                                          {dir, "File not found: " + dir}}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(std::make_pair(message, 6), OpenOutcome(path));
    }
    // Through the file system the asset proxy reads with, which prefixes its folder.
    Directory root(temp.Path().c_str());
    for (const char* name : {"fifo", "dir", "textures/x.png"})
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
    ASSERT_EQ(0, truncate((temp / "grows.bin").c_str(), 4294967312LL));
    EXPECT_EQ(-1, file.Size());
    EXPECT_EQ(0, file.Seek(2, 0));
    EXPECT_EQ(-1, file.Tell());
}
