// The printer profile remembered per printer: two printers read back from the file
// beside the print options' own keys, forgetting, a file that is gone, names that
// would break the file, and the bounded number of slots.
#include "print/printer_profiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "print/print_options.h"
#include "settings/settings_table.h"
#include "support/scoped_state.h"

namespace tessaly {
namespace {

TEST(PrinterProfiles, EachPrinterGetsItsOwnProfileBack) {
  QTemporaryDir dir;
  const QString ini = dir.filePath("Tesly.ini");
  const QString glossy = dir.filePath("glossy.icc");
  const QString matte = dir.filePath("matte.icm");
  test::PutFile(glossy, "profile");
  test::PutFile(matte, "profile");
  PrintDialogFields fields;
  fields.colour_option = 2;
  fields.sharpen = true;
  WritePrintDialogFields(fields, ini);

  ASSERT_TRUE(RememberPrinterProfile("Photo on usb://Maker/Photo", glossy, ini));
  ASSERT_TRUE(RememberPrinterProfile("Print to PDF", matte, ini));
  EXPECT_EQ(RememberedPrinterProfile("Photo on usb://Maker/Photo", ini), glossy);
  EXPECT_EQ(RememberedPrinterProfile("Print to PDF", ini), matte);
  EXPECT_EQ(RememberedPrinterProfile("Office on lpd://office", ini), "");
  // The print options read as before.
  const PrintDialogFields back = ReadPrintDialogFields(ini);
  EXPECT_EQ(std::tuple(back.colour_option, back.sharpen, back.profile),
            std::tuple(2, true, QString()));

  // Another choice replaces the printer's own profile; "" forgets it; a file that is
  // gone reads as none.
  ASSERT_TRUE(RememberPrinterProfile("Print to PDF", glossy, ini));
  EXPECT_EQ(RememberedPrinterProfile("Print to PDF", ini), glossy);
  ASSERT_TRUE(RememberPrinterProfile("Photo on usb://Maker/Photo", "", ini));
  EXPECT_EQ(RememberedPrinterProfile("Photo on usb://Maker/Photo", ini), "");
  ASSERT_TRUE(QFile::remove(glossy));
  EXPECT_EQ(RememberedPrinterProfile("Print to PDF", ini), "");

  // A name with a line break is stored on one line and found again; no name at all
  // is refused.
  ASSERT_TRUE(RememberPrinterProfile("Two\nLines", matte, ini));
  EXPECT_EQ(RememberedPrinterProfile("Two\nLines", ini), matte);
  EXPECT_FALSE(RememberPrinterProfile(" \t", matte, ini));

  // The slots are bounded: more printers than slots share the last one, and the
  // others keep theirs.
  for (int i = 0; i < kRememberedPrinters + 3; ++i)
    ASSERT_TRUE(RememberPrinterProfile(QStringLiteral("Queue %1").arg(i), matte, ini));
  const QString section = QLatin1String(kPrinterProfilesSection);
  EXPECT_EQ(ReadIniValue(section, QStringLiteral("Printer%1").arg(kRememberedPrinters + 1), ini),
            "");
  EXPECT_EQ(RememberedPrinterProfile(QStringLiteral("Queue %1").arg(kRememberedPrinters + 2), ini),
            matte);
  EXPECT_EQ(RememberedPrinterProfile(QStringLiteral("Queue %1").arg(kRememberedPrinters), ini), "");
  EXPECT_EQ(RememberedPrinterProfile("Two\nLines", ini), matte);
}

}  // namespace
}  // namespace tessaly
