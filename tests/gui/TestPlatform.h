#pragma once
// The desktop platform with its modal parts scripted: message boxes are recorded and answered from a
// queue, file dialogs return queued names, and the progress window closes without its pause.

#include <deque>
#include <string>
#include <vector>

#include "QtPlatform.h"

namespace vr::test {

class TestPlatform : public gui::QtPlatform {
public:
    struct Box {
        std::string text;
        std::string caption;
    };

    TestPlatform() { SetProgressFinishPauseMs(0); }

    app::MsgResult MessageBox(const std::string& text, const std::string& caption, app::MsgIcon,
                              app::MsgButtons buttons) override {
        boxes.push_back({text, caption});
        if (!answers.empty()) {
            const app::MsgResult a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == app::MsgButtons::YesNo ? app::MsgResult::No : app::MsgResult::Ok;
    }
    std::string SaveFileDialog(const std::string&, const std::string&, const std::string&,
                               const std::vector<app::FileFilter>&) override {
        if (files.empty()) return {};
        std::string f = files.front();
        files.pop_front();
        return f;
    }
    void ProgressOpen(const std::string& text) override {
        progressTexts.push_back(text);
        QtPlatform::ProgressOpen(text);
    }

    std::vector<Box> boxes;
    std::deque<app::MsgResult> answers;
    std::deque<std::string> files;
    std::vector<std::string> progressTexts;
};

}  // namespace vr::test
