// The main window's own rules: the file-information line under the photo, the
// screen photo size in use for a screen width (the stored setting is left as it
// is), and the window's arrangement for the screen width with its warning on a
// screen narrower than 800 pixels. Widths are in screen pixels.
#pragma once

#include <QString>
#include <QtGlobal>

#include "job/picture_manager.h"
#include "surface/image_read_status.h"

namespace tessaly {

// A photo printing at fewer pixels per inch than this looks soft when the print
// options set no minimum resolution.
inline constexpr int kLowResolutionPpi = 150;
// The resolution under which a photo is marked as printing soft: the print options'
// minimum resolution when its box is checked and it holds a number above 0 (the
// photo is then enlarged to it), else kLowResolutionPpi.
int LowResolutionLimit(const QString& settings_file);
// True when the photo prints, and below `limit`.
bool LowResolution(double print_resolution, int limit);

// " File p/n", "  Name: " and the bare file name, then (outside contact-sheet mode)
// "  Print Resolution: " and the resolution formatted "#####.0" followed by " ppi.",
// and " Low: under L ppi." when it is below `limit` L; the three parts on their own
// lines. `position` is 0-based.
QString FileInfoText(int position, int count, const QString& file, bool contact_sheet,
                     double print_resolution, int limit);
// The line for the photo at `position` of `job` (an empty text for no such photo).
QString FileInfoText(const MyPictureManager& job, int position, int limit);

// The screen photo size used for the run: the setting, at least kMinScreenPhotoSize;
// kMinScreenPhotoSize on a screen at most 800 pixels wide; at most 540 on a screen
// exactly 1024 pixels wide.
int ScreenPhotoSizeInUse(int setting, int screen_width);

// The window's arrangements: for screens at least 1024, at least 800 and fewer
// pixels wide.
enum class ScreenArrangement { kWide, kMedium, kSmall };
ScreenArrangement ArrangementForScreen(int screen_width);

// The notice over the photos while the job is in contact-sheet mode.
inline constexpr char kContactSheetNotice[] =
    QT_TRANSLATE_NOOP("Tessaly",
                      "Contact sheet mode: the photos print as thumbnails with their file names. "
                      "Choose Photo layout in the job settings to edit them.");

inline constexpr char kRemoveAllQuestion[] = QT_TRANSLATE_NOOP("Tessaly", "Remove all images?");
// Said when a print command finds no printer it can use.
inline constexpr char kNoPrinterMessage[] = QT_TRANSLATE_NOOP("Tessaly", "No printer!");

// The message for a file given on the command line or dropped on the window that
// could not be added: its name and why (exclamation icon); the others are still added.
QString PhotoNotAddedText(const QString& file, ImageReadStatus status);

// The message when the job cannot take the next photo: it holds job.Capacity().
QString JobFullText(const MyPictureManager& job);

inline constexpr char kSmallScreenMessage[] = QT_TRANSLATE_NOOP(
    "Tessaly", "For correct display, Tessaly needs at least 800x600 screen resolution!");
// Shows kSmallScreenMessage (information icon) on a screen narrower than 800
// pixels; true when it did. The window goes on with the small arrangement.
bool WarnIfScreenTooSmall(int screen_width);

}  // namespace tessaly
