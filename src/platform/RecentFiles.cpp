#include "platform/RecentFiles.h"

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "platform/Registry.h"

namespace vr::platform {
namespace {

static_assert(std::size(kRecentSettingsFileNames) == RecentFiles::kMaxFiles);

// "/data/./a.cam" and "/data/a.cam" are one file; the list keeps one of them.
std::string Normal(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

}  // namespace

RecentFiles::RecentFiles(CRegistry& registry) : registry_(registry) {
    for (const char* name : kRecentSettingsFileNames) {
        std::string path;
        if (registry_.ReadNamedText(name, path) != 1 || path.empty()) continue;
        path = Normal(path);
        // A hand-edited store may list a file twice; the newer place wins.
        if (std::find(paths_.begin(), paths_.end(), path) == paths_.end()) paths_.push_back(path);
    }
}

void RecentFiles::Add(const std::string& path) {
    if (path.empty()) return;
    const std::string normal = Normal(path);
    std::erase(paths_, normal);
    paths_.insert(paths_.begin(), normal);
    if (paths_.size() > kMaxFiles) paths_.resize(kMaxFiles);
    Save();
}

void RecentFiles::Remove(const std::string& path) {
    if (std::erase(paths_, Normal(path)) > 0) Save();
}

void RecentFiles::Save() {
    for (size_t i = 0; i < kMaxFiles; ++i)
        registry_.WriteNamedText(kRecentSettingsFileNames[i], i < paths_.size() ? paths_[i] : std::string());
}

}  // namespace vr::platform
