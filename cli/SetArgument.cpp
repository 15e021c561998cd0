#include "SetArgument.h"

#include "identity/TextLimits.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/CommandTimeouts.h"
#include "protocol/FactoryCommands.h"
#include "protocol/Numbers.h"
#include "protocol/ParameterTable.h"
#include "protocol/TextValue.h"

namespace vr::cli {
namespace {

// The range of a command's edit on the pages, where it has one.
bool RangeOf(uint32_t cmdId, int32_t& lo, int32_t& hi) {
    const protocol::ParameterDef* defs = protocol::ParameterDefs();
    for (size_t i = 0; i < protocol::kParameterRowCount; ++i) {
        if (defs[i].cmdId != cmdId || defs[i].controlKind != protocol::ControlKind::SpinEdit) continue;
        lo = defs[i].minValue;
        hi = defs[i].maxValue;
        return true;
    }
    return false;
}

}  // namespace

bool ParseSetArgument(const std::string& arg, bool factoryMode, SetArgument& set, std::string& why) {
    const auto printable = [](const std::string& text) { return protocol::Command::Printable(text); };
    const size_t eq = arg.find('=');
    if (eq == std::string::npos) {
        why = "\"" + printable(arg) + "\" is not NAME=VALUE";
        return false;
    }
    set.name = arg.substr(0, eq);
    const int32_t id = set.name.empty() ? -1 : protocol::FindCommand(set.name);
    if (id < 0) {
        why = "unknown command \"" + printable(set.name) + "\"";
        return false;
    }
    set.cmdId = static_cast<uint32_t>(id);
    const std::string value = arg.substr(eq + 1);
    if (protocol::StartsOnePush(set.cmdId)) {
        why = set.name + " starts a one-push function; run it with `vr8200ctl onepush`";
        return false;
    }
    if (!factoryMode && protocol::IsFactoryCommand(set.cmdId)) {
        why = set.name + " writes factory or production data and needs --factory; nothing was sent";
        return false;
    }
    set.isText = protocol::GetValueKind(set.cmdId) == protocol::ValueKind::Text;
    if (set.isText) {
        // Only the terminal sends raw lines: a CR or LF here would run the rest as a command.
        if (!protocol::IsSendableText(value)) {
            why = "the value for " + set.name + " holds a control character: \"" + printable(value) +
                  "\"; nothing was sent";
            return false;
        }
        // The limits set-user-id, set-camera-id and set-device-version keep: the camera would refuse
        // the text, or keep it cut.
        if (const std::string problem = identity::TextLimitProblem(set.cmdId, value); !problem.empty()) {
            why = set.name + ": " + problem + (problem.back() == '.' ? " Nothing was sent." : "; nothing was sent");
            return false;
        }
        // Any other text too: the camera's answer ends it at its first comma, so it could never be read
        // back whole.
        if (!protocol::ReadsBackWhole(value)) {
            why = "the value for " + set.name + " holds a comma, which the camera's answer would end it at: \"" +
                  printable(value) + "\"; nothing was sent";
            return false;
        }
        set.text = value;
        return true;
    }
    if (protocol::ParseWholeNumber(value, set.number) != protocol::NumberParse::Ok) {
        why = set.name + " takes a whole number, not \"" + printable(value) + "\"";
        return false;
    }
    int32_t lo = 0, hi = 0;
    if (RangeOf(set.cmdId, lo, hi) && (set.number < lo || set.number > hi)) {
        why = set.name + " takes " + std::to_string(lo) + " to " + std::to_string(hi) + ", not " +
              std::to_string(set.number) + "; nothing was sent";
        return false;
    }
    return true;
}

}  // namespace vr::cli
