// lut read and lut write: the three LUT tables between the camera and a gamma file.

#include "CommandList.h"
#include "TableFileRun.h"
#include "lut/LutTables.h"
#include "protocol/OnlineStatus.h"

namespace vr::cli {
namespace {

using lut::TableFileOutcome;

int RunLutRead(Session& session) {
    TableFileRun run(session);
    lut::TableFiles& files = run.Files();
    // Asked before the camera is read, so a refusal costs nothing.
    if (auto o = files.ConfirmReplace(run.Path()); o != TableFileOutcome::Done) return run.Exit(o);
    if (int rc = run.Connect(); rc != kExitOk) return rc;
    if (auto o = run.Transfer([&] { return files.ReadLutTables(); }); o != TableFileOutcome::Done)
        return run.Exit(o, "the LUT tables");
    return run.Exit(files.WriteGammaFile(run.Path()));
}

int RunLutWrite(Session& session) {
    TableFileRun run(session);
    lut::TableFiles& files = run.Files();
    if (auto o = files.ReadGammaFile(run.Path()); o != TableFileOutcome::Done) return run.Exit(o);
    if (auto o = files.ConfirmShortFile(files.LastFileEntries(), lut::kLutEntries, false); o != TableFileOutcome::Done)
        return run.Exit(o);
    if (int rc = run.Connect(); rc != kExitOk) return rc;
    return run.Exit(run.Transfer([&] { return files.WriteLutTables(); }), "the LUT tables");
}

void FileArgument(CLI::App& sub, Options& o) {
    sub.add_option("FILE", o.args, "the gamma file (csv)")->required()->expected(1);
}

}  // namespace

void AddLutFileCommands(CommandList& commands) {
    commands.push_back({"lut read",
                        "connect, read the red, green and blue tables (index then data, entries 0..255), write them "
                        "to FILE as a gamma file",
                        FileArgument, RunLutRead});
    commands.push_back({"lut write",
                        "read the gamma file FILE, connect, write the red, green and blue tables (index then data "
                        "per entry)",
                        FileArgument, RunLutWrite});
}

}  // namespace vr::cli
