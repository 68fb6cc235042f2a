#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Velorin::Preview {

/// Notices files that changed under a folder by comparing, at each Poll, every regular file's
/// size and modification time with what the previous Poll saw. Polling keeps it portable and
/// indifferent to how editors save (in place, or a new file renamed over the old one).
class FileWatcher {
public:
    explicit FileWatcher(std::string folder);

    /// The paths, relative to the folder, added, changed or removed since the previous Poll
    /// (sorted). The first Poll only looks and answers nothing.
    std::vector<std::string> Poll();

private:
    struct Stamp {
        std::uintmax_t size = 0;
        std::int64_t time = 0;
        bool operator!=(const Stamp& other) const { return size != other.size || time != other.time; }
    };
    std::map<std::string, Stamp> Scan() const;

    std::string folder;
    std::map<std::string, Stamp> seen;
    bool first = true;
};

} // namespace Velorin::Preview
