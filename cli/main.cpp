// vr8200ctl: the VR-8200 Control Tool without windows.

#include <algorithm>

#include "CommandList.h"
#include "Interrupt.h"
#include "Options.h"
#include "Session.h"

int main(int argc, char** argv) {
    using namespace vr::cli;
    Options options;
    CommandList commands;
    AddCoreCommands(commands);
    AddSettingsCommands(commands);
    AddOnePushCommands(commands);
    AddIdentityCommands(commands);
    AddLutCurveCommands(commands);
    AddLutFileCommands(commands);
    AddShadingCommands(commands);
    AddDoctorCommands(commands);
    AddFleetCommands(commands);
    AddHistoryCommands(commands);
    AddServeCommands(commands, options);

    const auto parsed = ParseOptions(argc, argv, commands, options);
    if (!parsed.parsed) return parsed.exitCode;
    if (!InstallInterruptHandler()) return kExitUsage;

    int rc = kExitOk;
    if (options.cameras) {
        rc = RunFleet(options);
    } else {
        Session session(options);
        rc = session.Prepare();
        if (rc == kExitOk) {
            const auto command = std::find_if(commands.begin(), commands.end(),
                                              [&](const Subcommand& c) { return c.name == options.command; });
            rc = command->run(session);
        }
    }
    // Stopped by a signal: 130 for Ctrl-C, 143 for SIGTERM, 129 for SIGHUP, as a shell would report
    // the program it ended; a signal after the work was done changes nothing.
    const int stopped = StoppedExitCode();
    return stopped != 0 ? stopped : rc;
}
