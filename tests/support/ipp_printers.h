// The simulated driverless printers and their CUPS queues that scripts/start_cups.sh
// sets up: "Tessaly Photo" (a 300 dpi colour photo printer that prints every job)
// and "Tessaly Jam" (the same printer, which aborts every job). Each keeps the files
// it receives in its own spool folder. Photo_4x6 and Photo_Letter print on the photo
// printer with 4x6 in and Letter as the queue's default paper; Photo_Jam on the jam one.
#pragma once

namespace tessaly::test {

inline constexpr char kPhotoQueue[] = "Photo_4x6";
inline constexpr char kPhotoLetterQueue[] = "Photo_Letter";
inline constexpr char kJamQueue[] = "Photo_Jam";

inline constexpr int kPhotoPrinterPort = 8501;
inline constexpr int kJamPrinterPort = 8502;

inline constexpr char kPhotoSpoolFolder[] = "/var/tmp/tessaly-ipp/photo";
inline constexpr char kJamSpoolFolder[] = "/var/tmp/tessaly-ipp/jam";

}  // namespace tessaly::test
