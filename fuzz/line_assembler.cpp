// The reading of received bytes into lines, for the tool and for the virtual camera, and the engine
// taking a reply out of whatever bytes come back: the input is the bytes waiting before a command
// goes out, then (after FE FE) the bytes that answer it.

#include <chrono>
#include <deque>

#include "FuzzCheck.h"
#include "platform/Platform.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "protocol/LineAssembler.h"
#include "protocol/Link.h"
#include "protocol/OnlineStatus.h"
#include "protocol/TrafficLog.h"

namespace {

using vr::protocol::LineAssembler;

class QuietPlatform final : public vr::platform::IPlatform {
public:
    vr::platform::MsgResult MessageBox(const std::string& text, const std::string&, vr::platform::MsgIcon,
                                       vr::platform::MsgButtons) override {
        lastBox = text;
        return vr::platform::MsgResult::Ok;
    }
    std::string OpenFileDialog(const std::string&, const std::string&,
                               const std::vector<vr::platform::FileFilter>&) override {
        return {};
    }
    std::string SaveFileDialog(const std::string&, const std::string&, const std::string&,
                               const std::vector<vr::platform::FileFilter>&) override {
        return {};
    }
    bool ShellOpen(const std::string&) override { return false; }
    std::string lastBox;
};

// Bytes already waiting, then the answer once the command is written; never waits.
class ScriptedLink final : public vr::protocol::ILink {
public:
    ScriptedLink(const std::string& before, const std::string& after)
        : pending_(before.begin(), before.end()), after_(after) {}
    int Write(const std::string& text) override {
        written += text;
        pending_.insert(pending_.end(), after_.begin(), after_.end());
        after_.clear();
        return 1;
    }
    int Read(char* buffer, int count, std::chrono::milliseconds) override {
        int n = 0;
        while (n < count && !pending_.empty()) {
            buffer[n++] = pending_.front();
            pending_.pop_front();
        }
        return n;
    }
    std::string written;

private:
    std::deque<char> pending_;
    std::string after_;
};

void FeedTool(const std::string& bytes) {
    LineAssembler tool({LineAssembler::LineEnd::Lf, 1023, LineAssembler::Overflow::Immediate, false});
    for (char c : bytes) {
        const auto result = tool.Feed(c);
        FUZZ_CHECK(tool.Partial().size() <= 1023);
        if (result == LineAssembler::Result::Line) {
            FUZZ_CHECK(tool.Line().find('\n') == std::string::npos);
            FUZZ_CHECK(tool.Partial().empty());
        }
        if (result == LineAssembler::Result::Overflowed) FUZZ_CHECK(tool.Partial().empty());
    }
}

void FeedCamera(const std::string& bytes) {
    LineAssembler camera({LineAssembler::LineEnd::CrOrLf, 256, LineAssembler::Overflow::AtLineEnd, true});
    for (char c : bytes) {
        const auto result = camera.Feed(c);
        FUZZ_CHECK(result != LineAssembler::Result::Overflowed);
        FUZZ_CHECK(camera.Partial().size() <= 256);
        if (result != LineAssembler::Result::Line) continue;
        const std::string& line = camera.Line();
        FUZZ_CHECK(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
        FUZZ_CHECK(!camera.Overlong() || line.empty());
        FUZZ_CHECK(camera.Overlong() || !line.empty());
    }
}

// One command through the engine; whatever came back, the result is 1 or 0, a success took a line
// that answers it, and a failure is told in one printable line.
void RunEngine(uint8_t which, const std::string& before, const std::string& after) {
    namespace cmd = vr::protocol::cmd;
    QuietPlatform platform;
    vr::protocol::OnlineStatusBroadcaster status;
    vr::protocol::TrafficLog traffic;
    std::string logged;
    traffic.SetMessageSink([&logged](const std::string& line) { logged += line; });
    vr::protocol::Command engine(platform, status, traffic);
    ScriptedLink link(before, after);
    engine.SetLink(&link);
    const std::chrono::milliseconds noWait(0);
    int ok = 0;
    switch (which % 4) {
        case 0: {
            int32_t value = 0;
            ok = engine.QueryInt(cmd::GA, value, noWait);
            break;
        }
        case 1: {
            std::string text;
            ok = engine.QueryString(cmd::MD, text, noWait);
            if (ok == 1) FUZZ_CHECK(text.find_first_of("\r\n") == std::string::npos);
            break;
        }
        case 2:
            ok = engine.SendCommandInt(cmd::GA, 400, noWait);
            break;
        default:
            ok = engine.SendCommandString(cmd::UD, "line 3", noWait);
            break;
    }
    FUZZ_CHECK(ok == 0 || ok == 1);
    FUZZ_CHECK((ok == 1) == (engine.LastFailure().kind == vr::protocol::FailureKind::None));
    // Exactly one command line went out, whatever the camera sent.
    FUZZ_CHECK(link.written.find("\r\n") == link.written.size() - 2);
    const std::string told = engine.LastFailure().Describe();
    FUZZ_CHECK(!vr::fuzz::HasControlCharacter(told));
    FUZZ_CHECK(!vr::fuzz::HasControlCharacter(platform.lastBox.substr(0, platform.lastBox.find('\n'))));
    FUZZ_CHECK(!vr::fuzz::HasControlCharacter(logged));
    engine.SetLink(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(vr::fuzz::AsText(data, size));
    FeedTool(bytes);
    FeedCamera(bytes);
    if (size == 0) return 0;
    const auto parts = vr::fuzz::SplitInput(bytes.substr(1));
    RunEngine(data[0], parts.size() > 1 ? parts[0] : std::string(), parts.back());
    return 0;
}
