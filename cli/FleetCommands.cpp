// Many cameras at once: --cameras FILE with connect, info, dump, check, apply or snapshot runs the
// command on every camera of the inventory, each on its own thread, and prints one report.

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>

#include "CommandList.h"
#include "Interrupt.h"
#include "Output.h"
#include "Session.h"
#include "app/SessionOnLink.h"
#include "fleet/FleetRunner.h"
#include "fleet/Inventory.h"
#include "fleet/RecordedCamera.h"
#include "journal/Journal.h"
#include "journal/Recorder.h"
#include "platform/FileIo.h"
#include "protocol/Command.h"
#include "protocol/TrafficLog.h"

namespace vr::cli {
namespace {

std::string Printable(const std::string& text) {
    return protocol::Command::Printable(text);
}

// Columns padded to their widest cell; the last one as it stands.
std::string Table(const std::vector<std::vector<std::string>>& rows) {
    std::vector<size_t> widths;
    for (const auto& row : rows)
        for (size_t c = 0; c < row.size(); ++c) {
            if (widths.size() <= c) widths.push_back(0);
            widths[c] = std::max(widths[c], row[c].size());
        }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c)
            line += c + 1 == row.size() ? row[c] : row[c] + std::string(widths[c] - row[c].size() + 2, ' ');
        out += line + "\n";
    }
    return out;
}

std::string TextReport(const std::vector<fleet::CameraReport>& reports) {
    std::vector<std::vector<std::string>> rows = {{"POSITION", "LINK", "MODEL", "CAMERA ID", "RESULT"}};
    for (const auto& r : reports)
        rows.push_back({Printable(r.name), Printable(r.link), r.model.empty() ? "-" : Printable(r.model),
                        r.cameraId.empty() ? "-" : Printable(r.cameraId) + (r.idMismatch ? " (!)" : ""),
                        (r.Ok() ? "ok: " : "FAILED: ") + Printable(r.result)});
    std::string out = Table(rows);
    // What each camera differs in, refused or said, under the table, position by position.
    for (const auto& r : reports) {
        std::string details;
        for (const auto& d : r.differences)
            details += "  " + d.name + " file=" + Printable(d.file.value_or("")) +
                       " camera=" + Printable(d.camera.value_or("")) + "\n";
        for (const auto& line : r.refused) details += "  " + Printable(line) + "\n";
        for (const auto& [name, value] : r.values) details += "  " + name + "=" + Printable(value) + "\n";
        if (!details.empty()) out += "\n" + Printable(r.name) + ":\n" + details;
    }
    return out;
}

nlohmann::json JsonText(const std::optional<std::string>& text) {
    return text ? nlohmann::json(*text) : nlohmann::json(nullptr);
}

std::string JsonReport(fleet::Operation operation, const std::vector<fleet::CameraReport>& reports) {
    nlohmann::json cameras = nlohmann::json::array();
    for (const auto& r : reports) {
        nlohmann::json c = {{"name", r.name},
                            {"link", r.link},
                            {"ok", r.Ok()},
                            {"status", r.status},
                            {"online", r.online},
                            {"model", r.model},
                            {"camera_id", r.cameraId},
                            {"id_mismatch", r.idMismatch},
                            {"result", r.result},
                            {"messages", r.messages}};
        if (r.area) c["area"] = *r.area;
        if (r.rate != 0) c["rate"] = r.rate;
        if (!r.file.empty()) c["file"] = r.file;
        if (operation == fleet::Operation::Check) {
            c["differences"] = nlohmann::json::array();
            for (const auto& d : r.differences)
                c["differences"].push_back(
                    {{"name", d.name}, {"file", JsonText(d.file)}, {"camera", JsonText(d.camera)}});
        }
        if (operation == fleet::Operation::Apply) c["refused"] = r.refused;
        if (!r.values.empty() || operation == fleet::Operation::Dump || operation == fleet::Operation::Info) {
            nlohmann::json values = nlohmann::json::object();
            for (const auto& [name, value] : r.values) {
                // The settings are numbers, what the camera says about itself is text.
                if (operation == fleet::Operation::Dump)
                    values[name] = std::stoll(value);
                else
                    values[name] = value;
            }
            c["values"] = values;
        }
        cameras.push_back(c);
    }
    const nlohmann::json document = {
        {"operation", fleet::OperationName(operation)}, {"ok", fleet::WorstStatus(reports) == 0}, {"cameras", cameras}};
    // A camera's text need not be UTF-8: such bytes become U+FFFD rather than ending the report.
    return document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// What can be found wrong before any camera is opened: a usage error (2) or a file (4); 0 when none.
int CheckRequest(const Options& o, const fleet::Inventory& inventory, fleet::FleetRequest& request) {
    std::string why;
    if (!fleet::GroupSelection::Make(o.List("only"), o.List("except"), request.groups, why)) {
        PrintError(why);
        return kExitUsage;
    }
    if (request.operation == fleet::Operation::Check && request.file.empty()) {
        for (const auto& camera : inventory.cameras) {
            if (camera.golden.empty()) {
                PrintError("position \"" + Printable(camera.name) +
                           "\" has no golden file: give one in the inventory or GOLDEN for all");
                return kExitUsage;
            }
        }
    }
    if (!request.file.empty()) {
        std::string text, error;
        if (!platform::ReadWholeFile(request.file, text, error)) {
            PrintError(request.file + ": " + error);
            return kExitFile;
        }
    }
    if (request.operation == fleet::Operation::Snapshot && !IsFolder(request.folder)) {
        PrintError(request.folder + " is not a folder; nothing was written");
        return kExitFile;
    }
    return kExitOk;
}

fleet::OpenedCamera OpenCamera(const fleet::CameraEntry& entry, platform::IPlatform& platform, bool trace) {
    auto opened = std::make_shared<app::SessionOnLink>(platform);
    std::string why;
    if (!opened->Choose(entry.mode, entry.port, entry.portIndex, why)) return {nullptr, nullptr, why};
    if (trace) {
        opened->Core().traffic.SetTerminalSink([name = entry.name](const std::string& line) {
            const std::string stamped =
                protocol::TrafficLog::TimeStamp(std::chrono::system_clock::now()) + "[" + name + "] " + line;
            std::fprintf(stderr, "%s\n", stamped.c_str());
        });
    }
    return {opened, &opened->Session(), ""};
}

int NeedsCameras(Session&) {
    PrintError("this command runs on the cameras of an inventory: give --cameras FILE");
    return kExitUsage;
}

void GroupOptions(CLI::App& sub, Options& o) {
    sub.add_option_function<std::string>(
        "--only", [&o](const std::string& v) { o.values["only"] = v; },
        "only these groups (comma-separated; identity, factory and calibration only when named)");
    sub.add_option_function<std::string>(
        "--except", [&o](const std::string& v) { o.values["except"] = v; }, "leave these groups out (comma-separated)");
}

}  // namespace

int RunFleet(const Options& options) {
    fleet::FleetRequest request;
    if (!fleet::OperationNamed(options.command, request.operation)) {
        PrintError(options.command +
                   " does not run on many cameras; with --cameras: connect, info, dump, check, "
                   "apply, snapshot");
        return kExitUsage;
    }
    const fleet::Inventory inventory = fleet::ReadInventory(*options.cameras);
    if (!inventory.Usable()) {
        for (const auto& problem : inventory.problems) PrintError(*options.cameras + ": " + problem.Describe());
        return kExitFile;
    }
    request.factory = options.factory;
    request.force = options.Flag("force");
    if (request.operation == fleet::Operation::Snapshot)
        request.folder = options.args.front();
    else if (!options.args.empty())
        request.file = options.args.front();
    if (const int rc = CheckRequest(options, inventory, request); rc != kExitOk) return rc;

    // Every camera's changes and reads go to the journal, as a run on one camera's do.
    platform::CRegistry store(options.configDir ? *options.configDir : platform::CRegistry::DefaultFolder(),
                              platform::kCliShutdownStatusName);
    const std::unique_ptr<journal::Journal> journal = OpenRunJournal(options, store);
    const journal::Origin origin = journal::ThisOrigin("vr8200ctl");  // once: the user lookup is not thread-safe
    const bool trace = options.trace;
    fleet::FleetRunner runner(
        [trace, &journal, &origin](const fleet::CameraEntry& entry, platform::IPlatform& platform) {
            return fleet::WithRecorder(OpenCamera(entry, platform, trace), journal.get(), origin);
        });
    const auto reports = runner.Run(inventory.cameras, request, nullptr, [] { return StopRequested(); });
    Print(options.json ? JsonReport(request.operation, reports) : TextReport(reports));
    if (std::any_of(reports.begin(), reports.end(), [](const auto& r) { return r.status == fleet::kStopped; }))
        StopHonoured();
    return fleet::WorstStatus(reports);
}

void AddFleetCommands(CommandList& commands) {
    commands.push_back({"check",
                        "with --cameras: read every camera and compare it with its golden file (or GOLDEN for all)",
                        [](CLI::App& sub, Options& o) {
                            sub.add_option("GOLDEN", o.args, "one golden settings file for every camera")->expected(1);
                            GroupOptions(sub, o);
                        },
                        NeedsCameras});
    commands.push_back({"apply", "with --cameras: load the recipe FILE into every camera",
                        [](CLI::App& sub, Options& o) {
                            sub.add_option("FILE", o.args, "the recipe, a settings file")->required()->expected(1);
                            GroupOptions(sub, o);
                            sub.add_flag_callback(
                                "--force", [&o] { o.flags.insert("force"); },
                                "apply also to a camera whose ID is not the one the inventory expects");
                        },
                        NeedsCameras});
    commands.push_back({"snapshot", "with --cameras: save every camera's settings as DIR/POSITION.cam",
                        [](CLI::App& sub, Options& o) {
                            sub.add_option("DIR", o.args, "the folder of the files")->required()->expected(1);
                        },
                        NeedsCameras});
}

}  // namespace vr::cli
