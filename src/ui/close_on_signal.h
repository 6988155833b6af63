// Closes the program's windows, as the user closing them would, when the process
// is asked to end (SIGTERM at logout, SIGINT, SIGHUP): the main window then writes
// its settings, the program ends when its last window has closed and the codec
// session ends normally. The signal handler only writes
// a byte to a pipe; the closing runs later in the event loop.
#pragma once

namespace tessaly {

// Installs the handlers; call once, after the QApplication exists. False when the
// pipe or a handler could not be set up (the signals then end the process as usual).
bool CloseWindowsOnSignals();

}  // namespace tessaly
