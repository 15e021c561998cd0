#pragma once
// The commands of vr8200ctl. Each returns the process's exit status.

#include "Session.h"

namespace vr::cli {

int RunPorts(Session& session);
int RunConnect(Session& session);
int RunDump(Session& session);
int RunGet(Session& session);
int RunSet(Session& session);
int RunSend(Session& session);

}  // namespace vr::cli
