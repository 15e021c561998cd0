#pragma once
// The settings files used last, newest first, at most five, kept in the settings store so the next
// run offers them again.

#include <string>
#include <vector>

namespace vr::platform {

class CRegistry;

class RecentFiles {
public:
    static constexpr size_t kMaxFiles = 5;

    // Reads the list from the store.
    explicit RecentFiles(CRegistry& registry);

    const std::vector<std::string>& Paths() const { return paths_; }
    // Puts a file that was opened or saved at the top; one already listed moves there.
    void Add(const std::string& path);
    // Takes a file off the list (one that has gone away).
    void Remove(const std::string& path);

private:
    void Save();

    CRegistry& registry_;
    std::vector<std::string> paths_;
};

}  // namespace vr::platform
