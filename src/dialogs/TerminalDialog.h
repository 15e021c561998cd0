#pragma once
// The command terminal ("RS-232C TERMINAL"): a raw command line for the camera and the time-stamped
// list of all traffic on the line, whoever caused it.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/LogFile.h"
#include "platform/ControlAccess.h"
#include "platform/DialogFrame.h"
#include "protocol/OnlineStatus.h"

namespace vr::camera {
struct Services;
}
namespace vr::protocol {
class ILink;
}
namespace vr::dialogs {

namespace terminal {
inline constexpr uint32_t kTemplateId = 109;
inline constexpr uint32_t kEdit = 1001;
inline constexpr uint32_t kSend = 1003;
inline constexpr uint32_t kList = 1004;
inline constexpr uint32_t kClear = 1006;
inline constexpr uint32_t kClose = 1007;
inline constexpr uint32_t kSave = 1008;
inline constexpr uint32_t kStrip = 1070;
// Not 32768: the list has always kept this many.
inline constexpr int kMaxLines = 32786;
inline constexpr size_t kMaxFormattedLength = 256;
// The commands Up and Down go back through.
inline constexpr size_t kHistoryLength = 100;
}  // namespace terminal

class CTerminalDialog final : public protocol::COnlineStatusUpdater, public protocol::IRegisteredDialog {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    // Commands are written on the engine's line; `clock` gives the time stamps (UTC).
    CTerminalDialog(camera::Services& services, platform::IControlAccess& controls, platform::IDialogFrame& frame,
                    LogFolderStore folder, Clock clock = std::chrono::system_clock::now);
    ~CTerminalDialog() override;
    CTerminalDialog(const CTerminalDialog&) = delete;
    CTerminalDialog& operator=(const CTerminalDialog&) = delete;

    // When the window has been created: joins the status strip and the dialog registry and becomes the
    // traffic log's terminal sink.
    void Init();

    // Lists a line after its time stamp; beyond the limit the oldest line goes.
    void AddLine(const std::string& text);
    // The dialog's own messages, formatted into at most 256 characters.
    void AddLineF(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Writes the edit's text with CR LF and empties the edit; the text goes into the history.
    void OnSend();
    // Up (-1) and Down (+1) in the edit: the commands sent before, the oldest first; Down past the
    // newest empties the edit for a new command.
    void OnHistory(int step);
    void OnClear();
    void OnSave();
    // "Close", Escape and the close box only hide the window; the typed text stays.
    void OnClose();
    void Show();

    // COnlineStatusUpdater
    bool HasStrip() const override { return initialised_ && frame_.HasWindow(); }
    void SetStripPicture(int32_t picture) override { controls_.SetPicture(terminal::kStrip, picture); }
    // IRegisteredDialog
    bool HasWindow() const override { return initialised_ && frame_.HasWindow(); }
    void EnableWindow(bool enable) override { frame_.EnableWindow(enable); }

private:
    camera::Services& services_;
    platform::IControlAccess& controls_;
    platform::IDialogFrame& frame_;
    LogFolderStore folder_;
    Clock clock_;
    bool initialised_ = false;
    std::vector<std::string> history_;
    size_t historyPos_ = 0;  // history_.size(): the new command being typed
};

}  // namespace vr::dialogs
