// The Cancel button of the two progress windows ("Print" and "Saving Files"): the
// question each one asks, and what the window does with the answer. A print run's
// window closes on Yes and stays behind other windows on No; the save run's window
// comes back on top after either answer and closes when the run stops. Yes sets the
// program-wide cancel flag, which the run polls at its next step.
#pragma once

#include <QString>

#include "controls/ui_service.h"

namespace tessaly {

inline constexpr char kCancelPrintQuestion[] = QT_TRANSLATE_NOOP("Tessaly", "Cancel print job?");
inline constexpr char kStopSavingQuestion[] = QT_TRANSLATE_NOOP("Tessaly", "Stop saving files?");

struct ProgressCancelOutcome {
  bool cancelled = false;      // Yes: the cancel flag is set
  bool close_window = false;   // the progress window closes now
  bool topmost_again = false;  // the progress window goes back on top
};

// Asks the question of the progress window of the run `run` (Yes/No, question icon)
// through the Ui service.
ProgressCancelOutcome AskToCancelRun(RunKind run);

}  // namespace tessaly
