// The batch save: every photo of the job opened (a JPEG decoded no larger than the
// resolution limits need), turned, cropped and resampled to the resolution limits in one step,
// edited, converted from its embedded profile to sRGB, sharpened, given its white margin, frame and
// label, and encoded into the target folder under a name from the template (never overwriting a
// file). Questions and progress go through the Ui service; the program-wide cancel flag stops the
// run before the photo in hand is written. A complete run records every photo in the edit history;
// a cancelled or aborted run records none.
#pragma once

#include <QString>
#include <QStringList>

#include "job/picture_manager.h"
#include "surface/cdib.h"
#include "surface/cgdiimage.h"

namespace tessaly {

// Caption of the progress window of a save run.
// Extension (with its dot) and encoder type code of a type-list text, compared in
// upper case on its first two letters: "JP" .jpg 1, "TI" .tif 3, "PN" .png 2,
// "BM" .bmp 4. False for any other text.
bool SaveTypeOf(const QString& type_text, QString& extension, int& type_code);

struct SaveRunOptions {
  QString type_text = QStringLiteral("JPEG (JPG)");  // a text of the type list
  QString folder;                                    // ends in a separator
  QString name_template = QStringLiteral("[Filename]");
  QString quality_text = QStringLiteral("90");  // read as a whole number at each save
};

struct SaveRunReport {
  int saved = 0;
  int skipped = 0;              // Ignore on an open or save failure
  bool cancelled = false;       // the cancel flag stopped the run
  bool aborted = false;         // Abort on an open or save failure
  bool history_failed = false;  // the edit history could not record every photo
  QStringList files;            // full paths written, in job order
};

// Runs the save over the whole job with the job's resolution limits, default
// sharpening, margin, frame and label settings.
SaveRunReport SavePhotos(MyPictureManager& job, const SaveRunOptions& options);

// Turns the opened file of `photo` into its final pixels and leaves them in `image`
// (through CreateFromDIB on `result`, which must outlive the save). False when the
// cancel flag stopped it or a step failed; `image` is then empty, so the unprocessed
// file can never be saved in its place.
bool PrepareSavePhoto(cGDIImage& image, cDIB& result, const MyPicture& photo,
                      const JobSettings& settings);

}  // namespace tessaly
