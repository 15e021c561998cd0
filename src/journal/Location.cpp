#include "journal/Location.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/Registry.h"

namespace vr::journal {

std::string DefaultJournalPath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string folder;
    // The base directory rules: only an absolute path counts.
    if (data != nullptr && data[0] == '/') {
        folder = data;
    } else {
        const char* home = std::getenv("HOME");
        const passwd* pw = home != nullptr && home[0] == '/' ? nullptr : ::getpwuid(::getuid());
        folder = std::string(home != nullptr && home[0] == '/' ? home
                             : pw != nullptr                   ? pw->pw_dir
                                                               : ".") +
                 "/.local/share";
    }
    return folder + "/vr8200-control/" + kJournalFileName;
}

std::string JournalPath(const std::string& given, platform::CRegistry& store) {
    if (!given.empty()) return given;
    std::string stored;
    if (store.ReadNamedText(kJournalFileSetting, stored) == 1 && !stored.empty()) return stored;
    return DefaultJournalPath();
}

}  // namespace vr::journal
