#include "link/LockNames.h"

#include <algorithm>
#include <filesystem>

#include "link/SerialPortList.h"

namespace vr::link {

std::string LockNameOfPath(const std::string& path) {
    std::string name = path;
    if (name.rfind("/dev/", 0) == 0) name = name.substr(5);
    std::replace(name.begin(), name.end(), '/', '_');
    return "LCK.." + name;
}

std::vector<std::string> LockNamesFor(const std::string& given, const std::vector<std::string>& linkFolders) {
    const std::string device = ResolvedPath(given);
    std::vector<std::string> names;
    const auto add = [&names](const std::string& path) {
        const std::string name = LockNameOfPath(path);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    };
    add(device);
    add(given);
    for (const std::string& folder : linkFolders) {
        std::error_code error;
        std::vector<std::string> links;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            if (ResolvedPath(entry.path().string()) == device) links.push_back(entry.path().string());
        // A folder that is not there (no USB adapter plugged in) has no links to offer.
        std::sort(links.begin(), links.end());
        for (const std::string& link : links) add(link);
    }
    return names;
}

}  // namespace vr::link
