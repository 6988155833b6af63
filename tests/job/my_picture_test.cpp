// Photo record: loading real and written photos (geometry, default frame, file date,
// EXIF, redraw against a direct PictureUtilsCls evaluation), the history restore and
// the label rule, contact-sheet mode, quarter turns, POINT, print resolution and the
// job's object indices.
#include "job/my_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <tuple>
#include <vector>

#include "controls/formatting.h"
#include "job/add_photo.h"
#include "job/job_history.h"
#include "job/picture_manager.h"
#include "support/fixtures.h"
#include "support/scoped_state.h"
#include "support/test_surfaces.h"
#include "surface/quarter_turn.h"

namespace tessaly {
namespace {

using test::ScopedHistoryRoot;
using test::ScopedLocale;

JobSettings Job(double width, double height, double margins, bool thumb = false,
                int screen_size = 400) {
  JobSettings s;
  s.Size = PhotoSize{width, height, margins};
  s.ThumbMode = thumb;
  s.ScreenPhotoSize = screen_size;
  return s;
}

// Writes a random picture of the given size; the format follows the extension.
QString WritePhoto(const QString& dir, const QString& name, int width, int height,
                   std::uint32_t seed) {
  const QString path = dir + "/" + name;
  const QImage image = test::RandomSurface(width, height, seed).ToQImage();
  EXPECT_TRUE(image.save(path));
  return path;
}

// The unedited bits (surface layout) as a top-down picture.
QImage PictureOf(const std::vector<std::uint8_t>& bits, int width, int height) {
  QImage image(width, height, QImage::Format_BGR888);
  const int stride = StrideFor(width);
  for (int y = 0; y < height; ++y)
    std::memcpy(image.scanLine(y), bits.data() + static_cast<std::size_t>(height - 1 - y) * stride,
                3 * static_cast<std::size_t>(width));
  return image;
}

// The shown picture and histogram must be what a fresh working buffer makes of
// the unedited copy with the record's values.
void ExpectRedrawOf(const MyPicture& photo) {
  const QImage& shown = photo.picture().picture;
  ASSERT_FALSE(shown.isNull());
  PictureBox box;
  box.picture = PictureOf(photo.OriginalPixelsArray(), shown.width(), shown.height());
  box.width = photo.picture().width;
  box.height = photo.picture().height;
  PictureUtilsCls reference;
  std::vector<std::uint8_t> copy;
  ASSERT_TRUE(reference.SetBitsFromPicture(box, copy, true));
  HistogramArray histogram;
  reference.ApplyEdits(histogram, true, photo.Bright(), photo.Contrast(), photo.gamma(),
                       photo.RedAdjust(), photo.GreenAdjust(), photo.BlueAdjust(),
                       photo.Saturation());
  if (photo.UnsharpMask() > 0)
    reference.UnsharpMask(photo.UnsharpMask() / 1000, photo.UnsharpMask() % 1000);
  reference.Paint(box);
  EXPECT_EQ(histogram, photo.Histogram());
  EXPECT_GT(photo.Histogram().Total(kHistogramRed), 0u);
  EXPECT_TRUE(box.picture.convertToFormat(QImage::Format_RGB888) ==
              shown.convertToFormat(QImage::Format_RGB888));
}

using Corners = std::vector<int>;
Corners CornersOf(const MyPicture& p) {
  return {p.CropX0(), p.CropY0(), p.CropX1(), p.CropY1()};
}

// Bright, contrast, red, green, blue, saturation, unsharp mask and angle.
std::vector<int> EditsOf(const MyPicture& p) {
  return {p.Bright(),     p.Contrast(),   p.RedAdjust(),   p.GreenAdjust(),
          p.BlueAdjust(), p.Saturation(), p.UnsharpMask(), p.Angle()};
}

class MyPictureTest : public ::testing::Test {
 protected:
  MyPictureTest() : dir_(QString::fromStdString(test::TempDir())), root_(dir_ + "/history") {}

  // Loads `surface` as the whole picture of `file`, shown at its own size on a
  // 4 × 6 in photo without margin.
  static void Load(MyPicture& p, cDIB& surface, const QString& file, int copies = 1) {
    p.SetPicture(surface, surface.Width(), surface.Height(), surface.Width(), 101.6, 152.4, 0, file,
                 copies);
  }

  JobSettings settings_ = Job(152.4, 101.6, 0);
  QString dir_;
  ScopedHistoryRoot root_;
  ScriptedUi ui_;
  ScopedUi scoped_ui_{ui_};
};

TEST_F(MyPictureTest, SquarePictureCountsAsUprightAndBiggerSurfacesAreScaled) {
  MyPicture p(settings_);
  cDIB square = test::RandomSurface(80, 80, 7);
  // The original is 900 × 901: only the square surface decides the branch.
  p.SetPicture(square, 900, 901, 40, 101.6, 152.4, 0, dir_ + "/none.png", 1);
  EXPECT_EQ(std::tuple(p.picture().picture.size(), p.PhotoPixelsWidth(), p.PhotoPixelsHeight(),
                       p.picture().left, p.picture().top),
            std::tuple(QSize(40, 40), 901, 900, 2 * 15, 0));
  EXPECT_EQ(CornersOf(p), (Corners{100, 0, 500, 600}));  // upright frame, centred
  EXPECT_EQ(p.pictureToTumb().size(), QSize(40, 40));
}

TEST_F(MyPictureTest, HistoryRestoresEditsRotationCropDateAndLabel) {
  const QString file = WritePhoto(dir_, "beach.png", 60, 40, 3);
  double date = 0;
  ASSERT_TRUE(FileDateSerial(file, date));
  // Unsharp 10050: radius code 10, amount 50. The crop corners of the turned
  // 600 × 900 picture: 60, 90, 540, 810.
  const HistoryEdits e{"Beach, 2003", 12, -7, 110, 3, -2, 1, 9, 10050, 1000, 1000, 9000, 9000, 90};
  ASSERT_TRUE(SaveEdits(date, "beach.png", e));

  MyPicture p(settings_);
  cDIB surface = test::RandomSurface(60, 40, 3);
  Load(p, surface, file, 2);
  EXPECT_EQ(EditsOf(p), (std::vector<int>{12, -7, 3, -2, 1, 9, 10050, 90}));
  EXPECT_DOUBLE_EQ(p.gamma(), 1.1);
  // Turned: 40 × 60 pixels, the offsets swapped (it was 12 pixels from the top).
  EXPECT_EQ(std::tuple(p.Copies(), p.picture().picture.size(), p.picture().left, p.picture().top),
            std::tuple(2, QSize(40, 60), 12 * 15, 0));
  EXPECT_EQ(CornersOf(p), (Corners{60, 90, 540, 810}));
  EXPECT_EQ(p.PreviousPrintDate(),
            FormatDate(QDateTime::currentDateTime(), QStringLiteral("Short Date")));
  EXPECT_EQ(p.PhotoLabel(), "Beach, 2003");
  // The unedited copy is the surface turned clockwise: its top-left pixel is the
  // surface's bottom-left one.
  const QImage original = PictureOf(p.OriginalPixelsArray(), 40, 60);
  EXPECT_EQ(test::FromQRgb(original.pixel(0, 0)), surface.PixelAt(0, 39));
  EXPECT_EQ(test::FromQRgb(original.pixel(39, 59)), surface.PixelAt(59, 0));
  ExpectRedrawOf(p);
}

TEST_F(MyPictureTest, StoredCropIsKeptOnlyWhenItsShapeMatchesTheFrameWithinAThousandth) {
  // 600 × 400 pixels are 9000 × 6000 twips under a 3:2 frame. The stored crop is
  // 4800 twips high; a width of 7202 is 0.0004 off the frame's shape, 7224 is 0.005 off.
  const QString file = WritePhoto(dir_, "field.png", 600, 400, 21);
  double date = 0;
  ASSERT_TRUE(FileDateSerial(file, date));
  cDIB surface = test::RandomSurface(600, 400, 21);
  const std::pair<int, Corners> cases[] = {{9002, {900, 600, 8102, 5400}},
                                           {9027, {0, 0, 9000, 6000}}};
  for (const auto& [x1, corners] : cases) {
    ASSERT_TRUE(SaveEdits(date, "field.png",
                          HistoryEdits{"", 0, 0, 100, 0, 0, 0, 0, 0, 1000, 1000, x1, 9000, 0}));
    MyPicture p(settings_);
    Load(p, surface, file);
    EXPECT_EQ(CornersOf(p), corners) << x1;
  }
}

TEST_F(MyPictureTest, LabelRule) {
  TESSALY_SKIP_WITHOUT_FIXTURES();
  // A two-digit short year ("6/9/01") must still read back as 2001.
  ScopedLocale locale("en_US");
  const QString file = test::FixturePath("exif-org_canon-ixus.jpg");  // taken 2001:06:09 15:17:32
  // {case, file name option, date option, mask, stored label (nullptr: no record), label}
  const std::tuple<const char*, bool, bool, const char*, const char*, const char*> cases[] = {
      {"nothing asked, no history", false, false, "", nullptr, ""},
      {"name, no history", true, false, "", nullptr, "exif-org_canon-ixus.jpg"},
      {"date with mask, no history", false, true, "dd-mm-yyyy", nullptr, " 09-06-2001"},
      {"nothing asked keeps any label", false, false, "", "On the lake", "On the lake"},
      {"label without the name", true, false, "", "On the lake", "exif-org_canon-ixus.jpg"},
      {"label with the date", false, true, "dd-mm-yyyy", "Lake 09-06-2001", "Lake 09-06-2001"},
      {"label without the date", false, true, "dd-mm-yyyy", "Lake", " 09-06-2001"},
      {"label with both", true, true, "dd-mm-yyyy", "Lake exif-org_canon-ixus.jpg 09-06-2001",
       "Lake exif-org_canon-ixus.jpg 09-06-2001"},
      // Without a mask the date is the EXIF text itself, compared ignoring case.
      {"date without a mask", false, true, "", nullptr, " 6/9/01 3:17:32 PM"},
      {"label with the date in lower case", false, true, "", "at 6/9/01 3:17:32 pm",
       "at 6/9/01 3:17:32 pm"},
  };
  double date = 0;
  ASSERT_TRUE(FileDateSerial(file, date));
  int n = 0;
  JobSettings settings = Job(152.4, 101.6, 0);
  for (const auto& [what, file_name_option, date_option, mask, stored, expected] : cases) {
    SCOPED_TRACE(what);
    ScopedHistoryRoot root(dir_ + "/labels" + QString::number(n++));
    if (stored) {
      ASSERT_TRUE(SaveEdits(date, "exif-org_canon-ixus.jpg", HistoryEdits{stored}));
    }
    settings.PhotoPrintFileName = file_name_option;
    settings.PhotoPrintDate = date_option;
    settings.DateMask = mask;
    MyPictureManager job(settings);
    ASSERT_EQ(AddPhotoFile(job, file), 0);
    EXPECT_EQ(job.At(0).Exif().DateTaken, "6/9/01 3:17:32 PM");
    EXPECT_EQ(job.At(0).PhotoLabel().toStdString(), expected);
  }

  // A photo without a date taken: the date option adds nothing.
  settings.PhotoPrintFileName = false;
  settings.PhotoPrintDate = true;
  MyPictureManager job(settings);
  ASSERT_EQ(AddPhotoFile(job, test::FixturePath("xmp_no_exif.jpg")), 0);
  EXPECT_EQ(job.At(0).PhotoLabel(), "");
}

TEST_F(MyPictureTest, CopiesLabelAndHistoryInContactSheetMode) {
  const QString file = WritePhoto(dir_, "sheet.png", 30, 20, 9);
  double date = 0;
  ASSERT_TRUE(FileDateSerial(file, date));
  ASSERT_TRUE(SaveEdits(date, "sheet.png", HistoryEdits{"Stored", 30}));

  MyPicture p(settings_);
  cDIB surface = test::RandomSurface(30, 20, 9);
  Load(p, surface, file, 3);
  const int copies[][2] = {{-4, 1}, {0, 1}, {1, 1}, {7, 7}};
  for (const auto& c : copies) {
    p.SetCopies(c[0]);
    EXPECT_EQ(p.Copies(), c[1]) << c[0];
  }
  EXPECT_EQ(p.PhotoLabel(), "Stored");

  settings_.ThumbMode = true;  // the record reads the job's mode whenever it needs it
  EXPECT_EQ(std::pair(p.Copies(), p.PhotoLabel()), std::pair(1, QString("sheet.png")));
  p.SetPhotoLabel("ignored");
  settings_.ThumbMode = false;
  EXPECT_EQ(std::pair(p.Copies(), p.PhotoLabel()), std::pair(7, QString("Stored")));

  // Added in contact-sheet mode: no history lookup, the frame hidden.
  JobSettings sheet = Job(152.4, 101.6, 0, true);
  MyPicture q(sheet);
  q.SetPicture(surface, 30, 20, 30, 101.6, 152.4, 3.5, file, 1);
  EXPECT_EQ(std::tuple(q.Bright(), q.PreviousPrintDate(), q.Crop().Visible()),
            std::tuple(0, QString(), false));
  q.Re_SetPicture(101.6, 152.4, 3.5);
  EXPECT_FALSE(q.Crop().Visible());
}

TEST_F(MyPictureTest, FourQuarterTurnsEachWayComeBackToTheStart) {
  MyPicture p(settings_);
  cDIB surface = test::RandomSurface(37, 23, 11);
  Load(p, surface, dir_ + "/none.png");
  p.SetContrast(15);
  const std::vector<std::uint8_t> original = p.OriginalPixelsArray();
  const QImage shown = p.picture().picture;
  const PictureBox start = p.picture();
  const Corners frame = CornersOf(p);

  // {step, the angle after each of four turns}
  const std::pair<int, std::vector<int>> sequences[] = {{90, {90, 180, -90, 0}},
                                                        {-90, {-90, -180, 90, 0}}};
  for (const auto& [step, angles] : sequences) {
    SCOPED_TRACE(step);
    for (int i = 0; i < 4; ++i) {
      p.Rotate(step);
      const bool turned = i % 2 == 0;
      EXPECT_EQ(std::tuple(p.Angle(), p.picture().picture.width(), p.ScaleWidth(), p.picture().left,
                           p.Crop().Visible()),
                std::tuple(angles[i], turned ? 23 : 37, turned ? 23 * 15 : 37 * 15,
                           turned ? start.top : start.left, true));
    }
    EXPECT_EQ(p.OriginalPixelsArray(), original);
    EXPECT_TRUE(p.picture().picture == shown);
    EXPECT_EQ(CornersOf(p), frame);
  }
  // One counter-clockwise turn: the new top-left pixel is the old top-right one.
  p.Rotate(-90);
  const QImage turned = PictureOf(p.OriginalPixelsArray(), 23, 37);
  EXPECT_EQ(test::FromQRgb(turned.pixel(0, 0)), surface.PixelAt(36, 0));
  ExpectRedrawOf(p);
  p.Rotate(45);  // not a quarter turn: nothing changes
  EXPECT_EQ(p.Angle(), -90);
}

TEST_F(MyPictureTest, PointReadsTheEditedPictureAsBgrValues) {
  MyPicture p(settings_);
  cDIB surface;
  ASSERT_TRUE(surface.Create(5, 3, test::Rgb(10, 20, 30)));
  surface.View().Row(2)[3 * 4 + 2] = 200;  // red of picture pixel (4, 0)
  Load(p, surface, dir_ + "/none.png");
  EXPECT_EQ(p.POINT(0, 0), test::Rgb(10, 20, 30));
  EXPECT_EQ(p.POINT(4 * 15 + 14.9, 14.9), test::Rgb(200, 20, 30));
  EXPECT_EQ(p.POINT(4 * 15 - 0.1, 0), test::Rgb(10, 20, 30));
  EXPECT_EQ(p.POINT(75, 0), 0u);
  EXPECT_EQ(p.POINT(-1, 0), 0u);
  p.SetBright(51);  // the edited picture is read, not the original
  EXPECT_NE(p.POINT(0, 0), test::Rgb(10, 20, 30));
  EXPECT_EQ(p.POINT(0, 0), test::FromQRgb(p.picture().picture.pixel(0, 0)));
}

TEST_F(MyPictureTest, JobHandsOutObjectIndicesOnceAndAppliesNewSizes) {
  MyPictureManager job(Job(152.4, 101.6, 0));
  const std::vector<int> added = {job.Add(), job.Add(), job.Add()};
  job.Remove(1);
  EXPECT_EQ(added, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(job.Add(), 2);
  ASSERT_EQ(job.Count(), 3);
  EXPECT_EQ((std::vector<int>{job.ObjectIndexOf(0), job.ObjectIndexOf(1), job.ObjectIndexOf(2)}),
            (std::vector<int>{1, 3, 4}));

  // 3000 pixels over a 150 mm print. A 5 mm margin on a square size: a centred 600 × 600 frame over
  // 140 mm.
  MyPictureManager sized(Job(150, 100, 0, false, 60));
  cDIB surface = test::RandomSurface(60, 40, 17);
  for (int i = 0; i < 2; ++i) GetPicture(sized, surface, dir_ + "/none.png", 3000, 2000);
  sized.Settings().Size = PhotoSize{150, 150, 5};
  sized.ApplyPhotoSize();
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(std::tuple(sized.At(i).ImgPrintWidth(), sized.At(i).Margin(), CornersOf(sized.At(i))),
              std::tuple(150.0, 5.0, Corners{150, 0, 750, 600}));
    EXPECT_FLOAT_EQ(sized.At(i).PrintResolution(),
                    static_cast<float>(25.4 * 3000 * (600.0 / 900.0) / 140.0));
  }
  // The same size again (the settings confirmed unchanged) keeps a moved crop; a new
  // margin gives the largest centred frame back.
  CropRect moved = sized.At(0).Crop().Rect();
  moved.Left += 100;
  sized.At(0).Crop().SetRect(moved);
  const Corners kept = CornersOf(sized.At(0));
  sized.ApplyPhotoSize();
  EXPECT_EQ(CornersOf(sized.At(0)), kept);
  sized.Settings().Size.Margins = 0;
  sized.ApplyPhotoSize();
  EXPECT_EQ(CornersOf(sized.At(0)), (Corners{150, 0, 750, 600}));
}

// A gradient, so that one picture scaled matches another made at its size.
cDIB Gradient(int width, int height) {
  QImage image(width, height, QImage::Format_RGB888);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, qRgb(255 * x / width, 255 * y / height, 128));
  cDIB dib;
  dib.CreateFromStdPicture(image);
  return dib;
}

// The largest difference of a channel between two pictures of one size.
int LargestDifference(const QImage& a, const QImage& b) {
  int most = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                       std::abs(qBlue(p) - qBlue(q))});
    }
  return most;
}

TEST_F(MyPictureTest, SharperScreenPixelsKeepThePlaceTheCropAndTheEdits) {
  MyPictureManager job(Job(150, 100, 0, false, 60));
  cDIB small = Gradient(60, 40);
  ASSERT_EQ(GetPicture(job, small, dir_ + "/none.png", 3000, 2000), 0);
  MyPicture& photo = job.At(0);
  photo.UpdateGraphic();
  photo.Rotate(kQuarterTurn);
  photo.SetBright(30);
  const PictureBox before = photo.picture();
  const Corners corners = CornersOf(photo);
  const QImage shown = before.picture;

  // A copy of another shape is refused; one with twice the pixels is taken turned.
  EXPECT_FALSE(photo.ReplaceScreenPixels(Gradient(120, 120)));
  ASSERT_TRUE(photo.ReplaceScreenPixels(Gradient(120, 80)));
  const PictureBox& after = photo.picture();
  EXPECT_EQ(std::tuple(after.left, after.top, after.width, after.height),
            std::tuple(before.left, before.top, before.width, before.height));
  EXPECT_EQ(CornersOf(photo), corners);
  EXPECT_EQ(after.picture.size(), QSize(80, 120));
  EXPECT_DOUBLE_EQ(after.picture.devicePixelRatio(), 2.0);
  EXPECT_DOUBLE_EQ(photo.PixelRatio(), 2.0);
  const QImage halved =
      after.picture.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  EXPECT_LE(LargestDifference(halved.convertToFormat(QImage::Format_RGB32),
                              shown.convertToFormat(QImage::Format_RGB32)),
            12);

  // A shape whose sides were rounded apart (61 × 40 shown as 60 × 39) still fits.
  MyPictureManager odd(Job(150, 100, 0, false, 60));
  cDIB narrow = Gradient(61, 40);
  ASSERT_EQ(GetPicture(odd, narrow, dir_ + "/none.png", 6100, 4000), 0);
  odd.At(0).UpdateGraphic();
  EXPECT_TRUE(odd.At(0).ReplaceScreenPixels(Gradient(4096, 2686)));

  // Off screen it goes back to the pixels it was loaded with.
  photo.ShrinkScreenPixels();
  EXPECT_EQ(photo.picture().picture.size(), shown.size());
  EXPECT_DOUBLE_EQ(photo.PixelRatio(), 1.0);
  EXPECT_LE(LargestDifference(photo.picture().picture.convertToFormat(QImage::Format_RGB32),
                              shown.convertToFormat(QImage::Format_RGB32)),
            12);
}

}  // namespace
}  // namespace tessaly
