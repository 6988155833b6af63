// A job on the test image printer for the tests of the print run and of the windows
// over it: a scratch folder holding the settings file "Tesly.ini" and the edit
// history, the scripted Ui, an image printer (100 × 150 mm sheet, 5 mm margins, 4
// pixels per mm) listed and current, and an empty job of 60 × 40 mm photos with 2 mm
// margins in Portrait mode: 2 × 2 upright cells a page.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <QStringList>

#include "job/add_photo.h"
#include "job/picture_manager.h"
#include "print/job_layout.h"
#include "print/page_layout.h"
#include "print/printer_access.h"
#include "support/image_printer.h"
#include "support/scratch_home.h"

namespace tessaly::test {

class ImagePrinterJobTest : public ScratchHomeTest {
 protected:
  ImagePrinterJobTest() : ImagePrinterJobTest(5) {}
  // The same printer with sheet margins of `margin_mm`.
  explicit ImagePrinterJobTest(double margin_mm)
      : catalogue_(100, 150, margin_mm, 4.0), printers_(&catalogue_, SettingsFile()) {
    QStringList names;
    int count = 0;
    int position = 0;
    printers_.GetPrinterList(names, count, position);
    job_.Settings().Size = PhotoSize{60, 40, 2};
    job_.Settings().LayoutMode = kLayoutPortrait;
  }

  // A PNG in the scratch folder whose left half is `left` and right half `right`.
  QString Photo(const QString& name, int width, int height, QRgb left, QRgb right) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(right);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width / 2; ++x) image.setPixel(x, y, left);
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
  }

  // Adds the photo with `copies` copies and no label.
  MyPicture& Add(const QString& path, int copies = 1) {
    const int position = AddPhotoFile(job_, path);
    EXPECT_GE(position, 0);
    MyPicture& photo = job_.At(position);
    photo.SetCopies(copies);
    photo.SetPhotoLabel(QString());
    return photo;
  }

  ImagePrinter& Printer() { return static_cast<ImagePrinter&>(*printers_.Device()); }

  void Layout() { ComputeJobLayout(layout_, *printers_.Device(), job_.Settings()); }

  ImagePrinterCatalogue catalogue_;
  PrinterAccess printers_;
  MyPictureManager job_;
  PageLayout layout_;
};

}  // namespace tessaly::test
