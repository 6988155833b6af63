#include "controls/formatting.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using test::ScopedLocale;

QDateTime Local(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::LocalTime);
}

TEST(FormatNumber, EveryPatternOfTheProgramWithTiesAndNegatives) {
  // Decimals round the double's exact value half away from zero; whole numbers round
  // the value at 15 significant digits half to even.
  ScopedLocale comma("de_DE");  // the point must stay a point
  const std::pair<const char*, std::vector<std::pair<double, const char*>>> cases[] = {
      {"#0.0", {{12.25, "12.3"}, {12.35, "12.3"}, {0.05, "0.1"}, {-3.75, "-3.8"}, {-0.04, "0.0"}}},
      {"#0.0", {{9.96, "10.0"}}},
      {"##0.0#", {{4, "4.0"}, {6.125, "6.13"}, {152.4 / 25.4, "6.0"}}},
      {"0.00", {{1.005, "1.00"}, {2.675, "2.67"}, {-0.005, "-0.01"}}},
      {"0.000", {{8.5 / 25.4, "0.335"}}},
      {"#####.0", {{0.5, ".5"}, {123456.78, "123456.8"}}},
      {"000000", {{101.6 * 100, "010160"}, {15240.5, "015240"}, {15241.5, "015242"}}},
      {"000000", {{1234567, "1234567"}}},
      {"#000", {{7, "007"}}},
      {"00", {{-4, "-04"}}},
      {"####", {{0.5, ""}, {1 / 0.004, "250"}, {123456789012345678.0, "123456789012346000"}}},
      {"#0.", {{7, "7."}, {12.5, "12."}}},
      {"F #0.0 mm", {{2.5, "F 2.5 mm"}}}};
  for (const auto& [pattern, values] : cases)
    for (const auto& [value, text] : values)
      EXPECT_EQ(FormatNumber(value, pattern), text) << value << " with " << pattern;
}

TEST(FormatDate, PatternsOfMasksFileNamesAndHistoryPathsAndNamedFormatsOfTheLocale) {
  ScopedLocale us("en_US");
  const QDateTime when = Local(2003, 3, 7, 9, 5, 4);  // a Friday, day 66 of the year
  const std::pair<const char*, const char*> cases[] = {
      {"dd-mm-yyyy h:N", "07-03-2003 9:5"},
      {"YYYY\\-MM\\-DD\\ Hh\\hNn\\m", "2003-03-07 09h05m"},
      {"yyyy\\\\yyyy\\-mm", "2003\\2003-03"},
      {"hh:mm:ss", "09:05:04"},  // m after an hour is minutes
      {"d/m/yy", "7/3/03"},
      {"y", "66"},
      {"ddd dddd mmm mmmm", "Fri Friday Mar March"},
      {"\"at\" h", "at 9"},
      {"ddddd", "3/7/03"},
      {"dddddd", "Friday, March 7, 2003"},
      {"", ""}};
  for (const auto& [mask, text] : cases) EXPECT_EQ(FormatDate(when, mask), text) << mask;

  // A long run of one letter is read six, four or two letters at a time, in one pass.
  const QString days(400000, u'd');
  EXPECT_EQ(FormatDate(when, days), QString("Friday, March 7, 2003").repeated(66666) + "Friday");
  const QString years(400001, u'y');
  EXPECT_EQ(FormatDate(when, years), QString("2003").repeated(100000) + "66");

  const QDateTime late = Local(2026, 12, 31, 23, 59, 58);
  EXPECT_EQ(FormatDate(late, "hh:nn:ss dd-mm-yy"), "23:59:58 31-12-26");
  EXPECT_EQ(FormatDate(late, "h:nn mm"), "23:59 12");  // a minute field ends the hour's reach

  // Named formats follow the default locale.
  EXPECT_EQ(FormatDate(when, "short date"), "3/7/03");
  EXPECT_EQ(FormatDate(when, "Medium Date"), "07-Mar-03");
  EXPECT_EQ(FormatDate(when, "Short Time"), "9:05 AM");
  EXPECT_EQ(FormatDate(when, "General Date"), "3/7/03 9:05:04 AM");
  EXPECT_EQ(FormatDate(Local(2003, 3, 7), "General Date"), "3/7/03");  // midnight: no time
  EXPECT_EQ(FormatDate(Local(2003, 3, 7, 0, 0, 1), "General Date"), "3/7/03 12:00:01 AM");
  EXPECT_EQ(FormatDate(Local(1899, 12, 30, 9, 5, 4), "General Date"), "9:05:04 AM");
  EXPECT_EQ(FormatDate(Local(2003, 3, 7, 21, 5, 4), "Long Time"), "9:05:04 PM");
  {
    ScopedLocale de("de_DE");
    EXPECT_EQ(FormatDate(when, "Long Date"), "Freitag, 7. März 2003");
    EXPECT_EQ(FormatDate(when, "General Date"), "07.03.03 09:05:04");
  }
  ScopedLocale gb("en_GB");
  EXPECT_EQ(FormatDate(when, "Short Date"), "07/03/2003");
}

TEST(FormatDate, ShortDateWithLongTimeReadsBackWithTwoDigitYearsIn1930To2029) {
  const QDateTime when(QDate(2004, 7, 9), QTime(17, 5, 42));
  for (const char* name : {"en_US", "de_DE", "ja_JP"}) {
    ScopedLocale locale(name);
    const QString text = FormatDate(when, "Short Date") + " " + FormatDate(when, "Long Time");
    QDateTime back;
    ASSERT_TRUE(ParseShortDateLongTime(text, back)) << name << ": " << text.toStdString();
    EXPECT_EQ(back, when) << name;
  }
  ScopedLocale us("en_US");
  const std::pair<const char*, int> years[] = {
      {"1/2/29 3:04:05 AM", 2029}, {"1/2/30 3:04:05 AM", 1930}, {"1/2/00 3:04:05 AM", 2000}};
  for (const auto& [text, year] : years) {
    QDateTime back;
    ASSERT_TRUE(ParseShortDateLongTime(text, back)) << text;
    EXPECT_EQ(back, Local(year, 1, 2, 3, 4, 5)) << text;
  }
  QDateTime back;
  EXPECT_FALSE(ParseShortDateLongTime("", back));
  EXPECT_FALSE(ParseShortDateLongTime("2004:07:09 17:05:42", back));
}

TEST(DateSerial, DaysSinceTheEpochWithTheTimeAsFractionRoundTripToTheMillisecond) {
  const std::pair<QDateTime, double> cases[] = {
      {Local(1899, 12, 30), 0.0},        {Local(1899, 12, 31), 1.0},
      {Local(2000, 1, 1, 18), 36526.75}, {Local(2003, 3, 7, 6), 37687.25},
      {Local(1899, 12, 29, 6), -1.25},  // before the epoch the time still adds
  };
  for (const auto& [when, serial] : cases) {
    EXPECT_EQ(DateSerial(when), serial) << when.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(DateFromSerial(serial), when) << serial;
  }
  EXPECT_EQ(DateSerial(QDateTime()), 0.0);
  EXPECT_FALSE(DateFromSerial(std::nan("")).isValid());
  EXPECT_FALSE(DateFromSerial(1e300).isValid());
  EXPECT_EQ(DateFromSerial(2958465.0), Local(9999, 12, 31));
  std::mt19937 random(20031107);
  std::uniform_int_distribution<int> day(0, 50000);
  std::uniform_int_distribution<int> msec(0, 86399999);
  for (int i = 0; i < 500; ++i) {
    const int ms = msec(random);
    const QDateTime when(QDate(1950, 1, 1).addDays(day(random)),
                         QTime::fromMSecsSinceStartOfDay(ms), Qt::LocalTime);
    if (when.time().msecsSinceStartOfDay() != ms) continue;  // skipped by a clock change
    EXPECT_EQ(DateFromSerial(DateSerial(when)), when)
        << when.toString(Qt::ISODateWithMs).toStdString();
  }
  EXPECT_EQ(DateFromSerial(36526.99999999999), Local(2000, 1, 2));
  EXPECT_EQ(DateFromSerial(36526.0 + 1.0 / 86400.0), Local(2000, 1, 1, 0, 0, 1));
}

TEST(FileDateSerial, ModificationTimeOfAFileAndFalseWhenMissing) {
  const QString dir = QString::fromStdString(test::TempDir());
  const QString path = QDir(dir).filePath("photo.jpg");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("x");
  ASSERT_TRUE(file.flush());  // a later flush would stamp the time again
  ASSERT_TRUE(file.setFileTime(Local(2003, 3, 7, 9, 5, 4), QFileDevice::FileModificationTime));
  file.close();

  double serial = -1;
  ASSERT_TRUE(FileDateSerial(path, serial));
  EXPECT_NEAR(serial, 37687.0 + (9 * 3600 + 5 * 60 + 4) / 86400.0, 1e-9);

  double untouched = 42;
  EXPECT_FALSE(FileDateSerial(QDir(dir).filePath("missing.jpg"), untouched));
  EXPECT_EQ(untouched, 42);
}

}  // namespace
}  // namespace tessaly
