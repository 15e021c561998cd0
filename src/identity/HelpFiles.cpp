#include "identity/HelpFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace vr::identity {
namespace {

bool HasPdfExtension(const std::string& name) {
    static constexpr char kExtension[] = ".pdf";
    constexpr size_t kLength = sizeof kExtension - 1;
    if (name.size() < kLength) return false;
    for (size_t i = 0; i < kLength; ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - kLength + i])) != kExtension[i]) return false;
    return true;
}

}  // namespace

std::vector<std::string> ListHelpFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return names;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        // A link to a PDF is as good as the PDF; a link to nothing or to a folder is not a file.
        if (HasPdfExtension(name) && it->is_regular_file(typeError)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ChooseDocumentation(const std::vector<std::string>& candidates) {
    for (const std::string& path : candidates) {
        std::error_code ec;
        if (!path.empty() && std::filesystem::is_regular_file(path, ec)) return path;
    }
    return candidates.empty() ? std::string() : candidates.front();
}

}  // namespace vr::identity
