#pragma once
// The subcommands of vr8200ctl. Each feature brings its own in a file of its own (CoreCommands.cpp
// for ports, connect, dump, get, set and send) and main.cpp collects them; the help lists them in
// that order. A name with a blank ("lut curve") is a member of a group ("lut") that several files
// may add to.

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

#include "Options.h"

namespace vr::cli {

class Session;

struct Subcommand {
    std::string name;
    std::string description;
    // Adds the subcommand's own arguments to its parser; their values go into the options.
    std::function<void(CLI::App& sub, Options& options)> arguments;
    // Runs it; returns the process's exit status.
    std::function<int(Session& session)> run;
};

using CommandList = std::vector<Subcommand>;

void AddCoreCommands(CommandList& commands);
void AddSettingsCommands(CommandList& commands);
void AddOnePushCommands(CommandList& commands);
void AddIdentityCommands(CommandList& commands);
// "lut curve": a gamma file from edit points.
void AddLutCurveCommands(CommandList& commands);
void AddLutFileCommands(CommandList& commands);
void AddShadingCommands(CommandList& commands);
// "doctor": the serial ports' set-up.
void AddDoctorCommands(CommandList& commands);
// "check", "apply", "snapshot": commands of many cameras (with --cameras).
void AddFleetCommands(CommandList& commands);
// The command of this run on every camera of the --cameras inventory; the exit status.
int RunFleet(const Options& options);
// "history" and "revert": the change journal.
void AddHistoryCommands(CommandList& commands);
// "serve": the scripting session, which runs the other subcommands (so it comes last); the options
// are the session's, which each request's arguments fill in.
void AddServeCommands(CommandList& commands, Options& options);

}  // namespace vr::cli
