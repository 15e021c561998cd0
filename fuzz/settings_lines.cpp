// The settings file's lines: how a .cam file of anybody's making is split and what each line asks.

#include "FuzzCheck.h"
#include "camera/ModelCommands.h"
#include "protocol/CommandIds.h"
#include "settings/SettingsLines.h"

using vr::settings::LineUse;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const vr::settings::SettingsLines reader;
    const std::string content(vr::fuzz::AsText(data, size));
    const auto lines = vr::settings::SettingsLines::Split(content);
    size_t breaks = 0;
    for (char c : content) breaks += c == '\n' ? 1 : 0;
    const bool openEnd = !content.empty() && content.back() != '\n';
    FUZZ_CHECK(lines.size() == breaks + (openEnd ? 1 : 0));
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        FUZZ_CHECK(line.number == static_cast<int>(i) + 1);
        FUZZ_CHECK(line.text.find('\n') == std::string::npos);
        FUZZ_CHECK(line.overlong == (line.text.size() > vr::settings::kMaxSettingsLineChars));
        for (const bool factory : {false, true}) {
            for (const uint32_t model : {vr::camera::kModelKA, vr::camera::kModelKB}) {
                const auto m = reader.Interpret(line, factory, model);
                if (line.overlong) FUZZ_CHECK(m.use == LineUse::Ignored);
                if (m.use == LineUse::ModelName) FUZZ_CHECK(m.cmdId == vr::protocol::cmd::MD00);
                if (m.use == LineUse::Setting) {
                    FUZZ_CHECK(m.ctrlId != 0);
                    FUZZ_CHECK(vr::camera::IsCommandOnModel(m.cmdId, model));
                }
                if (m.use == LineUse::FactoryOnly) FUZZ_CHECK(!factory);
            }
        }
    }
    return 0;
}
