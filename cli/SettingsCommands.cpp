// The settings subcommands: settings files (save, load, diff), memory areas (area, store-area,
// load-area, store-all), the camera's restart (reset) and its model identity (write-model).

#include <cstdio>
#include <string>
#include <vector>

#include "CommandList.h"
#include "NumberArgument.h"
#include "Output.h"
#include "Session.h"
#include "camera/LongOperation.h"
#include "camera/MemoryAreas.h"
#include "camera/ModelCommands.h"
#include "camera/Services.h"
#include "link/CommSetting.h"
#include "platform/FileIo.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"
#include "settings/ModelIdentity.h"
#include "settings/SettingsCompare.h"
#include "settings/SettingsFile.h"

namespace vr::cli {
namespace {

int ConnectOrFail(Session& session, bool readAll) {
    return session.ConnectOrFail(readAll);
}

// One line on stderr saying what the camera did with the last command, which the window would
// leave to its status strip (no box for a time-out); kExitCameraRefused.
int TellFailure(Session& session) {
    const std::string text = session.Services().engine.LastFailure().Describe();
    if (!text.empty()) PrintError(text);
    return kExitCameraRefused;
}

int Unanswered(Session& session) {
    int n = 0;
    for (const auto& read : session.Camera().LastRead().rows) n += read.answered ? 0 : 1;
    return n;
}

bool NeedsFactory(Session& session) {
    if (session.Opts().factory) return false;
    std::fprintf(stderr, "vr8200ctl: %s works in factory mode only: give --factory\n", session.Opts().command.c_str());
    return true;
}

// The area argument, read and checked to lie in 0..3 by the parser.
int ChosenArea(Session& session) {
    return static_cast<int>(session.Opts().Number("N"));
}

// Every setting the last read answered, as dump prints them.
int PrintSettings(Session& session) {
    if (session.TellUnsupportedModel()) return kExitCameraRefused;
    const auto& table = session.Services().table;
    std::vector<OutputValue> values;
    for (const auto& read : session.Camera().LastRead().rows) {
        if (!read.answered) continue;
        const auto& row = table.Row(read.row);
        values.push_back({protocol::GetCommandName(row.def->cmdId), std::to_string(row.value), false});
    }
    Print(FormatValues(values, session.Opts().json));
    if (session.Camera().LastRead().stopped) return kExitInterrupted;
    if (session.Camera().LastRead().Ended()) return kExitCameraRefused;
    if (const int n = Unanswered(session); n > 0) {
        std::fprintf(stderr, "vr8200ctl: %d settings were not answered\n", n);
        return kExitCameraRefused;
    }
    return kExitOk;
}

int RunSave(Session& session) {
    const std::string& path = session.Opts().args.front();
    // A device, a FIFO or a read-only file is refused before the camera is read.
    if (const int rc = CheckFileToWrite(path, session.Opts().yes); rc != kExitOk) return rc;
    if (int rc = ConnectOrFail(session, true); rc != kExitOk) return rc;
    if (session.Camera().LastRead().stopped) return kExitInterrupted;
    // A file with the tool's values where the camera said nothing would pass for the camera's.
    if (session.Camera().LastRead().Ended()) {
        std::fprintf(stderr, "vr8200ctl: the read ended early; %s was not written\n", path.c_str());
        return kExitCameraRefused;
    }
    if (session.Services().model.kind == camera::kModelUnknown) {
        std::fprintf(stderr, "vr8200ctl: the camera's model is not supported; %s was not written\n", path.c_str());
        return kExitCameraRefused;
    }
    if (const int n = Unanswered(session); n > 0) {
        std::fprintf(stderr, "vr8200ctl: %d settings were not answered; %s was not written\n", n, path.c_str());
        return kExitCameraRefused;
    }
    const auto variant =
        session.Opts().Flag("shipping") ? settings::SettingsVariant::ShippingData : settings::SettingsVariant::AllData;
    int lines = 0;
    if (!settings::SettingsFile(session.Camera()).Write(path, variant, &lines)) return kExitFile;
    Print(FormatValues({{"file", path, true}, {"lines", std::to_string(lines), false}}, session.Opts().json));
    return kExitOk;
}

int RunLoad(Session& session) {
    const std::string& path = session.Opts().args.front();
    settings::SettingsFile file(session.Camera());
    std::vector<settings::SettingsFileLine> lines;
    // A file that cannot be read is found out before the camera is touched.
    if (!file.ReadLines(path, lines)) return kExitFile;
    if (!file.HoldsSettings(lines)) {
        file.ShowNoSettings(path);
        return kExitFile;
    }
    if (int rc = ConnectOrFail(session, false); rc != kExitOk) return rc;
    const settings::SettingsLoad load = file.Load(path, lines);
    if (!load.opened) return kExitFile;
    for (const auto& r : load.refused) {
        const char* what = r.why == settings::RefusedLine::Why::NoAnswer      ? "not answered"
                           : r.why == settings::RefusedLine::Why::NotSendable ? "not sent (control character)"
                           : r.why == settings::RefusedLine::Why::TooLarge    ? "not sent (a number beyond 32 bits)"
                                                                              : "refused";
        std::fprintf(stderr, "vr8200ctl: line %d %s: %s\n", r.number, what,
                     protocol::Command::Printable(r.text).c_str());
    }
    if (load.stopped) {
        // As save and store-all say it: how far it got.
        session.Services().platform.MessageBox(camera::LongOperation::StoppedText(load.done, load.lines, "lines"),
                                               platform::kAppTitle, platform::MsgIcon::Information);
        return kExitInterrupted;
    }
    if (load.lost || load.silent)
        std::fprintf(stderr, "vr8200ctl: %s after line %d; the other %d lines were not sent\n",
                     load.lost ? "the line went away" : "the camera stopped answering", load.done,
                     load.lines - load.done);
    return load.refused.empty() && !load.Ended() ? kExitOk : kExitCameraRefused;
}

const char* KindName(settings::SettingDifference::Kind kind) {
    switch (kind) {
        case settings::SettingDifference::Kind::Differs:
            return "differs";
        case settings::SettingDifference::Kind::FileLacks:
            return "file-lacks";
        case settings::SettingDifference::Kind::ModelLacks:
            return "model-lacks";
        case settings::SettingDifference::Kind::NoAnswer:
            return "no-answer";
    }
    return "";
}

Json JsonValue(const std::optional<std::string>& value, bool isText) {
    if (!value) return nullptr;
    return ValuesObject({{"v", *value, isText}})["v"];
}

int RunDiff(Session& session) {
    const std::string& path = session.Opts().args.front();
    settings::SettingsFile file(session.Camera());
    std::vector<settings::SettingsFileLine> lines;
    if (!file.ReadLines(path, lines)) return kExitFile;
    if (int rc = ConnectOrFail(session, true); rc != kExitOk) return rc;
    if (session.Camera().LastRead().stopped) return kExitInterrupted;
    if (session.Camera().LastRead().Ended()) {
        PrintError("the read ended early; nothing was compared");
        return kExitCameraRefused;
    }
    camera::Services& services = session.Services();
    const bool factory = session.Camera().FactoryMode();
    const auto unread = settings::ReadUnreadSettings(services, lines, file.Reader(), session.Camera().LastRead().rows,
                                                     services.model.kind, factory);
    const auto differences = settings::CompareSettings(
        lines, file.Reader(), services.table, session.Camera().LastRead().rows, unread, services.model, factory);
    std::string out;
    if (session.Opts().json) {
        Json list = Json::array();
        for (const auto& d : differences)
            list.push_back({{"name", d.name},
                            {"caption", JsonText(d.caption)},
                            {"kind", KindName(d.kind)},
                            {"file", JsonValue(d.fileValue, d.isText)},
                            {"camera", JsonValue(d.cameraValue, d.isText)}});
        out = DumpJson({{"file", JsonText(path)}, {"differences", list}}) + "\n";
    } else {
        for (const auto& d : differences)
            out += d.name + " file=" + protocol::Command::Printable(d.fileValue.value_or("")) +
                   " camera=" + protocol::Command::Printable(d.cameraValue.value_or("")) + "\n";
    }
    Print(out);
    if (const int n = Unanswered(session); n > 0) std::fprintf(stderr, "vr8200ctl: %d settings were not answered\n", n);
    return differences.empty() ? kExitOk : kExitCameraRefused;
}

int RunArea(Session& session) {
    if (int rc = ConnectOrFail(session, false); rc != kExitOk) return rc;
    int32_t area = 0;
    if (camera::MemoryAreas(session.Services()).QueryArea(area) != 1) {
        PrintError("no answer to EA");
        return kExitCameraRefused;
    }
    Print(FormatValues({{"area", std::to_string(area), false}}, session.Opts().json));
    return kExitOk;
}

int RunStoreArea(Session& session) {
    const int area = ChosenArea(session);
    if (area == camera::kFactoryArea && NeedsFactory(session)) return kExitUsage;
    if (int rc = ConnectOrFail(session, false); rc != kExitOk) return rc;
    return session.Camera().StoreArea(area) == 1 ? kExitOk : TellFailure(session);
}

int RunLoadArea(Session& session) {
    const int area = ChosenArea(session);
    if (int rc = ConnectOrFail(session, false); rc != kExitOk) return rc;
    if (session.Camera().LoadArea(area) != 1) return TellFailure(session);
    session.ReadAllSettings();
    return PrintSettings(session);
}

int RunStoreAll(Session& session) {
    if (NeedsFactory(session)) return kExitUsage;
    if (!session.Opts().yes) {
        PrintError("store-all overwrites every memory area: give --yes");
        return kExitUsage;
    }
    if (int rc = ConnectOrFail(session, false); rc != kExitOk) return rc;
    return session.Camera().StoreAllAreas() == 1 ? kExitOk : kExitCameraRefused;
}

int RunReset(Session& session) {
    // The window keeps "Camera Reset" to the factory page.
    if (NeedsFactory(session)) return kExitUsage;
    if (int rc = ConnectOrFail(session, false); rc != kExitOk) return rc;
    if (session.Camera().ResetCamera() != 1) return TellFailure(session);
    session.CameraRateChanged(link::kRates[0]);  // it wakes at 9600 bit/s
    return kExitOk;
}

int RunWriteModel(Session& session) {
    if (NeedsFactory(session)) return kExitUsage;
    const int index = session.Opts().args.front() == "KA" ? 1 : 0;
    if (int rc = ConnectOrFail(session, false); rc != kExitOk) return rc;
    return settings::ModelIdentity(session.Camera()).WriteModel(index) == 1 ? kExitOk : kExitCameraRefused;
}

void FileArgument(CLI::App& sub, Options& o) {
    sub.add_option("FILE", o.args, "the settings file")->required()->expected(1);
}

void AreaArgument(CLI::App& sub, Options& o, const char* what) {
    AddNumber(sub, "N", what, o, "N", 0, 3)->required();
}

}  // namespace

void AddSettingsCommands(CommandList& commands) {
    commands.push_back({"save",
                        "connect, read every setting, write the .cam file (All Data; --shipping: the user settings "
                        "only); an existing FILE is replaced only with --yes",
                        [](CLI::App& sub, Options& o) {
                            FileArgument(sub, o);
                            sub.add_flag_callback(
                                "--shipping", [&o] { o.flags.insert("shipping"); }, "Shipping Data: no factory rows");
                        },
                        RunSave});
    commands.push_back({"load", "connect, send every line of the .cam file; the lines the camera refused go to stderr",
                        FileArgument, RunLoad});
    commands.push_back(
        {"diff", "connect, read every setting; print NAME file=F camera=C for each difference", FileArgument, RunDiff});
    commands.push_back({"area", "print the memory area in use (EA)", nullptr, RunArea});
    commands.push_back(
        {"store-area", "store the working settings into area N (1..3; 0, the factory area, needs --factory)",
         [](CLI::App& sub, Options& o) { AreaArgument(sub, o, "the area: 0 factory, 1..3 user"); }, RunStoreArea});
    commands.push_back({"load-area", "load area N (0..3) into the working settings, then read and print every setting",
                        [](CLI::App& sub, Options& o) { AreaArgument(sub, o, "the area: 0 factory, 1..3 user"); },
                        RunLoadArea});
    commands.push_back({"store-all", "store into user areas 1, 2, 3 and the factory area (needs --factory and --yes)",
                        nullptr, RunStoreAll});
    commands.push_back(
        {"reset", "restart the camera (CRS00; needs --factory); it comes back at 9600 bit/s", nullptr, RunReset});
    commands.push_back(
        {"write-model", "write the camera's model name (MD00), then read it back (needs --factory)",
         [](CLI::App& sub, Options& o) {
             sub.add_option("MODEL", o.args, "KA or KB")->required()->expected(1)->check(CLI::IsMember({"KA", "KB"}));
         },
         RunWriteModel});
}

}  // namespace vr::cli
