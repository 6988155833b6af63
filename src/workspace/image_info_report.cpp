// The image-information text: fixed labels with their tabs and leading blanks, the
// print size in inches (÷ 25.4) or centimetres (÷ 10) with up to two decimals, the
// EXIF and colour-space lines, and the last print date only when there is one.
#include "workspace/image_info_report.h"

#include "controls/formatting.h"
#include "controls/units.h"

namespace tessaly {

QString ImageInfoReport(const MyPicture& photo, int units, const QString& display_profile) {
  const QString tab = QStringLiteral("\t");
  const QString crlf = QStringLiteral("\r\n");
  const bool inches = units == kUnitsInches;
  const double divisor = MmPerDisplayUnit(inches);
  const QString size_pattern = QStringLiteral("##0.0#");
  const ExifTexts& exif = photo.Exif();

  QString text;
  text += " File Name:" + tab + photo.Filename() + crlf;
  text += " File Size:" + tab + tab + QString::number(photo.PhotoPixelsWidth()) + " x " +
          QString::number(photo.PhotoPixelsHeight()) + " pixels" + crlf;
  text += " Print Size:" + tab + FormatNumber(photo.ImgPrintHeight() / divisor, size_pattern) +
          " x " + FormatNumber(photo.ImgPrintWidth() / divisor, size_pattern) +
          (inches ? " in" : " cm") + "\r" + crlf + crlf;
  text += " EXIF Data:" + crlf;
  text += "    Camera Maker:" + tab + exif.Maker + crlf;
  text += "    Camera Model:" + tab + exif.Model + crlf;
  text += "    Date Taken:   " + tab + exif.DateTaken + crlf;
  text += "    Lens Aperture:" + tab + exif.Aperture + crlf;
  text += "    Shutter Speed:" + tab + exif.ShutterSpeed + crlf;
  text += "    Focal Lenght: " + tab + exif.FocalLength + crlf;
  text += "    ISO Speed: " + tab + exif.IsoSpeed + crlf;
  text += "    Flash Mode:   " + tab + exif.Flash + crlf + crlf;
  text += " Color space:" + crlf;
  text += QStringLiteral("    Embedded profile:  ") + (photo.HaveEmbededProfile() ? "Yes" : "No") +
          crlf;
  text += "    Input profile:" + tab + "  " + photo.EmbededProfileDescription() + crlf;
  text += "    Display profile:" + tab + "  " + display_profile;
  if (!photo.PreviousPrintDate().isEmpty())
    text += crlf + crlf + " Printed at: " + tab + photo.PreviousPrintDate();
  return text;
}

}  // namespace tessaly
