#pragma once
// The desktop platform with its modal parts scripted: message boxes are recorded and answered from a
// queue, both file dialogs return queued names, and the progress window closes without its pause.

#include <deque>
#include <string>
#include <vector>

#include "QtPlatform.h"

class ScriptedPlatform : public vr::gui::QtPlatform {
public:
    ScriptedPlatform() { SetProgressFinishPauseMs(0); }

    vr::app::MsgResult MessageBox(const std::string& text, const std::string&, vr::app::MsgIcon,
                                  vr::app::MsgButtons buttons) override {
        boxes.push_back(text);
        if (!answers.empty()) {
            const vr::app::MsgResult a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == vr::app::MsgButtons::YesNo ? vr::app::MsgResult::No : vr::app::MsgResult::Ok;
    }
    std::string OpenFileDialog(const std::string&, const std::string&,
                               const std::vector<vr::app::FileFilter>& filters) override {
        return Next(filters);
    }
    std::string SaveFileDialog(const std::string&, const std::string&, const std::string&,
                               const std::vector<vr::app::FileFilter>& filters) override {
        return Next(filters);
    }
    void ProgressOpen(const std::string& text) override {
        progressTexts.push_back(text);
        QtPlatform::ProgressOpen(text);
    }

    std::vector<std::string> boxes;
    std::deque<vr::app::MsgResult> answers;
    std::deque<std::string> files;
    std::vector<std::string> progressTexts;
    // The filters of every file dialog, as Qt shows them.
    std::vector<std::string> filters;

private:
    std::string Next(const std::vector<vr::app::FileFilter>& given) {
        for (const auto& f : given) filters.push_back(vr::gui::FilterText(f).toStdString());
        if (files.empty()) return {};
        std::string f = files.front();
        files.pop_front();
        return f;
    }
};
