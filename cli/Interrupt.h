#pragma once
// Ctrl-C: the first one asks the running operation to stop at the next command boundary, so the
// camera is never left mid-reply; a second one ends the program at once.

namespace vr::cli {

// Installs the SIGINT handler. False (with a message on stderr) when the system refused it.
bool InstallInterruptHandler();
// True once Ctrl-C was pressed.
bool StopRequested();

}  // namespace vr::cli
