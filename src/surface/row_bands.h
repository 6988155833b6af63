// Runs a row kernel over a picture in bands of rows, each band split across the
// machine's cores (at most kMaxRowThreads), and polls for a stop after every band
// on the calling thread, so the user interface stays responsive and a stop lands
// between bands. The kernel must only write rows inside the range it is given.
#pragma once

#include <functional>

#include "surface/surface_view.h"

namespace tessaly {

// Upper bound on worker threads: beyond this, memory bandwidth, not arithmetic,
// limits the pixel kernels.
inline constexpr int kMaxRowThreads = 8;

// Calls work(first_row, end_row) for disjoint ranges covering [0, rows), band by
// band; after each band calls `poll` (when set) and stops when it returns true.
// Returns true when every band ran. `threads` 0 means one per core.
bool RunRowBands(int rows, int band_rows, const std::function<void(int, int)>& work,
                 const RowPoll& poll = {}, int threads = 0);

}  // namespace tessaly
