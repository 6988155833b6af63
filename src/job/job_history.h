// The edit-history records written after a complete print or save run: for every
// photo of the job, in position order, its file date, file name without folder,
// label, the seven edit values (gamma × 100), UnsharpMask, the crop corners in
// ten-thousandths of the picture's width and height, and the angle.
#pragma once

#include "job/history_store.h"
#include "job/picture_manager.h"

namespace tessaly {

// The values stored for one photo.
HistoryEdits HistoryEditsOf(const MyPicture& photo);

// Writes one history record per photo; false when any could not be written (the
// others are still written).
bool RecordJobHistory(const MyPictureManager& job);

}  // namespace tessaly
