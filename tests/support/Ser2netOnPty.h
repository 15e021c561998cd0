#pragma once
// Debian's ser2net in front of a device (the virtual camera's pseudo-terminal), configured from the
// shipped template: loopback only, a free port, in the foreground, without UUCP locks unless asked.
// The server is stopped (SIGTERM, then SIGKILL) when the object goes.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace vr::test {

struct Ser2netOptions {
    bool uucpLocks = false;
    bool raw = false;  // a plain TCP bridge at the configured rate, no Telnet
};

class Ser2netOnPty {
public:
    using Options = Ser2netOptions;
    static bool Installed() { return ::access("/usr/sbin/ser2net", X_OK) == 0; }

    // False with `error` when the server did not come up within a few seconds.
    bool Start(const std::string& device, std::string& error, Options options = Options()) {
        options_ = options;
        for (int attempt = 0; attempt < 3; ++attempt) {
            port_ = FreePort();
            if (port_ == 0) {
                error = "no free TCP port";
                return false;
            }
            if (!WriteConfig(device, error)) return false;
            std::vector<std::string> args = {"/usr/sbin/ser2net",    "-n", "-c",
                                             dir_ + "/ser2net.yaml", "-P", dir_ + "/ser2net.pid"};
            if (!options_.uucpLocks) args.push_back("-u");
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            posix_spawn_file_actions_t actions;
            if (posix_spawn_file_actions_init(&actions) != 0) return false;
            const std::string log = dir_ + "/ser2net.log";
            int rc = posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (rc == 0) rc = posix_spawn_file_actions_adddup2(&actions, 1, 2);
            if (rc == 0) rc = posix_spawn(&pid_, args[0].c_str(), &actions, nullptr, argv.data(), environ);
            posix_spawn_file_actions_destroy(&actions);
            if (rc != 0) {
                pid_ = -1;
                error = "ser2net could not start";
                return false;
            }
            if (WaitListening()) return true;
            Stop();
        }
        error = "ser2net did not listen: " + ReadFile("ser2net.log");
        return false;
    }

    void Stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        for (int i = 0; i < 100; ++i) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    Ser2netOnPty() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vr8200-ser2net-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) dir_ = pattern;
    }
    ~Ser2netOnPty() {
        Stop();
        std::error_code ignored;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
    }
    Ser2netOnPty(const Ser2netOnPty&) = delete;
    Ser2netOnPty& operator=(const Ser2netOnPty&) = delete;

    uint16_t Port() const { return port_; }
    int Pid() const { return pid_; }
    std::string Address(const char* scheme = "rfc2217") const {
        return std::string(scheme) + "://127.0.0.1:" + std::to_string(port_);
    }
    // The configuration as written, for a failing test's message.
    std::string Config() const { return ReadFile("ser2net.yaml"); }

private:
    static uint16_t FreePort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        uint16_t port = 0;
        if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            port = ntohs(address.sin_port);
        if (fd >= 0) ::close(fd);
        return port;
    }

    // The shipped template with the device, the loopback and the port put in.
    bool WriteConfig(const std::string& device, std::string& error) {
        std::ifstream in(VR_SER2NET_TEMPLATE);
        std::stringstream text;
        text << in.rdbuf();
        std::string config = text.str();
        if (!Replace(config, "tcp(nodelay),2217", "tcp(nodelay),127.0.0.1," + std::to_string(port_)) ||
            !Replace(config, "serialdev,/dev/ttyUSB0", "serialdev," + device)) {
            error = std::string("the template ") + VR_SER2NET_TEMPLATE + " lost its accepter or connector line";
            return false;
        }
        if (options_.raw && !Replace(config, "telnet(rfc2217),tcp(nodelay)", "tcp(nodelay)")) {
            error = "the template's accepter is not an RFC 2217 one";
            return false;
        }
        std::ofstream(dir_ + "/ser2net.yaml", std::ios::trunc) << config;
        return true;
    }
    static bool Replace(std::string& text, const std::string& from, const std::string& to) {
        const auto at = text.find(from);
        if (at == std::string::npos) return false;
        text.replace(at, from.size(), to);
        return true;
    }

    bool WaitListening() {
        for (int i = 0; i < 250; ++i) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                return false;
            }
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(port_);
            const bool up = fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
            if (fd >= 0) ::close(fd);
            if (up) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    std::string ReadFile(const std::string& name) const {
        std::ifstream in(dir_ + "/" + name);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string dir_;
    Options options_;
    pid_t pid_ = -1;
    uint16_t port_ = 0;
};

}  // namespace vr::test
