// The change journal from the command line: history (its entries), history diff (two snapshots, or a
// snapshot and the camera now), history export (a snapshot as a settings file), history prune,
// history location (where the journal is kept), and revert (the camera back to a snapshot).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "CommandList.h"
#include "NumberArgument.h"
#include "Output.h"
#include "Session.h"
#include "journal/Clock.h"
#include "journal/History.h"
#include "journal/Location.h"
#include "journal/Revert.h"
#include "platform/FileIo.h"
#include "platform/Registry.h"
#include "protocol/Command.h"
#include "protocol/CommandTable.h"
#include "protocol/ParameterTable.h"

namespace vr::cli {
namespace {

using nlohmann::json;

constexpr const char* kNow = "now";

bool OpenHistory(Session& session, journal::History& history) {
    // What this run (a scripting session) recorded so far is read back too.
    session.FlushJournal();
    std::string error;
    if (history.Open(session.JournalPath(), error)) return true;
    PrintError(error);
    return false;
}

std::string Printable(const std::string& text) {
    return protocol::Command::Printable(text);
}

std::string CameraOf(const journal::Entry& e) {
    return e.camera.cameraId.empty() ? e.camera.model + " on " + e.camera.link
                                     : e.camera.model + " \"" + e.camera.cameraId + "\"";
}

json ToJson(const journal::Entry& e) {
    json j = {{"id", e.id},
              {"time", e.time},
              {"kind", e.kind},
              {"model", e.camera.model},
              {"camera_id", e.camera.cameraId},
              {"user_id", e.camera.userId},
              {"link", e.camera.link},
              {"user", e.origin.user},
              {"host", e.origin.host},
              {"program", e.origin.program},
              {"name", e.name},
              {"detail", e.detail},
              {"digest", e.digest}};
    j["old"] = e.oldValue ? json(*e.oldValue) : json(nullptr);
    j["new"] = e.newValue ? json(*e.newValue) : json(nullptr);
    j["count"] = e.count ? json(*e.count) : json(nullptr);
    j["ok"] = e.ok ? json(*e.ok) : json(nullptr);
    return j;
}

// A snapshot named by its number; false (told) when it is not one to use.
bool LoadSnapshot(journal::History& history, const std::string& text, journal::Entry& snapshot) {
    const std::optional<int64_t> id = ReadDecimal(text, 1, INT64_MAX);
    std::string error = "not a snapshot number: \"" + Printable(text) + "\"";
    if (id && history.Snapshot(*id, snapshot, error)) return true;
    PrintError(error);
    return false;
}

// The camera's values now, as a snapshot holds them; false (told) when they could not all be read.
bool ReadNow(Session& session, std::vector<std::string>& values, int& rc) {
    rc = session.ConnectOrFail(true);
    if (rc != kExitOk) return false;
    if (session.TellUnsupportedModel()) {
        rc = kExitCameraRefused;
        return false;
    }
    const camera::RowsRead& read = session.Camera().LastRead();
    if (read.Ended()) {
        rc = read.stopped ? kExitInterrupted : kExitCameraRefused;
        return false;
    }
    values = journal::LastReadValues(session.Camera());
    return true;
}

int RunHistory(Session& session) {
    const Options& o = session.Opts();
    journal::Filter filter{o.Value("camera"), {}};
    if (!o.Value("since").empty()) {
        const auto since = journal::ParseTime(o.Value("since"), std::chrono::system_clock::now());
        if (!since) {
            PrintError(
                "--since takes a UTC date and time (2026-12-01, 2026-12-01T08:00) or a span back (7d, 12h, "
                "30m), not \"" +
                Printable(o.Value("since")) + "\"");
            return kExitUsage;
        }
        filter.since = *since;
    }
    journal::History history;
    if (!OpenHistory(session, history)) return kExitFile;
    const std::vector<journal::Entry> entries = history.List(filter);
    if (o.json) {
        json all = json::array();
        for (const journal::Entry& e : entries) all.push_back(ToJson(e));
        Print(all.dump() + "\n");
        return kExitOk;
    }
    std::string out;
    for (const journal::Entry& e : entries)
        out += std::to_string(e.id) + "\t" + e.time + "\t" + e.kind + "\t" + Printable(CameraOf(e)) + "\t" +
               Printable(journal::Describe(e)) + "\t" + Printable(e.origin.user + "@" + e.origin.host) + "\t" +
               e.origin.program + "\n";
    Print(out);
    return kExitOk;
}

void PrintDifferences(Session& session, const std::vector<journal::Difference>& differences, const std::string& a,
                      const std::string& b) {
    if (session.Opts().json) {
        json all = json::array();
        for (const journal::Difference& d : differences)
            all.push_back(
                {{"name", d.name}, {a, d.a ? json(*d.a) : json(nullptr)}, {b, d.b ? json(*d.b) : json(nullptr)}});
        Print(all.dump() + "\n");
        return;
    }
    std::string out;
    for (const journal::Difference& d : differences)
        out += d.name + " " + a + "=" + d.a.value_or("(none)") + " " + b + "=" + d.b.value_or("(none)") + "\n";
    Print(out);
}

int RunHistoryDiff(Session& session) {
    const std::vector<std::string>& args = session.Opts().args;
    journal::History history;
    if (!OpenHistory(session, history)) return kExitFile;
    journal::Entry a, b;
    if (!LoadSnapshot(history, args[0], a)) return kExitUsage;
    if (args[1] == kNow) {
        int rc = kExitOk;
        if (!ReadNow(session, b.values, rc)) return rc;
    } else if (!LoadSnapshot(history, args[1], b)) {
        return kExitUsage;
    }
    const auto differences = journal::Compare(a.values, b.values);
    PrintDifferences(session, differences, args[0], args[1]);
    return differences.empty() ? kExitOk : kExitCameraRefused;
}

int RunHistoryExport(Session& session) {
    const std::vector<std::string>& args = session.Opts().args;
    const std::string& path = args[1];
    journal::History history;
    if (!OpenHistory(session, history)) return kExitFile;
    journal::Entry snapshot;
    if (!LoadSnapshot(history, args[0], snapshot)) return kExitUsage;
    if (const int rc = CheckFileToWrite(path, session.Opts().yes); rc != kExitOk) return rc;
    std::string reason;
    // Every value the snapshot holds that a settings file carries; a factory row is in it only when
    // the snapshot was taken in factory mode, and the loader takes it only in factory mode.
    std::string text;
    const std::vector<std::string> lines = journal::SettableValues(session.Services().table, snapshot.values, true);
    for (const std::string& line : lines) text += line + "\r\n";
    if (platform::WriteFileAtomically(path, text, reason) != platform::WriteResult::Written) {
        std::fprintf(stderr, "vr8200ctl: %s: %s; nothing was written\n", path.c_str(), reason.c_str());
        return kExitFile;
    }
    Print(FormatValues({{"file", path, true}, {"lines", std::to_string(lines.size()), false}}, session.Opts().json));
    return kExitOk;
}

int RunHistoryPrune(Session& session) {
    const std::string before = session.Opts().Value("before");
    const auto time = journal::ParseTime(before, std::chrono::system_clock::now());
    if (!time) {
        PrintError("--before takes a UTC date and time (2026-01-01, 2026-01-01T08:00) or a span back (365d), not \"" +
                   Printable(before) + "\"");
        return kExitUsage;
    }
    journal::History history;
    if (!OpenHistory(session, history)) return kExitFile;
    std::string error;
    const int64_t count = history.Prune(*time, error);
    if (count < 0) {
        PrintError(session.JournalPath() + ": " + error);
        return kExitFile;
    }
    Print(FormatValues({{"pruned", std::to_string(count), false}, {"before", *time, true}}, session.Opts().json));
    return kExitOk;
}

int RunHistoryLocation(Session& session) {
    const std::vector<std::string>& args = session.Opts().args;
    if (!args.empty()) {
        platform::CRegistry& store = session.Services().registry;
        // An empty name goes back to the user's data folder.
        if (store.WriteNamedText(journal::kJournalFileSetting, args[0]) != 1) {
            PrintError("the setting could not be stored");
            return kExitFile;
        }
    }
    Print(FormatValues({{"journal", session.JournalPath(), true}}, session.Opts().json));
    return kExitOk;
}

int RunRevert(Session& session) {
    journal::History history;
    if (!OpenHistory(session, history)) return kExitFile;
    journal::Entry snapshot;
    if (!LoadSnapshot(history, session.Opts().Value("to"), snapshot)) return kExitUsage;
    std::vector<std::string> now;
    int rc = kExitOk;
    if (!ReadNow(session, now, rc)) return rc;
    camera::CameraSession& camera = session.Camera();
    if (snapshot.camera.model != camera.Model().name)
        std::fprintf(stderr, "vr8200ctl: snapshot %lld is of a %s; this camera is a %s\n",
                     static_cast<long long>(snapshot.id), Printable(snapshot.camera.model).c_str(),
                     Printable(camera.Model().name).c_str());
    const std::vector<journal::Difference> changes = journal::RevertChanges(camera, snapshot.values, now);
    PrintDifferences(session, changes, "snapshot", "now");
    if (!session.Opts().yes) {
        if (!changes.empty())
            std::fprintf(stderr, "vr8200ctl: nothing was written; --yes writes these %zu values\n", changes.size());
        return kExitOk;
    }
    // In table order, as a change in the window goes; the first refusal ends it and is told.
    return journal::ApplyRevert(camera, changes) ? kExitOk : kExitCameraRefused;
}

void HistoryArguments(CLI::App& sub, Options& o) {
    sub.add_option("--camera", o.values["camera"], "only the entries of this camera ID or link");
    sub.add_option("--since", o.values["since"], "only the entries since this UTC time, or this span back (7d)");
}

}  // namespace

void AddHistoryCommands(CommandList& commands) {
    commands.push_back({"history", "list the change journal's entries: ID TIME KIND CAMERA WHAT USER@HOST PROGRAM",
                        HistoryArguments, RunHistory});
    commands.push_back(
        {"history diff", "the differences between snapshots A and B (B may be \"now\": the camera)",
         [](CLI::App& sub, Options& o) { sub.add_option("SNAPSHOTS", o.args, "A and B")->required()->expected(2); },
         RunHistoryDiff});
    commands.push_back(
        {"history export", "write snapshot SNAPSHOT as a settings file the loader reads",
         [](CLI::App& sub, Options& o) {
             sub.add_option("SNAPSHOT FILE", o.args, "the snapshot and the .cam file")->required()->expected(2);
         },
         RunHistoryExport});
    commands.push_back(
        {"history prune", "delete the entries before TIME (a UTC time, or a span back: 365d)",
         [](CLI::App& sub, Options& o) { sub.add_option("--before", o.values["before"], "TIME")->required(); },
         RunHistoryPrune});
    commands.push_back(
        {"history location", "print the journal file; with FILE, keep the journal there from now on",
         [](CLI::App& sub, Options& o) {
             sub.add_option("FILE", o.args, "the journal's new place (\"\" for the default)")->expected(0, 1);
         },
         RunHistoryLocation});
    commands.push_back(
        {"revert",
         "connect, read every setting, and write back the values that differ from a "
         "snapshot; without --yes only lists them",
         [](CLI::App& sub, Options& o) { sub.add_option("--to", o.values["to"], "SNAPSHOT")->required(); }, RunRevert});
}

}  // namespace vr::cli
