#pragma once
// Ctrl-C, SIGTERM and SIGHUP: the first one asks the running operation to stop at the next command
// boundary, so the camera is never left mid-reply, and what was done is reported; a second one ends
// the program at once.

namespace vr::cli {

// Installs the handler for SIGINT, SIGTERM and SIGHUP. False (with a message on stderr) when the
// system refused it.
bool InstallInterruptHandler();
// True once one of the signals came, or while the program itself asks the operation under way to
// stop (RequestStop).
bool StopRequested();
// True once one of the signals came.
bool SignalCame();
// The scripting session's cancel: the operation under way stops as for Ctrl-C, and ends as stopped
// (130). ClearStopRequest takes the request back before the next operation; a signal stays.
void RequestStop();
void ClearStopRequest();
// An operation that stops because of it says so here; only then does the program end as stopped.
// A signal that comes after the work was done turns no success into a failure.
void StopHonoured();
// The exit status of a stopped run: 128 and the signal, as a shell reports a program it ended
// (130 for Ctrl-C); 0 when no operation stopped for a signal.
int StoppedExitCode();

}  // namespace vr::cli
