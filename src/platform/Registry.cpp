#include "platform/Registry.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/FileIo.h"
#include "platform/SetAside.h"

namespace vr::platform {
namespace {

bool ValidSlot(int slot) {
    return slot >= 0 && slot < kRegValueCount;
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

// A value is one line: backslash, CR and LF are escaped so a folder name may hold any byte, and
// the other control bytes (which the start takes for a damaged file) are written as "\xHH". Other
// backslash pairs are kept as they are, so a hand-edited "C:\temp" survives.
std::string Escape(const std::string& text) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char n = text[i + 1];
            if (n == '\\' || n == 'n' || n == 'r') {
                out += n == '\\' ? '\\' : (n == 'n' ? '\n' : '\r');
                ++i;
                continue;
            }
            if (n == 'x' && i + 3 < text.size() && HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
                const int byte = HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]);
                // Only the bytes Escape writes this way, so a hand-edited "\x41" stays as it stands.
                if (byte < 0x20 || byte == 0x7F) {
                    out += static_cast<char>(byte);
                    i += 3;
                    continue;
                }
            }
        }
        out += text[i];
    }
    return out;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    const passwd* pw = ::getpwuid(::getuid());
    if (pw != nullptr && pw->pw_dir != nullptr && pw->pw_dir[0] == '/') return pw->pw_dir;
    return WorkingFolder();
}

}  // namespace

uint32_t ParseStoredNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + static_cast<uint64_t>(text[i] - '0');
        if (v > UINT32_MAX) v = UINT32_MAX;  // saturate as the C library's conversion does
    }
    const auto value = static_cast<uint32_t>(v);
    return negative ? 0u - value : value;
}

std::string CRegistry::DefaultFolder() {
    const char* dir = std::getenv("VR8200_CONFIG_DIR");
    if (dir != nullptr && dir[0] != '\0') return dir;
    // A relative XDG_CONFIG_HOME is invalid and is ignored, as the XDG rules say.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/vr8200-control";
    return HomeFolder() + "/.config/vr8200-control";
}

CRegistry::CRegistry(std::string folder, std::string shutdownValue)
    : folder_(std::move(folder)), shutdownValue_(std::move(shutdownValue)) {
    CheckStore();
    std::string text;
    shutdownStatus_ = ReadText(shutdownValue_.c_str(), text) ? ParseStoredNumber(text) : 0;
    Store(shutdownValue_.c_str(), "0");
}

CRegistry::~CRegistry() {
    Store(shutdownValue_.c_str(), "1");
}

void CRegistry::CheckStore() {
    if (folder_.empty()) {
        usable_ = false;
        return;
    }
    struct stat st {};
    if (SysCalls::Real().Stat(folder_, st) == 0 && !S_ISDIR(st.st_mode)) {
        usable_ = false;
        problem_ = folder_ + " is not a folder; the stored settings are not used and nothing is saved.";
        return;
    }
    // A write that was killed leaves its temporary file (".settings.ini.XXXXXX") behind.
    const std::string prefix = std::string(".") + kRegFileName + ".";
    if (DIR* dir = ::opendir(folder_.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0)
                (void)::unlink((folder_ + "/" + name).c_str());  // another run's leftover: gone or not, we go on
        }
        ::closedir(dir);
    }
    if (SysCalls::Real().Lstat(FilePath(), st) != 0) return;  // no store yet: the first write makes it
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
        usable_ = false;
        problem_ = FilePath() + " is not a regular file; the stored settings are not used and nothing is saved.";
        return;
    }
    if (SysCalls::Real().Stat(FilePath(), st) != 0 || !S_ISREG(st.st_mode)) {
        usable_ = false;
        problem_ =
            FilePath() + " does not lead to a regular file; the stored settings are not used and nothing is saved.";
        return;
    }
    std::string text, error;
    bool damaged = !ReadWholeFile(FilePath(), text, error, kMaxStoreBytes);
    if (!damaged) {
        bool hasSection = false;
        for (unsigned char c : text)
            if (c == 0 || (c < 0x20 && c != '\t' && c != '\r' && c != '\n')) damaged = true;
        hasSection = text.find(std::string("[") + kRegSection + "]") != std::string::npos;
        if (!text.empty() && !hasSection) damaged = true;
    }
    if (!damaged) {
        if (SysCalls::Real().Access(FilePath(), W_OK) != 0) {
            writable_ = false;
            problem_ = FilePath() + " is read-only; the stored settings are used, but nothing is saved.";
        }
        return;
    }
    SetAside();
}

void CRegistry::SetAside() {
    // The file itself goes aside, in its own folder: a store reached through a link keeps its link,
    // and the next write makes a fresh file where the link points.
    std::string target = FilePath(), error;
    if (CheckWriteTarget(FilePath(), target, error) != WriteResult::Written) {
        usable_ = false;
        problem_ = FilePath() + " is damaged and could not be set aside (" + error +
                   "); the defaults are used and nothing is saved.";
        return;
    }
    // Never over an earlier one: each may hold settings somebody wants back.
    std::string bad;
    if (SetFileAside(target, kMaxBadFiles, bad)) {
        problem_ = FilePath() + " was damaged; it has been set aside as " + bad + " and the defaults are used.";
        return;
    }
    usable_ = false;
    problem_ = FilePath() + " is damaged and could not be set aside (" + std::strerror(errno) +
               "); the defaults are used and nothing is saved.";
}

bool CRegistry::Load(Values& values) const {
    values.clear();
    if (!usable_) return false;
    std::string text, error;
    if (!ReadWholeFile(FilePath(), text, error, kMaxStoreBytes)) return false;
    bool inSection = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            inSection = trimmed.substr(1, trimmed.size() - 2) == kRegSection;
            continue;
        }
        const size_t eq = line.find('=');
        if (!inSection || eq == std::string::npos) continue;  // stray lines of a damaged file
        const std::string name = Trim(line.substr(0, eq));
        if (name.empty()) continue;
        const std::string value = Unescape(line.substr(eq + 1));
        bool replaced = false;
        for (auto& [n, v] : values) {
            if (n == name) {
                v = value;
                replaced = true;
            }
        }
        if (!replaced) values.emplace_back(name, value);
    }
    return true;
}

bool CRegistry::ReadText(const char* name, std::string& text) const {
    Values values;
    if (!Load(values)) return false;
    for (const auto& [n, v] : values) {
        if (n == name) {
            text = v;
            return true;
        }
    }
    return false;
}

bool CRegistry::Store(const char* name, const std::string& text) {
    if (!usable_ || !writable_) return false;
    std::string error;
    if (!MakeFolders(folder_, error)) return false;
    Values values;
    Load(values);  // a missing or damaged file starts empty and is rewritten whole
    bool found = false;
    for (auto& [n, v] : values) {
        if (n == name) {
            v = text;
            found = true;
        }
    }
    if (!found) values.emplace_back(name, text);
    std::string out = std::string("[") + kRegSection + "]\n";
    for (const auto& [n, v] : values) out += n + "=" + Escape(v) + "\n";
    return WriteFileAtomically(FilePath(), out, error) == WriteResult::Written;
}

int CRegistry::ReadDword(int slot, uint32_t& value, uint32_t defaultValue) {
    std::string text;
    if (!ValidSlot(slot) || !ReadText(kRegValues[slot].name, text)) {
        value = defaultValue;
        return 0;
    }
    value = ParseStoredNumber(text);
    return 1;
}

int CRegistry::WriteDword(int slot, uint32_t value) {
    if (!ValidSlot(slot)) return 0;
    return Store(kRegValues[slot].name, std::to_string(value)) ? 1 : 0;
}

int CRegistry::ReadString(int slot, std::string& text) {
    std::string stored;
    if (ValidSlot(slot) && ReadText(kRegValues[slot].name, stored) && IsFolder(stored)) {
        text = stored;
        return 1;
    }
    text = WorkingFolder();
    return 0;
}

int CRegistry::WriteString(int slot, const std::string& text) {
    if (!ValidSlot(slot)) return 0;
    return Store(kRegValues[slot].name, text) ? 1 : 0;
}

int CRegistry::ReadComPortDevice(std::string& path) {
    path.clear();
    return ReadText(kComPortDeviceName, path) ? 1 : 0;
}

int CRegistry::WriteComPortDevice(const std::string& path) {
    return Store(kComPortDeviceName, path) ? 1 : 0;
}

int CRegistry::ReadNetworkAddress(std::string& address) {
    address.clear();
    return ReadText(kNetworkAddressName, address) ? 1 : 0;
}

int CRegistry::WriteNetworkAddress(const std::string& address) {
    return Store(kNetworkAddressName, address) ? 1 : 0;
}

int CRegistry::ReadCameraRate(uint32_t& rate, std::string& port) {
    rate = 0;
    port.clear();
    std::string text, where;
    if (!ReadText(kCameraRateName, text) || !ReadText(kCameraRatePortName, where) || where.empty()) return 0;
    const uint32_t stored = ParseStoredNumber(text);
    // Only a rate the line can run at; anything else is a store somebody edited.
    for (uint32_t known : {9600u, 19200u, 38400u, 57600u, 115200u}) {
        if (stored != known) continue;
        rate = stored;
        port = where;
        return 1;
    }
    return 0;
}

int CRegistry::WriteCameraRate(uint32_t rate, const std::string& port) {
    return Store(kCameraRateName, std::to_string(rate)) && Store(kCameraRatePortName, port) ? 1 : 0;
}

int CRegistry::ReadNamedText(const char* name, std::string& text) {
    text.clear();
    return ReadText(name, text) ? 1 : 0;
}

int CRegistry::WriteNamedText(const char* name, const std::string& text) {
    return Store(name, text) ? 1 : 0;
}

}  // namespace vr::platform
