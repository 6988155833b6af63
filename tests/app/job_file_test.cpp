// Job files: a full file read into settings and photo entries, every malformed
// field named in the message, and an entry applied to a real photo record (edits,
// angle, copies, label, a crop kept only when its shape fits the frame).
#include "job/job_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <tuple>
#include <vector>

#include "job/add_photo.h"
#include "job/job_history.h"
#include "job/picture_manager.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

using test::ScopedHistoryRoot;

QByteArray Photos(const char* photo) {
  return QByteArray(R"({"version":1,"photos":[)") + photo + "]}";
}

TEST(JobFile, ReadsSettingsAndPhotos) {
  const QByteArray text = R"({
    "version": 1,
    "settings": {
      "photoSize": {"width": 152.4, "height": 101.6, "margin": 3.5},
      "contactSheet": false, "layout": "portrait", "center": true,
      "printDate": true, "printFileName": true, "drawFrame": true, "cropMarks": true,
      "dateMask": "dd-mm-yyyy",
      "font": {"name": "Liberation Serif", "size": 12.5, "bold": true, "italic": true,
               "underline": true, "color": "#102030"}
    },
    "photos": [
      {"file": "sub/a.jpg", "copies": 3, "label": "Kitchen", "bright": -51, "contrast": 51,
       "gamma": 1.15, "saturation": 7, "red": -3, "green": 4, "blue": 5,
       "unsharpMask": 15120, "angle": -90, "crop": [1, 2, 9999, 10000]},
      {"file": "/abs/b.png"}
    ]
  })";
  JobFile job;
  job.settings.FontName = QStringLiteral("Base");
  job.settings.Units = 1;
  QString error;
  ASSERT_TRUE(ParseJobFile(text, QStringLiteral("/jobs/today"), job, error)) << error.toStdString();

  const JobSettings& s = job.settings;
  EXPECT_EQ(std::tuple(s.Size.Width, s.Size.Height, s.Size.Margins), std::tuple(152.4, 101.6, 3.5));
  EXPECT_TRUE(s.Center && s.PhotoPrintDate && s.PhotoPrintFileName && s.PhotoDrawFrame &&
              s.DrawCropMarks);
  EXPECT_TRUE(s.FontBold && s.FontItalic && s.FontUnderline);
  // The colour has red in the low byte; the units are not in the file: the base value stays.
  EXPECT_EQ(
      std::tuple(s.ThumbMode, s.LayoutMode, s.DateMask, s.FontName, s.FontSize, s.FontColor,
                 s.Units),
      std::tuple(false, 2, QString("dd-mm-yyyy"), QString("Liberation Serif"), 12.5, 0x302010u, 1));

  ASSERT_EQ(job.photos.size(), 2u);
  const JobPhotoEntry& a = job.photos[0];
  EXPECT_EQ(std::tuple(a.file, a.copies, a.label.value_or(QString()), a.has_crop),
            std::tuple(QString("/jobs/today/sub/a.jpg"), 3, QString("Kitchen"), true));
  const HistoryEdits& e = a.edits;
  EXPECT_EQ((std::vector<int>{e.bright, e.contrast, e.gamma100, e.saturation, e.red, e.green,
                              e.blue, e.unsharp, e.angle, e.x0, e.y0, e.x1, e.y1}),
            (std::vector<int>{-51, 51, 115, 7, -3, 4, 5, 15120, -90, 1, 2, 9999, 10000}));

  // Left-out values are neutral; the label stays unset.
  const JobPhotoEntry& b = job.photos[1];
  EXPECT_EQ(b.file, "/abs/b.png");
  EXPECT_FALSE(b.label.has_value() || b.has_crop);
  EXPECT_EQ((std::vector<int>{b.copies, b.edits.bright, b.edits.gamma100, b.edits.unsharp,
                              b.edits.angle}),
            (std::vector<int>{1, 0, 100, 0, 0}));
}

TEST(JobFile, EveryMalformedFieldIsNamed) {
  const std::pair<QByteArray, const char*> cases[] = {
      {"[1, 2]", "expected a JSON object"},
      {R"({"photos":[{"file":"a.jpg"}]})", "version: expected 1"},
      {R"({"version":1})", "photos: expected a list of at least one photo"},
      {Photos((QByteArray(R"({"file":"a.jpg"},)").repeated(10000) + R"({"file":"a.jpg"})")
                  .constData()),
       "photos: at most 10000 photos in one job"},
      {R"({"version":1,"photos":[{"file":"a.jpg"}],"extra":1})", "extra: unknown field"},
      {R"({"version":1,"photos":[{"file":"a.jpg"}, 5]})", "photos[1]: expected an object"},
      {Photos(R"({"copies":2})"), "photos[0].file: required"},
      {Photos(R"({"file":""})"), "photos[0].file: expected a non-empty text"},
      {Photos(R"({"file":"a.jpg"},{"file":"b.jpg\u0000.png"})"),
       "photos[1].file: expected a file name without a NUL"},
      {Photos(R"({"file":"a.jpg"},{"file":"b.jpg","gamma":1.51})"),
       "photos[1].gamma: expected a number between 0.5 and 1.5"},
      {Photos(R"({"file":"a.jpg","bright":"5"})"),
       "photos[0].bright: expected a whole number from -51 to 51"},
      {Photos(R"({"file":"a.jpg","contrast":52})"),
       "photos[0].contrast: expected a whole number from -51 to 51"},
      {Photos(R"({"file":"a.jpg","copies":0})"),
       "photos[0].copies: expected a whole number from 1 to 9999"},
      {Photos(R"({"file":"a.jpg","label":false})"), "photos[0].label: expected a text"},
      {Photos(R"({"file":"a.jpg","gama":1.1})"), "photos[0].gama: unknown field"},
      {Photos(R"({"file":"a.jpg","angle":45})"),
       "photos[0].angle: expected one of -180, -90, 0, 90, 180"},
      {Photos(R"({"file":"a.jpg","unsharpMask":12100})"),
       "photos[0].unsharpMask: expected 0 (off) or radius code (10, 15 or 20) x 1000 + amount "
       "(0 to 999)"},
      {Photos(R"({"file":"a.jpg","crop":[5000, 0, 5000, 10000]})"),
       "photos[0].crop: expected [x0, y0, x1, y1] with 0 <= x0 < x1 <= 10000 and 0 <= y0 < y1 "
       "<= 10000"},
      {R"({"version":1,"settings":[],"photos":[{"file":"a.jpg"}]})",
       "settings: expected an object"},
      {R"({"version":1,"settings":{"drawFrame":1},"photos":[{"file":"a.jpg"}]})",
       "settings.drawFrame: expected true or false"},
      {R"({"version":1,"settings":{"layout":"wide"},"photos":[{"file":"a.jpg"}]})",
       "settings.layout: expected \"bestFit\", \"landscape\" or \"portrait\""},
      {R"({"version":1,"settings":{"photoSize":{"width":150}},"photos":[{"file":"a.jpg"}]})",
       "settings.photoSize.height: required"},
      {R"({"version":1,"settings":{"photoSize":{"width":150,"height":0.01}},"photos":[{"file":"a"}]})",
       "settings.photoSize: Photo size must be at least 1 mm on each side."},
      {R"({"version":1,"settings":{"photoSize":{"width":7.5,"height":7.5},"contactSheet":true},)"
       R"("photos":[{"file":"a"}]})",
       "settings.photoSize: Photo margins must leave a picture of at least 1 mm on each side."},
      {R"({"version":1,"settings":{"dateMask":")" + QByteArray(256, 'd') +
           R"("},"photos":[{"file":"a"}]})",
       "settings.dateMask: expected a text of at most 255 characters"},
      {R"({"version":1,"settings":{"font":{"name":")" + QByteArray(32, 'F') +
           R"("}},"photos":[{"file":"a"}]})",
       "settings.font.name: expected a text of at most 31 characters"},
      {R"({"version":1,"settings":{"font":{"color":"#12345"}},"photos":[{"file":"a"}]})",
       "settings.font.color: expected a colour \"#RRGGBB\""},
      {R"({"version":1,"settings":{"font":{"size":0}},"photos":[{"file":"a"}]})",
       "settings.font.size: expected a number above 0"},
      {R"({"version":1,"settings":{"font":{"size":71}},"photos":[{"file":"a"}]})",
       "settings.font.size: expected a number between 0 and 70"},
      {R"({"version":1,"settings":{"font":{"name":""}},"photos":[{"file":"a"}]})",
       "settings.font.name: expected a non-empty text"},
      {"{\"version\":1,\n  \"photos\" []}",
       "not valid JSON: missing name separator at line 2, column 13"},
  };
  for (const auto& [text, expected] : cases) {
    JobFile job;
    QString error;
    EXPECT_FALSE(ParseJobFile(text, "/x", job, error)) << text.constData();
    EXPECT_EQ(error.toStdString(), expected) << text.constData();
  }
}

// A file without settings leaves every setting at the base's value.
TEST(JobFile, LoadNamesTheFileAndResolvesAgainstItsFolder) {
  const QString dir = QString::fromStdString(test::TempDir());
  test::PutFile(dir + "/job.json", Photos(R"({"file":"../pictures/a.jpg"})"));
  JobFile job;
  job.settings.Size = PhotoSize{178.0, 127.0, 2.0};
  job.settings.FontName = QStringLiteral("Base");
  job.settings.PhotoDrawFrame = true;
  QString error;
  ASSERT_TRUE(LoadJobFile(dir + "/job.json", job, error)) << error.toStdString();
  EXPECT_EQ(job.photos[0].file, QDir::cleanPath(dir + "/../pictures/a.jpg"));
  EXPECT_EQ(std::tuple(job.settings.Size.Width, job.settings.FontName, job.settings.PhotoDrawFrame),
            std::tuple(178.0, QString("Base"), true));

  test::PutFile(dir + "/job.json", Photos(R"({"file":"a.jpg","red":99})"));
  EXPECT_FALSE(LoadJobFile(dir + "/job.json", job, error));
  EXPECT_EQ(error, "job.json: photos[0].red: expected a whole number from -51 to 51");

  EXPECT_FALSE(LoadJobFile(dir + "/missing.json", job, error));
  EXPECT_TRUE(error.startsWith(dir + "/missing.json: cannot be read")) << error.toStdString();
}

// An entry applied to a landscape photo (odd sizes) of a fresh job: its values, then a
// crop kept only when its shape fits the frame.
TEST(ApplyJobPhoto, GivesTheRecordTheEntrysValuesAndKeepsAFittingCrop) {
  const QString dir = QString::fromStdString(test::TempDir());
  ScopedHistoryRoot history(dir + "/history");
  JobSettings settings;
  settings.Size = PhotoSize{152.4, 101.6, 3.5};
  MyPictureManager job(settings);
  ASSERT_TRUE(test::RandomSurface(601, 397, 5).ToQImage().save(dir + "/photo.png"));
  ASSERT_EQ(AddPhotoFile(job, dir + "/photo.png"), 0);
  MyPicture& photo = job.At(0);
  JobPhotoEntry entry;
  entry.copies = 4;
  entry.label = QStringLiteral("On the shelf");
  entry.edits = HistoryEdits{{}, 12, -7, 87, 3, -2, 1, 20, 20080, 0, 0, 10000, 10000, 90};
  ApplyJobPhoto(entry, photo);
  EXPECT_EQ((std::vector<int>{photo.Bright(), photo.Contrast(), photo.RedAdjust(),
                              photo.GreenAdjust(), photo.BlueAdjust(), photo.Saturation(),
                              photo.UnsharpMask(), photo.Angle(), photo.Copies()}),
            (std::vector<int>{12, -7, 3, -2, 1, 20, 20080, 90, 4}));
  EXPECT_DOUBLE_EQ(photo.gamma(), 0.87);
  EXPECT_EQ(photo.PhotoLabel(), "On the shelf");
  // Turned upright: the picture is now taller than wide.
  EXPECT_GT(photo.ScaleHeight(), photo.ScaleWidth());

  // A later entry without a label leaves the label alone and turns back to 0.
  JobPhotoEntry plain;
  ApplyJobPhoto(plain, photo);
  EXPECT_EQ(photo.PhotoLabel(), "On the shelf");
  EXPECT_EQ(photo.Angle(), 0);
  EXPECT_EQ(photo.Bright(), 0);
  EXPECT_DOUBLE_EQ(photo.gamma(), 1.0);

  entry = JobPhotoEntry();
  entry.edits.angle = -90;
  ApplyJobPhoto(entry, photo);  // no crop: the largest centred frame of the turned picture
  const auto corners = [&photo] {
    return std::vector<int>{photo.CropX0(), photo.CropY0(), photo.CropX1(), photo.CropY1()};
  };
  const std::vector<int> default_frame = corners();
  const double width = photo.ScaleWidth();
  const double height = photo.ScaleHeight();
  const double aspect = photo.Crop().Aspect();  // height ÷ width of the frame

  // A crop of the frame's shape, 60 % of the picture's width, near the top left.
  const int x0 = 1000;
  const int x1 = 7000;
  const int y0 = 500;
  const double crop_height = std::nearbyint(width * 0.6) * aspect;
  const int y1 = static_cast<int>(
      std::lrint((std::nearbyint(height * 0.05) + crop_height) / height * 10000.0));
  std::tie(entry.edits.x0, entry.edits.y0, entry.edits.x1, entry.edits.y1) =
      std::tuple(x0, y0, x1, y1);
  entry.has_crop = true;
  ApplyJobPhoto(entry, photo);
  const auto at = [](double side, int fraction) {
    return static_cast<int>(std::lrint(side * fraction / 10000.0));
  };
  EXPECT_EQ(corners(),
            (std::vector<int>{at(width, x0), at(height, y0), at(width, x1), at(height, y1)}));
  EXPECT_NEAR(HistoryEditsOf(photo).x1, x1, 1);

  // A square crop fits neither the frame nor its turn: the default frame comes back.
  const int square = static_cast<int>(std::lrint(width * 0.5 / height * 10000.0));
  std::tie(entry.edits.x0, entry.edits.y0, entry.edits.x1, entry.edits.y1) =
      std::tuple(0, 0, 5000, square);
  ApplyJobPhoto(entry, photo);
  EXPECT_EQ(corners(), default_frame);
}

}  // namespace
}  // namespace tessaly
