#include "app/Platform.h"

#include <cstdio>

namespace vr::app {
namespace {

class FallbackPlatform final : public IPlatform {
public:
    MsgResult MessageBox(const std::string& text, const std::string& caption, MsgIcon,
                         MsgButtons buttons) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgResult::Ok : MsgResult::No;
    }
    std::string OpenFileDialog(const std::string&, const std::string&, const std::vector<FileFilter>&) override {
        return {};
    }
    std::string SaveFileDialog(const std::string&, const std::string&, const std::string&,
                               const std::vector<FileFilter>&) override {
        return {};
    }
    bool ShellOpen(const std::string&) override { return false; }
};

FallbackPlatform gFallback;
IPlatform* gPlatform = nullptr;

}  // namespace

IPlatform& Platform() { return gPlatform != nullptr ? *gPlatform : gFallback; }
void SetPlatform(IPlatform* platform) { gPlatform = platform; }

}  // namespace vr::app
