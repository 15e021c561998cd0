#include "link/ClLibraryPaths.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "platform/SysCalls.h"

namespace vr::link {
namespace {

constexpr const char* kPatterns[] = {"clser*.so", "libclser*.so"};

std::string FromEnvironment(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] != '\0' ? std::string(value) : std::string(fallback);
}

constexpr const char* PlatformLibraryFolder() {
#if defined(__x86_64__)
    return "/usr/lib/x86_64-linux-gnu";
#elif defined(__aarch64__)
    return "/usr/lib/aarch64-linux-gnu";
#elif defined(__i386__)
    return "/usr/lib/i386-linux-gnu";
#elif defined(__arm__) && defined(__ARM_PCS_VFP)
    return "/usr/lib/arm-linux-gnueabihf";
#else
    return "/usr/lib";
#endif
}

}  // namespace

std::string Cl2000Folder() {
    return FromEnvironment("VR8200_CLSER_DIR", PlatformLibraryFolder());
}
std::string Cl2001LibraryName() {
    return FromEnvironment("VR8200_CLSERIAL_LIB", "libclserial.so");
}
std::string ClVer11LibraryName() {
    return FromEnvironment("VR8200_CLALLSERIAL_LIB", "libclallserial.so");
}

std::vector<std::string> FindCl2000Libraries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return names;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        bool match = false;
        for (const char* p : kPatterns) match = match || ::fnmatch(p, name.c_str(), 0) == 0;
        if (!match) continue;
        struct stat st {};
        const std::string path = folder + "/" + name;
        if (platform::SysCalls::Real().Stat(path, st) != 0 || !S_ISREG(st.st_mode))
            continue;  // dangling links, folders
        names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace vr::link
