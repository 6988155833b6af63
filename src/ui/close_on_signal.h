// Ends the program when the process is asked to (SIGTERM at logout, SIGINT, SIGHUP),
// in every state: a run in hand is cancelled, every window is closed as the user
// closing it would (the main window keeps the job and writes its settings), and the
// application quits once no window is left, from start-up dialogs and modal boxes
// alike. The signal handler only writes a byte to a pipe; the closing runs in the
// event loop. Should the process still live kGraceSeconds later (an event loop held
// up by a call that does not return), a watchdog thread ends it; a second signal
// ends it at once. Both exit with 128 + the signal's number.
#pragma once

namespace tessaly {

inline constexpr int kGraceSeconds = 4;

// Installs the handlers; call once, after the QApplication exists. False when the
// pipe, the watchdog or a handler could not be set up (the signals then end the
// process as usual).
bool CloseWindowsOnSignals();

// True once a signal asked the program to end: start-up stops asking questions.
bool EndRequested();

}  // namespace tessaly
