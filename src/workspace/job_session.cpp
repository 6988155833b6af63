// The session's parts, made in the order they use each other.
#include "workspace/job_session.h"

namespace tessaly {

JobSession::JobSession(PrinterCatalogue* catalogue)
    : job_(LoadJobSettings()),
      photos_(job_),
      printers_(catalogue),
      setup_(job_),
      run_(job_, printers_, layout_) {}

}  // namespace tessaly
