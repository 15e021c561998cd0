#include "dialogs/TerminalDialog.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <vector>

#include "camera/Services.h"
#include "platform/ControlAccess.h"
#include "protocol/Command.h"
#include "protocol/Link.h"
#include "protocol/TrafficLog.h"

namespace vr::dialogs {

using namespace terminal;

CTerminalDialog::CTerminalDialog(camera::Services& services, platform::IControlAccess& controls,
                                 platform::IDialogFrame& frame, LogFolderStore folder, Clock clock)
    : services_(services), controls_(controls), frame_(frame), folder_(std::move(folder)), clock_(std::move(clock)) {}

CTerminalDialog::~CTerminalDialog() {
    services_.status.Unregister(this);
    services_.dialogs.Remove(this);
    if (initialised_) services_.traffic.SetTerminalSink(nullptr);
}

void CTerminalDialog::Init() {
    initialised_ = true;
    services_.status.Register(this);
    services_.dialogs.Add(this);
    services_.traffic.SetTerminalSink([this](const std::string& text) { AddLine(text); });
    controls_.SetText(kEdit, "");
}

void CTerminalDialog::AddLine(const std::string& text) {
    // A full list drops its oldest line: the traffic of now, the operator's own commands among it,
    // matters more than the start's.
    controls_.AddItemBounded(kList, protocol::TrafficLog::TimeStamp(clock_()) + text, kMaxLines);
}

void CTerminalDialog::AddLineF(const char* format, ...) {
    char buffer[kMaxFormattedLength + 1];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0) return;
    AddLine(buffer);
}

void CTerminalDialog::OnSend() {
    const std::string text = controls_.GetText(kEdit);
    // The line the engine talks on: a raw line goes the same way as the tool's commands.
    if (protocol::ILink* line = services_.engine.Link()) line->Write(text + "\r\n");
    // The edit is ready for the next command, as a shell's prompt is; Up brings this one back.
    controls_.SetText(kEdit, "");
    if (!text.empty() && (history_.empty() || history_.back() != text)) {
        history_.push_back(text);
        if (history_.size() > kHistoryLength) history_.erase(history_.begin());
    }
    historyPos_ = history_.size();
}

void CTerminalDialog::OnHistory(int step) {
    if (step < 0 && historyPos_ > 0) {
        --historyPos_;
    } else if (step > 0 && historyPos_ < history_.size()) {
        ++historyPos_;
    } else {
        return;
    }
    controls_.SetText(kEdit, historyPos_ < history_.size() ? history_[historyPos_] : std::string());
}

void CTerminalDialog::OnClear() {
    controls_.ClearItems(kList);
}

void CTerminalDialog::OnSave() {
    std::vector<std::string> lines;
    const int count = controls_.ItemCount(kList);
    lines.reserve(static_cast<size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) lines.push_back(controls_.ItemText(kList, i));
    if (SaveLogLines(services_.platform, folder_, "csv", {"CSV file (*.csv)", "*.csv"}, lines))
        AddLineF("Writing file has been done !");
}

void CTerminalDialog::OnClose() {
    frame_.ShowWindow(false);
}

void CTerminalDialog::Show() {
    frame_.ShowWindow(true);
}

}  // namespace vr::dialogs
