// The printer's output profile by the print options' profile mode:
//   0 automatic: the profile the CUPS queue's PPD names (*cupsICCProfile), else sRGB;
//   1 sRGB;
//   2 the profile file chosen by the user; a file that does not open gives null
//     and therefore no printer conversion.
// Each call opens a new handle that the caller closes after its transform.
#pragma once

#include <QByteArray>
#include <QString>

#include "colour/colour_profiles.h"

namespace tessaly {

inline constexpr int kPrinterProfileAutomatic = 0;
inline constexpr int kPrinterProfileSrgb = 1;
inline constexpr int kPrinterProfileChosen = 2;

// `queue` is the CUPS queue name (empty: the default queue); `chosen_file` is the
// user's profile file for mode 2. Another mode value is treated as automatic.
ProfileHandle PrinterProfile(int mode, const QString& queue, const QString& chosen_file);

// Whether the pages' colours end in the printer's own space rather than sRGB: a chosen
// profile, or the automatic mode on a queue whose PPD names one.
bool ConvertsToPrinterSpace(int mode, const QString& queue);

// The profile file named by the first *cupsICCProfile line of a PPD's text,
// made absolute against `profiles_folder` when the PPD gives a relative name.
// Empty when the PPD names none.
QString PpdIccProfilePath(const QByteArray& ppd_text, const QString& profiles_folder);

// The profile file the CUPS queue's PPD names; empty when the queue, its PPD or
// the keyword is missing (also when no CUPS server answers).
QString CupsQueueProfilePath(const QString& queue);

}  // namespace tessaly
