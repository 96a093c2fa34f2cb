// Signals: the break signal (SIGINT, Ctrl-C) and the signals that end the
// program (SIGTERM, SIGHUP).
//
// The handlers only note the signal in a flag and write its number into a
// pipe; a watcher thread reads the pipe and does the work, so that nothing
// but those two steps runs inside a handler. The first SIGINT calls the
// installed break hook (the command loop then takes QUIT, which asks
// whether to save); a further SIGINT, SIGTERM and SIGHUP end the program:
// the watcher runs the signal cleanups (the private temporary folder, any
// unfinished replacement file), then lets the signal's default action end
// the process, so that its parent sees how it ended.
//
// This module knows nothing of windows: the program installs the hook that
// carries a break to its command input.
#pragma once

namespace folioteer {

using SignalHook = void (*)();

// Installs the handlers and starts the watcher (once per process); a later
// call only replaces the break hook. Without a hook a SIGINT ends the
// program as SIGTERM does.
void InstallSignalHandling(SignalHook onBreak);

// Work to do before the program ends on a signal, on the watcher thread,
// the newest first. A cleanup takes the locks it needs and never releases
// what would let the program go on writing: the process ends right after.
// Add the cleanup before making what it cleans up, and not while holding a
// lock that a cleanup takes: once the end has begun, adding one waits for
// the end.
void AddSignalCleanup(SignalHook cleanup);

}  // namespace folioteer
