// Main window texts and screen rules.
#include "workspace/main_window_rules.h"

#include <QCoreApplication>
#include <algorithm>

#include "controls/formatting.h"
#include "controls/ui_service.h"
#include "controls/ui_text.h"
#include "controls/utils.h"
#include "settings/settings_table.h"

namespace tessaly {
namespace {

// Screen widths (pixels) that choose the arrangement and the screen photo size.
constexpr int kWideScreen = 1024;
constexpr int kMediumScreen = 800;
// The largest screen photo size that fits the window on a 1024-pixel screen.
constexpr int kMaxScreenPhotoSizeAt1024 = 540;

}  // namespace

int LowResolutionLimit(const QString& settings_file) {
  const int minimum = ReadIntSetting(kPrintOptionsSection, "InterpolVal1", settings_file);
  return ReadCheckSetting(kPrintOptionsSection, "Interpolate1", settings_file) && minimum > 0
             ? minimum
             : kLowResolutionPpi;
}

bool LowResolution(double print_resolution, int limit) {
  return print_resolution > 0 && print_resolution < limit;
}

QString FileInfoText(int position, int count, const QString& file, bool contact_sheet,
                     double print_resolution, int limit) {
  QString text = QStringLiteral(" File ") + QString::number(position + 1) + u'/' +
                 QString::number(count) + QStringLiteral("\n  Name: ") + FileNameOfPath(file) +
                 u'\n';
  if (contact_sheet) return text;
  text += QStringLiteral("  Print Resolution: ") +
          FormatNumber(print_resolution, QStringLiteral("#####.0")) + QStringLiteral(" ppi.");
  if (LowResolution(print_resolution, limit))
    text += QCoreApplication::translate("Tessaly", " Low: under %1 ppi.").arg(limit);
  return text;
}

QString FileInfoText(const MyPictureManager& job, int position, int limit) {
  if (position < 0 || position >= job.Count()) return QString();
  const MyPicture& photo = job.At(position);
  return FileInfoText(position, job.Count(), photo.Filename(), job.Settings().ThumbMode,
                      photo.PrintResolution(), limit);
}

int ScreenPhotoSizeInUse(int setting, int screen_width) {
  int size = std::max(setting, kMinScreenPhotoSize);
  if (screen_width <= kMediumScreen) size = kMinScreenPhotoSize;
  if (screen_width == kWideScreen) size = std::min(size, kMaxScreenPhotoSizeAt1024);
  return size;
}

ScreenArrangement ArrangementForScreen(int screen_width) {
  if (screen_width >= kWideScreen) return ScreenArrangement::kWide;
  if (screen_width >= kMediumScreen) return ScreenArrangement::kMedium;
  return ScreenArrangement::kSmall;
}

bool WarnIfScreenTooSmall(int screen_width) {
  if (ArrangementForScreen(screen_width) != ScreenArrangement::kSmall) return false;
  CurrentUi().MessageBox(UiText(kSmallScreenMessage), MsgButtons::Ok, MsgIcon::Information);
  return true;
}

QString PhotoNotAddedText(const QString& file, ImageReadStatus status) {
  return QCoreApplication::translate("Tessaly", "Could not add '%1':\n%2")
      .arg(file, ImageReadStatusText(status));
}

QString JobFullText(const MyPictureManager& job) {
  return QStringLiteral(
             "The job holds %1 photos, the most it can: the other photos were not "
             "added.")
      .arg(job.Capacity());
}

}  // namespace tessaly
