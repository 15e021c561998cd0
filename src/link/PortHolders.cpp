#include "link/PortHolders.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/FileIo.h"
#include "protocol/Command.h"

namespace vr::link {
namespace {

namespace fs = std::filesystem;

bool AllDigits(const std::string& text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string FirstLine(const std::string& path, const platform::SysCalls& calls) {
    std::string text, error;
    if (!platform::ReadWholeFile(path, text, error, 4096, calls)) return {};
    return text.substr(0, text.find('\n'));
}

}  // namespace

std::vector<int> FlockHolders(std::string_view procLocks, const std::string& file) {
    std::vector<int> pids;
    std::istringstream lines{std::string(procLocks)};
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string id, kind, mode, access, pid, where;
        if (!(fields >> id >> kind)) continue;
        if (kind == "->") fields >> kind;  // a waiter
        if (!(fields >> mode >> access >> pid >> where)) continue;
        if (kind == "FLOCK" && where == file && AllDigits(pid)) pids.push_back(std::atoi(pid.c_str()));
    }
    return pids;
}

std::string LockedFileName(const struct stat& status) {
    char name[64];
    std::snprintf(name, sizeof name, "%02x:%02x:%llu", major(status.st_dev), minor(status.st_dev),
                  static_cast<unsigned long long>(status.st_ino));
    return name;
}

std::string LockedFileName(const std::string& path, const platform::SysCalls& calls) {
    struct stat st {};
    if (calls.Stat(path, st) != 0) return {};
    return LockedFileName(st);
}

std::vector<PortHolder> FindPortHolders(const std::string& root, const std::string& device, int self,
                                        const platform::SysCalls& calls) {
    std::vector<PortHolder> holders;
    const std::string proc = root + "/proc";
    std::string locks, error;
    (void)platform::ReadWholeFile(proc + "/locks", locks, error, 1 << 20, calls);
    const std::vector<int> locking = FlockHolders(locks, LockedFileName(root + device, calls));
    std::error_code ec;
    for (fs::directory_iterator it(proc, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!AllDigits(name) || std::atoi(name.c_str()) == self) continue;
        std::error_code fdError;
        for (fs::directory_iterator fd(it->path() / "fd", fdError), fdEnd; !fdError && fd != fdEnd;
             fd.increment(fdError)) {
            std::error_code linkError;
            if (fs::read_symlink(fd->path(), linkError).string() != device || linkError) continue;
            const int pid = std::atoi(name.c_str());
            holders.push_back({pid, FirstLine(it->path().string() + "/comm", calls),
                               std::find(locking.begin(), locking.end(), pid) != locking.end()});
            break;
        }
    }
    std::sort(holders.begin(), holders.end(), [](const PortHolder& a, const PortHolder& b) { return a.pid < b.pid; });
    return holders;
}

std::string DescribeOpenHolders(const std::string& device, const std::vector<PortHolder>& holders) {
    std::string who;
    for (const PortHolder& h : holders) {
        if (h.locks) continue;
        who += (who.empty() ? "" : ", ") + std::string("process ") + std::to_string(h.pid) +
               (h.program.empty() ? "" : " (" + protocol::Command::Printable(h.program) + ")");
    }
    if (who.empty()) return {};
    return device + " is also open in " + who +
           ", which does not lock it: that program may take the camera's replies; end it or choose another port";
}

}  // namespace vr::link
