#include "velorin/preview/FileWatcher.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace Velorin::Preview {

namespace fs = std::filesystem;

FileWatcher::FileWatcher(std::string folder) : folder(std::move(folder)) {}

std::map<std::string, FileWatcher::Stamp> FileWatcher::Scan() const {
    std::map<std::string, Stamp> stamps;
    std::error_code error;
    // A file saved while the scan runs may vanish between listing and reading: it is simply
    // not there this time.
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code fileError;
        if (!it->is_regular_file(fileError))
            continue;
        Stamp stamp;
        stamp.size = it->file_size(fileError);
        if (fileError)
            continue;
        stamp.time = static_cast<std::int64_t>(it->last_write_time(fileError).time_since_epoch().count());
        if (fileError)
            continue;
        stamps[fs::relative(it->path(), folder, fileError).generic_string()] = stamp;
    }
    return stamps;
}

std::vector<std::string> FileWatcher::Poll() {
    std::map<std::string, Stamp> now = Scan();
    std::vector<std::string> changed;
    if (!first) {
        for (const auto& [path, stamp] : now) {
            auto before = seen.find(path);
            if (before == seen.end() || before->second != stamp)
                changed.push_back(path);
        }
        for (const auto& [path, stamp] : seen)
            if (!now.count(path))
                changed.push_back(path);
    }
    std::sort(changed.begin(), changed.end());
    first = false;
    seen = std::move(now);
    return changed;
}

} // namespace Velorin::Preview
