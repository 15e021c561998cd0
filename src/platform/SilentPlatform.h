#pragma once
// A platform that shows nothing and asks nobody: every box gets the one answer it was built with,
// file dialogs choose nothing. For code that runs a service with no operator to tell.

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace vr::platform {

class SilentPlatform final : public IPlatform {
public:
    explicit SilentPlatform(MsgResult answer = MsgResult::Ok) : answer_(answer) {}

    MsgResult MessageBox(const std::string&, const std::string&, MsgIcon, MsgButtons) override { return answer_; }
    std::string OpenFileDialog(const std::string&, const std::string&, const std::vector<FileFilter>&) override {
        return {};
    }
    std::string SaveFileDialog(const std::string&, const std::string&, const std::string&,
                               const std::vector<FileFilter>&) override {
        return {};
    }
    bool ShellOpen(const std::string&) override { return false; }

private:
    MsgResult answer_;
};

}  // namespace vr::platform
