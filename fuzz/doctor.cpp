// doctor's readers on a prepared root: a lock file of any name and content in the lock folder,
// /proc/locks, a holder's program name and /etc/group, all from the input. Its report never shows
// a control byte, blocks exactly when a finding is a problem, and a fix line never gives a shell
// a name to run: the stale lock file's "sudo rm" removes that file and nothing else.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "FuzzCheck.h"
#include "doctor/SerialDoctor.h"
#include "link/PortHolders.h"

namespace {

namespace fs = std::filesystem;

constexpr int kHolder = 4711;

void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A machine with one USB serial port that process 4711 has open.
const fs::path& Root() {
    static const fs::path root = [] {
        const fs::path r = vr::fuzz::ScratchFolder();
        const std::string port = "sys/devices/pci0000:00/usb1/1-2/1-2:1.0/ttyUSB0";
        fs::create_directories(r / port / "tty/ttyUSB0");
        fs::create_directories(r / "sys/class/tty");
        fs::create_symlink("../../" + port.substr(4) + "/tty/ttyUSB0", r / "sys/class/tty/ttyUSB0");
        fs::create_symlink("../../../ttyUSB0", r / port / "tty/ttyUSB0/device");
        Write(r / "dev/ttyUSB0", "");
        ::chmod((r / "dev/ttyUSB0").c_str(), 0660);
        fs::create_directories(r / "proc" / std::to_string(kHolder) / "fd");
        fs::create_symlink("/dev/ttyUSB0", r / "proc" / std::to_string(kHolder) / "fd/3");
        fs::create_directories(r / "var/lock");
        return r;
    }();
    return root;
}

int Hex(char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                  : -1;
}

// The text as one shell word, the way the fix line should give a name: plain characters as they
// stand, single-quoted text ('\'' for a quote inside), or bash's $'...' with \xHH, \\ and \'.
// False when a shell would read it otherwise.
bool ShellWord(const std::string& text, std::string& word) {
    word.clear();
    size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 2, "$'") == 0) {
            for (i += 2;; ++i) {
                if (i >= text.size()) return false;
                if (text[i] == '\'') break;
                if (text[i] != '\\') {
                    word += text[i];
                    continue;
                }
                if (++i >= text.size()) return false;
                if (text[i] == 'x' && i + 2 < text.size() && Hex(text[i + 1]) >= 0 && Hex(text[i + 2]) >= 0) {
                    word += static_cast<char>(Hex(text[i + 1]) * 16 + Hex(text[i + 2]));
                    i += 2;
                } else if (text[i] == '\\' || text[i] == '\'') {
                    word += text[i];
                } else {
                    return false;
                }
            }
            ++i;
        } else if (text[i] == '\'') {
            const size_t close = text.find('\'', i + 1);
            if (close == std::string::npos) return false;
            word += text.substr(i + 1, close - i - 1);
            i = close + 1;
        } else if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\'') {
            word += '\'';
            i += 2;
        } else if (std::isalnum(static_cast<unsigned char>(text[i])) ||
                   std::string_view("_./:@%+=,-").find(text[i]) != std::string_view::npos) {
            word += text[i++];
        } else {
            return false;
        }
    }
    return true;
}

// Outside single quotes, none of the characters that chain or substitute commands.
bool NoLooseMetacharacters(const std::string& fix) {
    for (size_t i = 0; i < fix.size(); ++i) {
        if (fix.compare(i, 2, "$'") == 0) {
            for (i += 2; i < fix.size() && fix[i] != '\''; ++i)
                if (fix[i] == '\\') ++i;
            if (i >= fix.size()) return false;
        } else if (fix[i] == '\'') {
            i = fix.find('\'', i + 1);
            if (i == std::string::npos) return false;
        } else if (fix[i] == '\\') {
            ++i;  // the next character as it stands ('\'' puts a quote between two quoted parts)
        } else if (std::string_view(";&|`$<>").find(fix[i]) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parts = vr::fuzz::SplitInput(vr::fuzz::AsText(data, size));
    const fs::path& root = Root();
    const auto part = [&](size_t i) { return i < parts.size() ? parts[i] : std::string(); };
    // A file name holds neither '/' nor NUL, and "." and ".." are folders.
    std::string name = part(0).substr(0, 200);
    for (char& c : name)
        if (c == '/' || c == '\0') c = '_';
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root / "var/lock", ec)) fs::remove(entry.path(), ec);
    Write(root / "var/lock" / ("LCK.." + name), part(1));
    Write(root / "proc/locks", part(2));
    Write(root / "proc" / std::to_string(kHolder) / "comm", part(3));
    Write(root / "etc/group", parts.size() > 4 ? part(4) : "dialout:x:" + std::to_string(::getegid()) + ":\n");

    vr::doctor::SerialDoctor::Identity who;
    who.uid = ::geteuid() + 1000;
    who.user = "ada";
    who.groups = {::getegid()};
    const vr::doctor::DoctorReport report = vr::doctor::SerialDoctor(root.string(), who).Run();

    bool problem = false;
    for (const auto& f : report.findings) {
        FUZZ_CHECK(!vr::fuzz::HasControlCharacter(f.text));
        FUZZ_CHECK(!vr::fuzz::HasControlCharacter(f.fix));
        problem = problem || f.severity == vr::doctor::Severity::Problem;
        if (f.check == "lock" && f.severity == vr::doctor::Severity::Warning) {
            // The stale lock file is removed, whatever its name says.
            FUZZ_CHECK(f.fix.starts_with("sudo rm "));
            std::string word;
            FUZZ_CHECK(ShellWord(f.fix.substr(8), word));
            FUZZ_CHECK(word == "/var/lock/LCK.." + name);
        }
        if (f.check == "lock" || f.check == "group" || f.check == "access") FUZZ_CHECK(NoLooseMetacharacters(f.fix));
        if (f.check == "busy") {
            const auto holders =
                vr::link::FlockHolders(part(2), vr::link::LockedFileName((root / "dev/ttyUSB0").string()));
            const bool locks = std::find(holders.begin(), holders.end(), kHolder) != holders.end();
            FUZZ_CHECK((f.severity == vr::doctor::Severity::Problem) == locks);
        }
    }
    FUZZ_CHECK(report.Blocking() == problem);
    return 0;
}
