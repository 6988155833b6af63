// The resident memory of this process, for the benchmarks that report what a window
// holds: VmRSS from /proc/self/status, in MiB.
#pragma once

namespace tessaly::bench {

// VmRSS of this process in MiB; −1 when unreadable.
double ResidentMiB();

}  // namespace tessaly::bench
