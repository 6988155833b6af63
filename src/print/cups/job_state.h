// What the print server says of one job: its state and, in words, why it is there
// (the printer's own message, else its state reasons). A job whose queue stopped
// (the printer failed it, out of paper, jammed) counts as stopped even while the
// server still lists it as pending.
#pragma once

#include <cups/cups.h>

#include <QString>

namespace tessaly {

struct JobState {
  ipp_jstate_t state = IPP_JSTATE_PENDING;
  QString reason;

  // Completed: the printer printed it.
  bool Printed() const { return state == IPP_JSTATE_COMPLETED; }
  // Stopped, cancelled or aborted: it will not print without someone's help.
  bool Failed() const { return state >= IPP_JSTATE_STOPPED && state != IPP_JSTATE_COMPLETED; }
};

// Asks the server on `http` for job `job`'s state; false when it did not answer.
bool AskJobState(http_t* http, int job, JobState& state);

}  // namespace tessaly
