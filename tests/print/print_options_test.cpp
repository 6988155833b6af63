// The print options dialog's Print button checks, in order, with each message and
// the control that takes the focus, the values they hand the job, and the fields
// stored in and read from the section "PrintOptions" under the keys as spelt there.
#include "print/print_options.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <tuple>

#include "print/printer_profiles.h"

namespace tessaly {
namespace {

PrintDialogFields Fields(int colour, bool min_on, const char* min, bool max_on, const char* max) {
  PrintDialogFields f;
  f.colour_option = colour;
  f.min_on = min_on;
  f.min_text = QString::fromLatin1(min);
  f.max_on = max_on;
  f.max_text = QString::fromLatin1(max);
  return f;
}

TEST(PrintOptions, ChecksInTheDialogsOrderWithTheirFocus) {
  const char* kProfile = "Please select a printer profile.";
  const char* kMin = "The minimum resolution is invalid!";
  const char* kMax = "The maximum resolution is invalid!";
  const char* kOrder = "The minimum resolution can't be greater than the maximum resolution!";
  // Name, fields, contact sheet, message ("" when the checks pass) and focus.
  const std::tuple<const char*, PrintDialogFields, bool, const char*, PrintField> cases[] = {
      {"profile before resolution", Fields(2, true, "0", false, ""), false, kProfile,
       PrintField::kCmdICCBrowse},
      {"minimum 1001", Fields(0, true, "1001", false, ""), false, kMin,
       PrintField::kTxtInterpolVal1},
      {"minimum empty", Fields(1, true, "", false, ""), false, kMin, PrintField::kTxtInterpolVal1},
      {"minimum not digits", Fields(1, true, "12a", false, ""), false, kMin,
       PrintField::kTxtInterpolVal1},
      {"maximum 0", Fields(0, true, "1000", true, "0"), false, kMax, PrintField::kTxtInterpolVal2},
      {"minimum above maximum", Fields(0, true, "300", true, "200"), false, kOrder,
       PrintField::kTxtInterpolVal1},
      {"unticked boxes are not checked", Fields(0, false, "5000", false, "x"), false, "",
       PrintField::kNone},
      {"contact sheet ignores the limits", Fields(1, true, "5000", true, "0"), true, "",
       PrintField::kNone},
      {"minimum 1000 equals maximum", Fields(0, true, "1000", true, "1000"), false, "",
       PrintField::kNone},
  };
  for (const auto& [name, in, contact_sheet, message, focus] : cases) {
    SCOPED_TRACE(name);
    JobSettings settings;
    settings.ThumbMode = contact_sheet;
    settings.MinResolution = 77;
    settings.MaxResolution = 88;
    const PrintCheck check = CheckPrintDialog(in, settings);
    EXPECT_EQ(check.message, QString::fromLatin1(message));
    EXPECT_EQ(check.focus, focus);
    EXPECT_EQ(check.Passed(), *message == '\0');
    // The limits are switched off before any check.
    if (!check.Passed()) {
      EXPECT_EQ(settings.MinResolution + settings.MaxResolution, 0);
    }
  }

  // Passing fields become the job's options; a contact sheet gets neither limits nor
  // sharpening.
  PrintDialogFields f = Fields(2, true, "150", true, "600");
  f.profile = QStringLiteral("/profiles/printer.icc");
  f.sharpen = true;
  f.spool_wait_text = QStringLiteral("2");
  JobSettings settings;
  ASSERT_TRUE(CheckPrintDialog(f, settings).Passed());
  EXPECT_EQ(std::tuple(settings.ICM, settings.ICMProfile, settings.MinResolution,
                       settings.MaxResolution, settings.DefaultSharpen, settings.SpoolWait),
            std::tuple(2, QString("/profiles/printer.icc"), 150, 600, true, 2.0));
  settings.ThumbMode = true;
  ASSERT_TRUE(CheckPrintDialog(f, settings).Passed());
  EXPECT_EQ(std::tuple(settings.MinResolution, settings.MaxResolution, settings.DefaultSharpen),
            std::tuple(0, 0, false));
}

TEST(PrintOptions, StoredFieldsUseTheSectionsKeys) {
  QTemporaryDir dir;
  const QString file = dir.filePath("Tesly.ini");
  PrintDialogFields f = Fields(2, true, "200", false, "0");
  f.profile = QStringLiteral("/never/stored.icc");
  f.sharpen = true;
  f.spool_wait_text = QStringLiteral("3");
  WritePrintDialogFields(f, file);
  QFile written(file);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QByteArray text = written.readAll();
  for (const char* line : {"[PrintOptions]", "ICM=2", "Interpolate1=1", "Interpolate2=0",
                           "InterpolVal1=200", "Interpolval2=0", "Sharpen=1", "SpoolWait=3"}) {
    EXPECT_TRUE(text.contains(line)) << line << "\n" << text.constData();
  }
  EXPECT_FALSE(text.contains("stored.icc"));

  // A stored 0 shows as an empty field; "Use Profile:" comes back without a profile.
  const PrintDialogFields back = ReadPrintDialogFields(file);
  EXPECT_EQ(std::tuple(back.colour_option, back.profile, back.min_on, back.min_text, back.max_on,
                       back.max_text, back.sharpen, back.spool_wait_text),
            std::tuple(2, QString(), true, QString("200"), false, QString(), true, QString("3")));
  // A colour mode outside the options reads as "Automatic".
  ASSERT_TRUE(WriteIniValue("PrintOptions", "ICM", "7", file));
  EXPECT_EQ(ReadPrintDialogFields(file).colour_option, 0);
}

// Photos open with the stored fields, contact sheets with the defaults; both show the
// printer's remembered profile. A contact sheet stores the photos' limits and
// sharpening as they were, whatever the disabled boxes show.
TEST(PrintOptions, ContactSheetsOpenWithDefaultsAndKeepThePhotosLimits) {
  QTemporaryDir dir;
  const QString file = dir.filePath("Tesly.ini");
  const QString profile = dir.filePath("glossy.icc");
  QFile profile_file(profile);
  ASSERT_TRUE(profile_file.open(QIODevice::WriteOnly) && profile_file.write("profile") > 0);
  profile_file.close();
  ASSERT_TRUE(RememberPrinterProfile("Printer", profile, file));
  PrintDialogFields stored = Fields(1, true, "150", true, "600");
  stored.sharpen = true;
  stored.spool_wait_text = QStringLiteral("4");
  JobSettings photos;
  JobSettings sheet;
  sheet.ThumbMode = true;

  const PrintDialogFields photo_fields = OpeningPrintFields(stored, photos, "Printer", file);
  EXPECT_EQ(std::tuple(photo_fields.colour_option, photo_fields.min_text, photo_fields.sharpen,
                       photo_fields.spool_wait_text, photo_fields.profile),
            std::tuple(1, QString("150"), true, QString("4"), profile));
  const PrintDialogFields sheet_fields = OpeningPrintFields(stored, sheet, "Printer", file);
  EXPECT_EQ(std::tuple(sheet_fields.colour_option, sheet_fields.min_on, sheet_fields.max_on,
                       sheet_fields.sharpen, sheet_fields.spool_wait_text, sheet_fields.profile),
            std::tuple(0, false, false, false, QString("0"), profile));

  PrintDialogFields shown = Fields(2, false, "", false, "");
  shown.spool_wait_text = QStringLiteral("7");
  const PrintDialogFields kept = PrintFieldsToStore(shown, stored, sheet);
  EXPECT_EQ(std::tuple(kept.colour_option, kept.min_on, kept.min_text, kept.max_on, kept.max_text,
                       kept.sharpen, kept.spool_wait_text),
            std::tuple(2, true, QString("150"), true, QString("600"), true, QString("7")));
  const PrintDialogFields taken = PrintFieldsToStore(shown, stored, photos);
  EXPECT_EQ(std::tuple(taken.min_on, taken.max_on, taken.sharpen), std::tuple(false, false, false));
}

}  // namespace
}  // namespace tessaly
