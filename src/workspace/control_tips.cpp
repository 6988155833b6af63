// The dialogs' tool tips.
#include "workspace/control_tips.h"

#include <QtGlobal>
#include <cstring>

namespace tessaly {
namespace {

struct ControlTipEntry {
  const char* name;
  int index;  // −1: any element, or not an array
  const char* tip;
};

constexpr ControlTipEntry kTips[] = {
    {"cmdOK", -1, QT_TRANSLATE_NOOP("Tessaly", "Keep the changes and close the window")},
    {"cmdCancel", -1, QT_TRANSLATE_NOOP("Tessaly", "Close the window without keeping the changes")},
    {"cmdHelp", -1, QT_TRANSLATE_NOOP("Tessaly", "Open the help page of this window")},
    {"cboPrinters", -1, QT_TRANSLATE_NOOP("Tessaly", "The printer the job is printed on")},
    {"cmdPrinter", -1,
     QT_TRANSLATE_NOOP("Tessaly", "Choose the printer's paper, media type, quality and tray")},
    {"cmdPreferences", -1,
     QT_TRANSLATE_NOOP("Tessaly", "Units, date format, screen photo size and saved-file options")},
    {"cboUnits", -1, QT_TRANSLATE_NOOP("Tessaly", "The unit of photo sizes and margins")},
    {"cboDateMask", -1,
     QT_TRANSLATE_NOOP("Tessaly", "How the date printed with a photo is written")},
    {"cboScreenPhotoSize", -1,
     QT_TRANSLATE_NOOP("Tessaly", "The smallest size of the photo on the screen, in pixels")},
    {"chkUpright", -1,
     QT_TRANSLATE_NOOP("Tessaly", "Show, print and save photos the way the camera was held")},
    {"chkSaveGps", -1,
     QT_TRANSLATE_NOOP("Tessaly", "Saved files keep the place where the photo was taken")},
    {"txtPhotoWidth", -1, QT_TRANSLATE_NOOP("Tessaly", "The photo's width, its margins included")},
    {"txtPhotoHeight", -1,
     QT_TRANSLATE_NOOP("Tessaly", "The photo's height, its margins included")},
    {"txtPhotoMargins", -1, QT_TRANSLATE_NOOP("Tessaly", "The white border around the picture")},
    {"txtImageWidth", -1, QT_TRANSLATE_NOOP("Tessaly", "The picture's width inside the margins")},
    {"txtImageHeight", -1, QT_TRANSLATE_NOOP("Tessaly", "The picture's height inside the margins")},
    {"txtICCFile", -1,
     QT_TRANSLATE_NOOP("Tessaly", "The printer's colour profile; empty to print without one")},
    {"cmdICCBrowse", -1, QT_TRANSLATE_NOOP("Tessaly", "Choose the printer's colour profile file")},
    {"txtInterpolVal", 1,
     QT_TRANSLATE_NOOP("Tessaly", "Photos with fewer pixels per inch are enlarged to this")},
    {"txtInterpolVal", 2,
     QT_TRANSLATE_NOOP("Tessaly", "Photos with more pixels per inch are reduced to this")},
    {"chkSharpen", -1, QT_TRANSLATE_NOOP("Tessaly", "Sharpen the photos after they are resized")},
    {"txtSpoolWait", -1,
     QT_TRANSLATE_NOOP("Tessaly", "Seconds to wait between pages, so that the printer keeps up")},
    {"cmdPrint", -1, QT_TRANSLATE_NOOP("Tessaly", "Print the job")},
    {"txtSaveInFolder", -1, QT_TRANSLATE_NOOP("Tessaly", "The folder the photos are saved in")},
    {"cmdBrowse", -1, QT_TRANSLATE_NOOP("Tessaly", "Choose the folder")},
    {"cboRenameAs", -1, QT_TRANSLATE_NOOP("Tessaly", "The template of the saved files' names")},
    {"cboSaveAsType", -1, QT_TRANSLATE_NOOP("Tessaly", "The file type of the saved photos")},
    {"cboJPEGQuality", -1, QT_TRANSLATE_NOOP("Tessaly", "A JPEG quality from the usual ones")},
    {"txtJPEGQuality", -1, QT_TRANSLATE_NOOP("Tessaly", "The JPEG quality, from 0 to 100")},
    {"cmdSave", -1, QT_TRANSLATE_NOOP("Tessaly", "Save every photo of the job as a new file")},
    {"chkPreview", -1, QT_TRANSLATE_NOOP("Tessaly", "Show the chosen file before it is added")},
    {"cmdView", -1, QT_TRANSLATE_NOOP("Tessaly", "Show the chosen photo larger")},
    {"cboPaper", -1, QT_TRANSLATE_NOOP("Tessaly", "The paper the printer prints on")},
    {"cboMediaType", -1, QT_TRANSLATE_NOOP("Tessaly", "The kind of paper in the printer")},
    {"cboQuality", -1, QT_TRANSLATE_NOOP("Tessaly", "The printer's print quality")},
    {"cboMediaSource", -1, QT_TRANSLATE_NOOP("Tessaly", "The tray the paper is taken from")},
};

}  // namespace

const char* ControlTip(const char* name, int index) {
  for (const ControlTipEntry& entry : kTips)
    if (std::strcmp(entry.name, name) == 0 && (entry.index < 0 || entry.index == index))
      return entry.tip;
  return nullptr;
}

}  // namespace tessaly
