#pragma once
// The desktop platform with its modal parts scripted for the Qt tests and the desktop benchmark:
// message boxes are recorded and answered from a queue, both file dialogs return queued names and
// keep their filters as Qt shows them, and the progress window closes without its pause.

#include <QStringList>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "QtPlatform.h"

namespace vr::test {

class TestPlatform : public gui::QtPlatform {
public:
    TestPlatform() { SetProgressFinishPauseMs(0); }

    platform::MsgResult MessageBox(const std::string& text, const std::string& caption, platform::MsgIcon,
                                   platform::MsgButtons buttons) override {
        boxes << QString::fromStdString(caption + ": " + text);
        if (answers.empty())
            return buttons == platform::MsgButtons::YesNo ? platform::MsgResult::No : platform::MsgResult::Ok;
        const platform::MsgResult a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string OpenFileDialog(const std::string&, const std::string&,
                               const std::vector<platform::FileFilter>& given) override {
        return NextFile(given);
    }
    std::string SaveFileDialog(const std::string&, const std::string&, const std::string&,
                               const std::vector<platform::FileFilter>& given) override {
        return NextFile(given);
    }

    // The message boxes shown since the last call, each as "caption: text".
    QStringList TakeBoxes() { return std::exchange(boxes, {}); }

    QStringList boxes;
    std::deque<platform::MsgResult> answers;
    std::deque<std::string> files;
    std::vector<std::string> filters;

private:
    std::string NextFile(const std::vector<platform::FileFilter>& given) {
        for (const auto& f : given) filters.push_back(gui::FilterText(f).toStdString());
        if (files.empty()) return {};
        std::string f = files.front();
        files.pop_front();
        return f;
    }
};

}  // namespace vr::test
