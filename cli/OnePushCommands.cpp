// The one-push subcommands: onepush FUNCTION and xml-version [N]. They run the handlers the desktop
// tool's buttons run, on a camera connected without reading all settings.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "CommandList.h"
#include "NumberArgument.h"
#include "Output.h"
#include "Session.h"
#include "calibration/OnePush.h"
#include "calibration/SteadyWaitClock.h"
#include "calibration/XmlVersion.h"
#include "camera/CameraSession.h"
#include "camera/Services.h"
#include "protocol/ComboItems.h"
#include "protocol/Command.h"
#include "protocol/CommandIds.h"
#include "protocol/CommandTable.h"
#include "protocol/ControlIds.h"
#include "protocol/ParameterTable.h"

namespace vr::cli {
namespace {

using calibration::OnePush;
using calibration::OnePushEnd;
using calibration::OnePushResult;

struct Function {
    const char* name;
    OnePushResult (OnePush::*run)();
    bool factory;  // a factory function: only with --factory
};

constexpr Function kFunctions[] = {
    {"white-balance", &OnePush::WhiteBalanceOnce, false},
    {"exposure-white-balance", &OnePush::ExposureWhiteBalanceOnce, false},
    {"gain-auto", &OnePush::GainAutoOnce, false},
    {"shading", &OnePush::ShadingCalibration, false},
    {"pixel-gain", &OnePush::PixelGainRecalibration, false},
    {"pixel-black", &OnePush::PixelBlackRecalibration, false},
    {"auto-setting", &OnePush::AutoSetting, false},
    {"factory-pixel-gain", &OnePush::FactoryPixelGainRecalibration, true},
    {"factory-pixel-black", &OnePush::FactoryPixelBlackRecalibration, true},
};

// The setting the window's greying asks of a function: its list, and the first item that lets the
// function run (the items from it to the end do).
struct Prerequisite {
    OnePushResult (OnePush::*run)();
    uint32_t ctrlId;
    int firstIndex;
};

constexpr Prerequisite kPrerequisites[] = {
    {&OnePush::PixelGainRecalibration, protocol::id::kPixelGainMode, 2},
    {&OnePush::PixelBlackRecalibration, protocol::id::kPixelBlackMode, 2},
    {&OnePush::GainAutoOnce, protocol::id::kIndividualGainMode, 1},
    {&OnePush::AutoSetting, protocol::id::kIndividualGainMode, 1},
};

constexpr std::chrono::milliseconds kSettingQueryTimeout{5000};

const Function* FindFunction(const std::string& name) {
    const auto it =
        std::find_if(std::begin(kFunctions), std::end(kFunctions), [&](const Function& f) { return name == f.name; });
    return it == std::end(kFunctions) ? nullptr : it;
}

// The function runs only as the window would let it: with the setting its control depends on at an
// item that enables it, asked of the camera now. kExitOk, or the exit status after telling why not.
int CheckPrerequisite(Session& session, const Function& function) {
    const auto it = std::find_if(std::begin(kPrerequisites), std::end(kPrerequisites),
                                 [&](const Prerequisite& p) { return p.run == function.run; });
    if (it == std::end(kPrerequisites)) return kExitOk;
    camera::CameraSession& camera = session.Camera();
    const auto& table = session.Services().table;
    const int32_t cmdId = table.ToCmdId(it->ctrlId);
    int32_t value = 0;
    if (cmdId < 0 || !camera.HasCommand(static_cast<uint32_t>(cmdId)) ||
        session.Services().engine.QueryInt(static_cast<uint32_t>(cmdId), value, kSettingQueryTimeout) != 1) {
        const std::string failure = session.Services().engine.LastFailure().Describe();
        PrintError(failure.empty() ? "the camera does not have the setting this function needs" : failure);
        return kExitCameraRefused;
    }
    // These lists are numbered by position: the value is the item's index.
    static const std::vector<std::string> kNoItems;
    const std::vector<std::string>* listed = protocol::ComboItems(it->ctrlId);
    const std::vector<std::string>& items = listed != nullptr ? *listed : kNoItems;
    const int count = static_cast<int>(items.size());
    const int index = value >= 0 && value < count ? value : -1;
    if (index >= it->firstIndex) return kExitOk;
    const protocol::ParameterDef& def = *table.Row(static_cast<size_t>(table.CtrlId2TblIndex(it->ctrlId))).def;
    std::string allowing;
    for (int i = it->firstIndex; i < count; ++i)
        allowing += (i == it->firstIndex ? "" : i + 1 == count ? " or " : ", ") + items[static_cast<size_t>(i)];
    std::fprintf(stderr, "vr8200ctl: onepush %s needs \"%s / %s\" (%s) at %s; the camera has it at %s\n", function.name,
                 def.group, def.label, protocol::GetCommandName(def.cmdId).c_str(), allowing.c_str(),
                 index < 0 ? "no item" : items[static_cast<size_t>(index)].c_str());
    return kExitUsage;
}

std::vector<std::string> FunctionNames() {
    std::vector<std::string> names;
    for (const auto& f : kFunctions) names.push_back(f.name);
    return names;
}

// "TITLE: TEXT" for the outcome, then the values the function re-read.
void PrintResult(Session& session, const OnePushResult& result) {
    const bool told = result.end != OnePushEnd::StartFailed && result.end != OnePushEnd::Generic;
    const auto& table = session.Services().table;
    std::vector<OutputValue> values;
    for (uint32_t ctrlId : result.reread) {
        const int32_t cmdId = table.ToCmdId(ctrlId);
        if (cmdId < 0) continue;
        values.push_back({protocol::GetCommandName(static_cast<uint32_t>(cmdId)),
                          std::to_string(table.GetDataValue(ctrlId)), false});
    }
    if (session.Opts().json) {
        std::vector<OutputValue> all;
        if (told) all = {{"title", result.title, true}, {"text", result.text, true}};
        all.insert(all.end(), values.begin(), values.end());
        Print(FormatValues(all, true));
        return;
    }
    if (told) Print(result.title + ": " + result.text + "\n");
    Print(FormatValues(values, false));
}

int RunOnePush(Session& session) {
    const std::string& name = session.Opts().args.front();
    const Function* function = FindFunction(name);
    if (function == nullptr) return kExitUsage;
    if (function->factory && !session.Opts().factory) {
        std::fprintf(stderr, "vr8200ctl: onepush %s is a factory function: add --factory\n", name.c_str());
        return kExitUsage;
    }
    if (int rc = session.ConnectOrFail(false); rc != kExitOk) return rc;

    if (int rc = CheckPrerequisite(session, *function); rc != kExitOk) return rc;

    camera::CameraSession& camera = session.Camera();
    calibration::SteadyWaitClock clock;
    // Without a screen the functions read and show the table's values.
    OnePush onePush(camera, nullptr, clock);
    if (function->run == &OnePush::ExposureWhiteBalanceOnce && !onePush.HasExposureOnce()) {
        std::fprintf(stderr, "vr8200ctl: the %s has no exposure white balance\n",
                     protocol::Command::Printable(session.Services().model.name).c_str());
        return kExitCameraRefused;
    }
    // White balance re-reads the green or the common gain by the individual gain mode, which only a
    // full read would have brought in.
    if (function->run == &OnePush::WhiteBalanceOnce) camera.RefreshValue(protocol::id::kIndividualGainMode);

    session.Platform().SetPumpHook([&onePush] { onePush.Tick(); });
    const OnePushResult result = (onePush.*function->run)();
    session.Platform().SetPumpHook(nullptr);

    if (result.end == OnePushEnd::StartFailed && !result.failure.empty()) PrintError(result.failure);
    PrintResult(session, result);
    return result.succeeded ? kExitOk : kExitCameraRefused;
}

int RunXmlVersion(Session& session) {
    // Writing it is the factory page's.
    if (session.Opts().numbers.count("N") != 0 && !session.Opts().factory) {
        PrintError("xml-version N writes the factory page's XML version: give --factory");
        return kExitUsage;
    }
    if (int rc = session.ConnectOrFail(false); rc != kExitOk) return rc;
    calibration::PlainVersionBoxes boxes;
    calibration::XmlVersion xml(session.Camera(), boxes);
    if (session.Opts().numbers.count("N") == 0) {
        int32_t version = 0;
        if (!xml.Read(&version)) {
            PrintError(session.Services().engine.LastFailure().Describe());
            return kExitCameraRefused;
        }
        Print(FormatValues({{"XMLVR", std::to_string(version), false}}, session.Opts().json));
        return kExitOk;
    }
    // The number goes into the three boxes digit by digit, as an operator would type it.
    boxes.ShowVersionTexts(calibration::XmlVersion::BoxesFromVersion(static_cast<int>(session.Opts().Number("N"))));
    if (xml.Write()) return kExitOk;
    PrintError(session.Services().engine.LastFailure().Describe());
    return kExitCameraRefused;
}

}  // namespace

void AddOnePushCommands(CommandList& commands) {
    commands.push_back({"onepush",
                        "connect, run a one-push function; prints TITLE: TEXT and the re-read values as NAME=VALUE",
                        [](CLI::App& sub, Options& o) {
                            sub.add_option("FUNCTION", o.args,
                                           "white-balance, exposure-white-balance, gain-auto, shading, pixel-gain, "
                                           "pixel-black, auto-setting, factory-pixel-gain, factory-pixel-black")
                                ->required()
                                ->expected(1)
                                ->check(CLI::IsMember(FunctionNames()));
                        },
                        RunOnePush});
    commands.push_back(
        {"xml-version", "connect; without N print XMLVR=N, with N (0..999) write it (needs --factory)",
         [](CLI::App& sub, Options& o) { AddNumber(sub, "N", "the XML version to write", o, "N", 0, 999); },
         RunXmlVersion});
}

}  // namespace vr::cli
