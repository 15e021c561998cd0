#pragma once
// What the table file subcommands (lut read/write, shading read/write/store) share: the table files
// feature over tables without editor windows, the connection, and the exit status of each step.

#include <cstdio>
#include <string>

#include "Options.h"
#include "Output.h"
#include "Session.h"
#include "lut/PlainLutTables.h"
#include "lut/TableFiles.h"

namespace vr::cli {

class TableFileRun {
public:
    explicit TableFileRun(Session& session) : session_(session), files_(session.Camera(), tables_) {}

    lut::TableFiles& Files() { return files_; }
    const std::string& Path() const { return session_.Opts().args.front(); }

    // The start-up sequence without reading the settings; kExitOk or kExitNoLink.
    int Connect() { return session_.ConnectOrFail(false); }

    // A transfer, told on stderr in one line: the report of a transfer that did not go through
    // instead of a line for each command that failed on the way.
    template <typename Step>
    lut::TableFileOutcome Transfer(Step step) {
        session_.Platform().Mute(true);
        const lut::TableFileOutcome outcome = step();
        session_.Platform().Mute(false);
        if (outcome != lut::TableFileOutcome::Done) PrintError(lut::DescribeFailures(files_.LastReport()));
        return outcome;
    }

    // The exit status of a step; the step has told what went wrong already, this adds what only
    // the command line needs to know.
    int Exit(lut::TableFileOutcome outcome, const char* command = nullptr) {
        switch (outcome) {
            case lut::TableFileOutcome::Done:
                return kExitOk;
            case lut::TableFileOutcome::Declined:
                PrintError("nothing done; --yes answers Yes");
                return kExitUsage;
            case lut::TableFileOutcome::FileFailed:
                if (!files_.LastFileError().empty())
                    std::fprintf(stderr, "vr8200ctl: %s: %s\n", Path().c_str(), files_.LastFileError().c_str());
                return kExitFile;
            case lut::TableFileOutcome::CameraFailed:
                if (command != nullptr && !session_.Services().status.IsOnline())
                    std::fprintf(stderr, "vr8200ctl: no answer to %s\n", command);
                return kExitCameraRefused;
            case lut::TableFileOutcome::Stopped:
                return kExitInterrupted;
        }
        return kExitCameraRefused;
    }

private:
    Session& session_;
    lut::PlainLutTables tables_;
    lut::TableFiles files_;
};

}  // namespace vr::cli
