// vr8200ctl: the VR-8200 Control Tool without windows.

#include <map>

#include "Commands.h"
#include "Options.h"
#include "Session.h"

int main(int argc, char** argv) {
    vr::cli::Options options;
    const auto parsed = vr::cli::ParseOptions(argc, argv, options);
    if (!parsed.parsed) return parsed.exitCode;

    vr::cli::Session session(options);
    if (int rc = session.Prepare(); rc != vr::cli::kExitOk) return rc;

    using Runner = int (*)(vr::cli::Session&);
    const std::map<std::string, Runner> commands = {
        {"ports", vr::cli::RunPorts}, {"connect", vr::cli::RunConnect}, {"dump", vr::cli::RunDump},
        {"get", vr::cli::RunGet},     {"set", vr::cli::RunSet},         {"send", vr::cli::RunSend},
    };
    return commands.at(options.command)(session);
}
