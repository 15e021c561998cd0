#pragma once
// A platform for tests: records every message box and answers questions from a script.

#include <deque>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace vr::test {

struct RecordedBox {
    std::string text;
    std::string caption;
    platform::MsgIcon icon;
    platform::MsgButtons buttons;
};

class FakePlatform : public platform::IPlatform {
public:
    platform::MsgResult MessageBox(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                                   platform::MsgButtons buttons) override {
        boxes.push_back({text, caption, icon, buttons});
        if (!answers.empty()) {
            auto a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == platform::MsgButtons::Ok || buttons == platform::MsgButtons::OkCancel
                   ? platform::MsgResult::Ok
                   : platform::MsgResult::No;
    }
    void BeginWaitCursor() override { ++waitCursorDepth; }
    void EndWaitCursor() override { --waitCursorDepth; }
    void PumpMessages() override { ++pumps; }
    std::string OpenFileDialog(const std::string&, const std::string&,
                               const std::vector<platform::FileFilter>&) override {
        return NextFile();
    }
    std::string SaveFileDialog(const std::string&, const std::string&, const std::string&,
                               const std::vector<platform::FileFilter>&) override {
        return NextFile();
    }
    void ProgressOpen(const std::string& title) override {
        progress.push_back("open:" + title);
        progressShown = true;
        busy = false;
    }
    void ProgressSetText(const std::string& text) override { progress.push_back("text:" + text); }
    void ProgressSetPos(int percent) override { progress.push_back("pos:" + std::to_string(percent)); }
    void ProgressFinish() override {
        progress.push_back("finish");
        progressShown = false;
    }
    void ProgressAllowCancel(bool allow) override { cancelOffered = allow; }
    void ProgressAllowWaitCancel(bool allow) override {
        waitCancelOffered = allow;
        if (allow) ++waitCancelOffers;
    }
    void ProgressSetBusy(bool on) override { busy = on; }
    bool ProgressShown() const override { return progressShown; }
    // Stops the operation after `stopAfterPolls` polls (never when negative).
    bool ProgressPoll() override {
        ++polls;
        return stopAfterPolls >= 0 && polls > stopAfterPolls;
    }
    bool ShellOpen(const std::string& path) override {
        opened.push_back(path);
        return true;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (const auto& b : boxes) t.push_back(b.text);
        return t;
    }

    std::vector<RecordedBox> boxes;
    std::deque<platform::MsgResult> answers;
    std::deque<std::string> files;
    std::vector<std::string> progress;
    std::vector<std::string> opened;
    int waitCursorDepth = 0;
    int pumps = 0;
    int polls = 0;
    int stopAfterPolls = -1;
    bool cancelOffered = false;
    bool waitCancelOffered = false;
    int waitCancelOffers = 0;
    bool busy = false;
    bool progressShown = false;

private:
    std::string NextFile() {
        if (files.empty()) return {};
        auto f = files.front();
        files.pop_front();
        return f;
    }
};

}  // namespace vr::test
