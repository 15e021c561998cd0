// shading read, shading write and shading store: the shading data between the camera and a shading
// file, and into the camera's flash memory.

#include "CommandList.h"
#include "TableFileRun.h"
#include "lut/ShadingBuffer.h"
#include "protocol/OnlineStatus.h"

namespace vr::cli {
namespace {

using lut::TableFileOutcome;

int RunShadingRead(Session& session) {
    TableFileRun run(session);
    lut::TableFiles& files = run.Files();
    if (auto o = files.ConfirmReplace(run.Path()); o != TableFileOutcome::Done) return run.Exit(o);
    if (int rc = run.Connect(); rc != kExitOk) return rc;
    if (auto o = files.CheckShadingMode(); o != TableFileOutcome::Done) return run.Exit(o, "SDM");
    if (auto o = run.Transfer([&] { return files.ReadShading(); }); o != TableFileOutcome::Done)
        return run.Exit(o, "the shading data");
    return run.Exit(files.WriteShadingFile(run.Path()));
}

int RunShadingWrite(Session& session) {
    TableFileRun run(session);
    lut::TableFiles& files = run.Files();
    if (auto o = files.ReadShadingFile(run.Path()); o != TableFileOutcome::Done) return run.Exit(o);
    if (auto o = files.ConfirmShortFile(files.LastFileEntries(), lut::kShadingEntries, true);
        o != TableFileOutcome::Done)
        return run.Exit(o);
    if (int rc = run.Connect(); rc != kExitOk) return rc;
    if (auto o = files.CheckShadingMode(); o != TableFileOutcome::Done) return run.Exit(o, "SDM");
    return run.Exit(run.Transfer([&] { return files.WriteShading(); }), "the shading data");
}

int RunShadingStore(Session& session) {
    TableFileRun run(session);
    if (int rc = run.Connect(); rc != kExitOk) return rc;
    return run.Exit(run.Files().StoreShading(), "SDDA");
}

void FileArgument(CLI::App& sub, Options& o) {
    sub.add_option("FILE", o.args, "the shading file (csv)")->required()->expected(1);
}

}  // namespace

void AddShadingCommands(CommandList& commands) {
    commands.push_back({"shading read",
                        "connect, check that the shading mode (SDM) is on, read the G, R and B planes, write them to "
                        "FILE",
                        FileArgument, RunShadingRead});
    commands.push_back({"shading write",
                        "read the shading file FILE, connect, check SDM, write the three planes, then SDDU=0",
                        FileArgument, RunShadingWrite});
    commands.push_back({"shading store", "connect, SDDA=0: the camera keeps its shading data in flash memory", nullptr,
                        RunShadingStore});
}

}  // namespace vr::cli
