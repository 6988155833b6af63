// Edit history: month files written and read back under a scratch root; the key's
// resolution, last match wins, CR LF on disk, a damaged line fails the lookup.
#include "job/history_store.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <tuple>

#include "controls/native_path.h"
#include "support/scoped_state.h"
#include "surface/crafted_files.h"

namespace tessaly {
namespace {

using test::ReadFileBytes;

// Hand-computed serials: 1 Jan 2003 is day 37622, so 15 Mar 2003 is
// 37622 + 31 + 28 + 14 = 37695 and 31 Dec 2002 is 37621.
constexpr double kMarch15th2003 = 37695.0;
constexpr double kDecember31st2002 = 37621.0;

int Today() {
  return static_cast<int>(QDate(1899, 12, 30).daysTo(QDate::currentDate()));
}

HistoryEdits SampleEdits() {
  return HistoryEdits{
      "Anna, Bob and Carl", 5, -3, 110, 1, -51, 51, -2, 2080, 0, 150, 10000, 9850, -90};
}

// Edits compared through their record text, which holds every field.
void ExpectSameEdits(const HistoryEdits& a, const HistoryEdits& b) {
  HistoryLine x;
  HistoryLine y;
  x.edits = a;
  y.edits = b;
  EXPECT_EQ(FormatHistoryLine(x), FormatHistoryLine(y));
}

// The label of the record found for the photo, or "<none>".
QString LabelOf(double date, const QString& name) {
  HistoryEdits got;
  double print_date = 0;
  return GetEdits(date, name, got, print_date) ? got.label : QStringLiteral("<none>");
}

// A lookup that finds nothing leaves the label and the print date as they were.
void ExpectNotFound(double date, const QString& name) {
  HistoryEdits got;
  got.label = "untouched";
  double print_date = -7;
  SCOPED_TRACE(name.toStdString() + " at " + std::to_string(date));
  EXPECT_FALSE(GetEdits(date, name, got, print_date));
  EXPECT_EQ(std::tuple(got.label, print_date), std::tuple(QString("untouched"), -7.0));
}

// Points the store at a scratch folder for one test.
class HistoryStoreTest : public ::testing::Test {
 protected:
  QString Root() const { return dir_.filePath("Tesly_DB"); }

  QTemporaryDir dir_;
  test::ScopedHistoryRoot root_{Root()};
};

TEST(HistoryKey, DayAndTimeOfADateSerial) {
  // {date serial, day, time}
  const std::tuple<double, int, int> cases[] = {
      {kMarch15th2003 + 0.5, 37695, 50000},
      {kMarch15th2003 + 0.999995, 37695, 99999},
      {kMarch15th2003 + 0.1234567, 37695, 12345},
      {-0.5, -1, 50000},  // floor, not truncation
      {0.0, 0, 0},
  };
  for (const auto& [serial, day, time] : cases) {
    HistoryKey key;
    ASSERT_TRUE(HistoryKeyOf(serial, key)) << serial;
    EXPECT_EQ(std::pair(key.day, key.time), std::pair(day, time)) << serial;
  }
  HistoryKey key;
  EXPECT_FALSE(HistoryKeyOf(std::nan(""), key));
  EXPECT_FALSE(HistoryKeyOf(1e12, key));
}

TEST_F(HistoryStoreTest, FirstSaveCreatesFoldersAndFileThenAppendsWithCrLf) {
  const HistoryEdits edits = SampleEdits();
  // A photo modified in March 2003 and printed today goes to the March 2003 file.
  ASSERT_TRUE(SaveEdits(kMarch15th2003 + 0.5, "IMG_0001.JPG", edits));
  const QString path = Root() + "/2003/2003-03.dat";
  const QByteArray first =
      "37695,50000,\"IMG_0001.JPG\",\"Anna, Bob and Carl\",5,-3,110,1,-51,"
      "51,-2,2080,0,150,10000,9850,-90," +
      QByteArray::number(Today()) + "\r\n";
  EXPECT_EQ(ReadFileBytes(path), first);
  EXPECT_EQ(QDir(Root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"2003"});

  ASSERT_TRUE(SaveEdits(kMarch15th2003 + 0.25, "b.jpg", HistoryEdits{}));
  EXPECT_EQ(ReadFileBytes(path), first + "37695,25000,\"b.jpg\",\"\",0,0,100,0,0,0,0,0,0,0,0,0,0," +
                                     QByteArray::number(Today()) + "\r\n");

  HistoryEdits got;
  double print_date = -1;
  ASSERT_TRUE(GetEdits(kMarch15th2003 + 0.5, "IMG_0001.JPG", got, print_date));
  ExpectSameEdits(got, edits);
  EXPECT_EQ(print_date, Today());
}

TEST_F(HistoryStoreTest, KeyIsDayTimeAndExactNameAndTheLastMatchWins) {
  // The middle of time unit 40000, so that 0.35 s either way stays inside it.
  const double date = kMarch15th2003 + 0.400005;
  ASSERT_TRUE(SaveEdits(date, "Photo.jpg", SampleEdits()));
  EXPECT_EQ(LabelOf(date, "Photo.jpg"), "Anna, Bob and Carl");
  EXPECT_EQ(LabelOf(date + 0.000004, "Photo.jpg"), "Anna, Bob and Carl");
  ExpectNotFound(date + 0.00001, "Photo.jpg");  // the next time unit
  ExpectNotFound(date + 1.0, "Photo.jpg");
  ExpectNotFound(date, "photo.jpg");  // names are case-sensitive
  ExpectNotFound(date, "dir/Photo.jpg");

  HistoryEdits older = SampleEdits();
  HistoryEdits newer = SampleEdits();
  newer.bright = -20;
  newer.label = "second print";
  newer.angle = 180;
  const double later = kMarch15th2003 + 0.75;
  ASSERT_TRUE(SaveEdits(later, "a.jpg", older));
  ASSERT_TRUE(SaveEdits(later, "other.jpg", SampleEdits()));
  ASSERT_TRUE(SaveEdits(later, "a.jpg", newer));
  ASSERT_TRUE(SaveEdits(later, "other.jpg", older));
  HistoryEdits got;
  double print_date = 0;
  ASSERT_TRUE(GetEdits(later, "a.jpg", got, print_date));
  ExpectSameEdits(got, newer);
}

TEST_F(HistoryStoreTest, LabelsWithCommasAndQuotes) {
  HistoryEdits edits = SampleEdits();
  const double date = kMarch15th2003;
  edits.label = "Rome, Italy, 2003";
  ASSERT_TRUE(SaveEdits(date, "comma.jpg", edits));
  // A double quote cannot be stored between quotes: it becomes an apostrophe, and
  // a line break becomes a blank.
  edits.label = "the \"big\" day\r\nline two";
  ASSERT_TRUE(SaveEdits(date, "quote.jpg", edits));
  // A file name with a double quote is stored the same way and still found.
  ASSERT_TRUE(SaveEdits(date, "say \"cheese\".jpg", edits));
  // Names and labels beyond ASCII come back as they were.
  const QString foreign = QString::fromUtf8("Fête à Zürich 📷.jpg");
  edits.label = QString::fromUtf8("Größe");
  ASSERT_TRUE(SaveEdits(date, foreign, edits));
  // A name that is not UTF-8 is stored with its own bytes and found again.
  const QString latin1 = PathFromNative("caf\xe9.jpg");
  ASSERT_TRUE(SaveEdits(date, latin1, edits));

  EXPECT_EQ(LabelOf(date, "comma.jpg"), "Rome, Italy, 2003");
  EXPECT_EQ(LabelOf(date, latin1), QString::fromUtf8("Größe"));
  EXPECT_TRUE(ReadFileBytes(Root() + "/2003/2003-03.dat").contains("\"caf\xe9.jpg\""));
  EXPECT_EQ(LabelOf(date, "quote.jpg"), "the 'big' day  line two");
  EXPECT_EQ(LabelOf(date, "say \"cheese\".jpg"), "the 'big' day  line two");
  EXPECT_EQ(LabelOf(date, foreign), QString::fromUtf8("Größe"));
  EXPECT_TRUE(ReadFileBytes(Root() + "/2003/2003-03.dat").contains("\"say 'cheese'.jpg\""));
}

TEST_F(HistoryStoreTest, AnUnreadableLineOrACutShortAppendFindsNothingAndChangesNothing) {
  const QString path = Root() + "/2003/2003-03.dat";
  ASSERT_TRUE(QDir().mkpath(Root() + "/2003"));
  const QByteArray good = "37695,0,\"a.jpg\",\"one\",1,0,100,0,0,0,0,0,0,0,10000,10000,0,40000\r\n";
  const QByteArray damaged[] = {
      "37695,0,\"a.jpg\",\"two\",2,0,100,0,0,0\r\n",  // cut short
      "37695,0,\"a.jpg\",\"unterminated,3,0,100,0,0,0,0,0,0,0,10000,10000,0,40000\r\n",
      "37695,0,\"a.jpg\",\"five\",5,0,100,0,0,0,0,0,0,0,10000,10000,0,99999999999\r\n",
      "37695,0,\"a.jpg\",\"seven\",7,0,100,0,0",  // an interrupted write
  };
  for (const QByteArray& bad : damaged) {
    SCOPED_TRACE(bad.toStdString());
    // The damaged line fails the lookup whether it comes before or after the match.
    const QByteArray ended = bad.endsWith('\n') ? bad : bad + "\r\n";
    for (const QByteArray& text : {good + bad, ended + good}) {
      test::PutFile(path, text);
      ExpectNotFound(kMarch15th2003, "a.jpg");
    }
  }

  // An append that the disk cuts short — right after the line break that mends the
  // last line, in the middle of the record, at its last byte — fails and leaves the
  // month file byte for byte as it was, so no torn line can end later lookups.
  const QByteArray before = "37695,0,\"a.jpg\",\"one\",1,0,100,0,0,0,0,0,0,0,10000,10000,0,40000";
  test::PutFile(path, before);
  HistoryEdits edits = SampleEdits();
  edits.label = "two";
  const HistoryLine line{{37695, 0}, "b.jpg", edits, Today()};
  const qsizetype appended = 2 + FormatHistoryLine(line).size();
  for (const qsizetype room : {qsizetype{2}, appended / 2, appended - 1}) {
    SCOPED_TRACE(room);
    test::ScopedFileSizeLimit full(static_cast<rlim_t>(before.size() + room));
    ASSERT_TRUE(full.Active());
    EXPECT_FALSE(SaveEdits(kMarch15th2003, "b.jpg", edits));
    EXPECT_EQ(ReadFileBytes(path), before);
  }
  // With room, the append mends the last line and starts its own.
  ASSERT_TRUE(SaveEdits(kMarch15th2003, "b.jpg", edits));
  EXPECT_TRUE(ReadFileBytes(path).contains(",0,40000\r\n37695,0,\"b.jpg\",\"two\""));
  EXPECT_EQ(LabelOf(kMarch15th2003, "a.jpg"), "one");
  EXPECT_EQ(LabelOf(kMarch15th2003, "b.jpg"), "two");
}

TEST(HistoryLine, ParsesOnlyWellFormedRecords) {
  const std::pair<QByteArray, bool> cases[] = {
      {"1,2,\"n\",\"l\",3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\n", true},
      {"1,2,\"n\",\"l\",3,4,5,6,7,8,9,10,11,12,13,14,15,16", true},
      {" 1 , 2 ,\"n\" , \"l\",3,4,5,6,7,8,9,10,11,12,13,14,15, 16 ", true},
      {"-2147483648,2,\"\",\"\",3,4,5,6,7,8,9,10,11,12,13,14,15,2147483647", true},
      {"2147483648,2,\"n\",\"l\",3,4,5,6,7,8,9,10,11,12,13,14,15,16", false},
      {"1,2,\"n\",\"l\",3,4,5,6,7,8,9,10,11,12,13,14,15", false},        // 17 fields
      {"1,2,\"n\",\"l\",3,4,5,6,7,8,9,10,11,12,13,14,15,16,17", false},  // 19 fields
      {"1,2,n,\"l\",3,4,5,6,7,8,9,10,11,12,13,14,15,16", false},         // unquoted text
      {"1,2,\"n\",\"l\",3,4,5,6,7,8,9,10,11,12,13,14,15,1x", false},
      {"1,2,\"n\",\"l\",3,4,5,6,7,8,9,10,11,12,13,14,,16", false},
      {"1.5,2,\"n\",\"l\",3,4,5,6,7,8,9,10,11,12,13,14,15,16", false},
      {"\r\n", false},
  };
  for (const auto& [text, ok] : cases) {
    HistoryLine line;
    EXPECT_EQ(ParseHistoryLine(text, line), ok) << text.toStdString();
  }
  HistoryLine line;
  ASSERT_TRUE(ParseHistoryLine(cases[0].first, line));
  const HistoryEdits& e = line.edits;
  EXPECT_EQ(std::tuple(line.key.day, line.key.time, line.name, e.label, e.bright, e.gamma100),
            std::tuple(1, 2, QString("n"), QString("l"), 3, 5));
  EXPECT_EQ(std::tuple(e.saturation, e.unsharp, e.x0, e.y1, e.angle, line.printed_day),
            std::tuple(9, 10, 11, 14, 15, 16));
  EXPECT_EQ(FormatHistoryLine(line), "1,2,\"n\",\"l\",3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\n");
}

TEST_F(HistoryStoreTest, MonthFileOfTheFileDateAndQuietFailures) {
  EXPECT_EQ(HistoryFilePath(37695), Root() + "/2003/2003-03.dat");
  EXPECT_EQ(HistoryFilePath(static_cast<int>(kDecember31st2002)), Root() + "/2002/2002-12.dat");
  EXPECT_EQ(HistoryFilePath(2), Root() + "/1900/1900-01.dat");
  EXPECT_EQ(HistoryFilePath(3000000), "");  // beyond year 9999
  // No file for the month: nothing found and no folder created.
  ExpectNotFound(kMarch15th2003, "a.jpg");
  EXPECT_FALSE(QDir(Root()).exists());
  // A root that is a file cannot take folders.
  test::PutFile(Root(), QByteArray());
  EXPECT_FALSE(SaveEdits(kMarch15th2003, "a.jpg", SampleEdits()));
  EXPECT_FALSE(SaveEdits(std::nan(""), "a.jpg", SampleEdits()));
}

}  // namespace
}  // namespace tessaly
