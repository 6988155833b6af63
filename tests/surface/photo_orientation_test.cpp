// Photos read upright by their orientation tag: the eight values on a picture whose
// quadrants differ, through every reading entry point (full, reduced, size only, the
// screen copy), with the choice turned off, and how older history angles are read.
#include "surface/photo_orientation.h"

#include <gtest/gtest.h>

#include <QFile>
#include <array>

#include "job/history_record.h"
#include "surface/crafted_files.h"
#include "surface/image_file_reader.h"

namespace tessaly {
namespace {

constexpr std::uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

// The quadrant colours (top left, top right, bottom left, bottom right) of the upright
// picture, from where the tag says the stored picture's first row and first column
// belong: values 1–4 keep rows as rows, 5–8 make them columns.
std::array<std::uint32_t, 4> UprightQuadrants(int orientation) {
  enum Side { kTop, kBottom, kLeft, kRight };
  static constexpr Side kRow0[] = {kTop, kTop, kBottom, kBottom, kLeft, kRight, kRight, kLeft};
  static constexpr Side kCol0[] = {kLeft, kRight, kRight, kLeft, kTop, kTop, kBottom, kBottom};
  const Side row0 = kRow0[orientation - 1], col0 = kCol0[orientation - 1];
  // Stored quadrants: {first row?, first column?} → colour.
  const std::uint32_t stored[2][2] = {{kWhite, kBlue}, {kGreen, kRed}};
  std::array<std::uint32_t, 4> upright{};
  for (int first_row = 0; first_row < 2; ++first_row)
    for (int first_col = 0; first_col < 2; ++first_col) {
      bool top = false, left = false;
      if (row0 == kTop || row0 == kBottom) {
        top = (row0 == kTop) == static_cast<bool>(first_row);
        left = (col0 == kLeft) == static_cast<bool>(first_col);
      } else {
        left = (row0 == kLeft) == static_cast<bool>(first_row);
        top = (col0 == kTop) == static_cast<bool>(first_col);
      }
      upright[(top ? 0 : 2) + (left ? 0 : 1)] = stored[first_row][first_col];
    }
  return upright;
}

// The colours at the centres of the view's four quadrants, each channel taken as
// full or none (the JPEG coding moves them by a few levels).
std::array<std::uint32_t, 4> Quadrants(const SurfaceView& view) {
  const auto at = [&](int x, int y) {
    const std::uint32_t c = test::PixelOf(view, x, y);
    std::uint32_t full = 0;
    for (int shift = 0; shift < 24; shift += 8)
      if (((c >> shift) & 0xFF) > 127) full |= 0xFFu << shift;
    return full;
  };
  const int w = view.width, h = view.height;
  return {at(w / 4, h / 4), at(3 * w / 4, h / 4), at(w / 4, 3 * h / 4), at(3 * w / 4, 3 * h / 4)};
}

QString TaggedFile(int orientation) {
  const QString path = test::TestFile(QStringLiteral("tagged_%1.jpg").arg(orientation));
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(test::JpegWithOrientation(test::QuadrantJpeg(160, 96), orientation));
  return path;
}

TEST(PhotoOrientation, EveryTagReadsUprightThroughEveryEntryPoint) {
  for (int orientation = 1; orientation <= 8; ++orientation) {
    SCOPED_TRACE(orientation);
    const QString path = TaggedFile(orientation);
    const QSize upright = orientation >= 5 ? QSize(96, 160) : QSize(160, 96);
    EXPECT_EQ(AppliedOrientation(path), orientation);

    int w = 0, h = 0;
    ASSERT_TRUE(ImageFileSize(path, w, h));
    EXPECT_EQ(QSize(w, h), upright);

    SurfaceBuffer whole;
    ASSERT_TRUE(ReadImageFile(path, whole));
    EXPECT_EQ(QSize(whole.View().width, whole.View().height), upright);
    EXPECT_EQ(Quadrants(whole.View()), UprightQuadrants(orientation));

    // Decoded at half size on each side, described as the whole upright picture.
    SurfaceBuffer reduced;
    FullPicture full;
    ASSERT_TRUE(ReadImageFileReduced(path, 0.5, reduced, full));
    EXPECT_EQ(QSize(full.width, full.height), upright);
    EXPECT_EQ(QSize(reduced.View().width, reduced.View().height), upright / 2);
    EXPECT_EQ(Quadrants(reduced.View()), UprightQuadrants(orientation));

    // The screen copy is sized from the upright picture, so a copy whose shape is
    // not the stored one's shows the tag was applied before the copy was sized.
    cDIB copy = ScaledCopyFromFile(
        path, [](int width, int height) { return QSize(width / 4, height / 2); }, w, h);
    ASSERT_TRUE(copy.IsCreated());
    EXPECT_EQ(QSize(copy.View().width, copy.View().height),
              QSize(upright.width() / 4, upright.height() / 2));
    EXPECT_EQ(Quadrants(copy.View()), UprightQuadrants(orientation));
  }
}

TEST(PhotoOrientation, TurnedOffReadsThePixelsAsStored) {
  struct ReadAsStored {
    ReadAsStored() { SetUprightPhotos(false); }
    ~ReadAsStored() { SetUprightPhotos(true); }
  } off;
  const QString path = TaggedFile(6);
  EXPECT_EQ(AppliedOrientation(path), kUprightOrientation);
  int w = 0, h = 0;
  ASSERT_TRUE(ImageFileSize(path, w, h));
  EXPECT_EQ(QSize(w, h), QSize(160, 96));
  SurfaceBuffer whole;
  ASSERT_TRUE(ReadImageFile(path, whole));
  EXPECT_EQ(Quadrants(whole.View()), UprightQuadrants(1));
}

TEST(PhotoOrientation, DamagedOrOddTagsLeaveThePictureAsStored) {
  const QByteArray tagged = test::JpegWithOrientation(test::QuadrantJpeg(32, 16), 6);
  const auto orientation = [](const QByteArray& bytes) {
    return JpegOrientation(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                           static_cast<std::size_t>(bytes.size()));
  };
  EXPECT_EQ(orientation(tagged), 6);
  EXPECT_EQ(orientation(test::JpegWithOrientation(test::QuadrantJpeg(32, 16), 9)), 1);
  QByteArray far_directory = tagged;
  far_directory[2 + 4 + 6 + 7] = '\x7f';  // the directory offset points past the segment
  EXPECT_EQ(orientation(far_directory), 1);
  QByteArray many_entries = tagged;
  many_entries[2 + 4 + 6 + 8] = '\x40';  // 16 384 entries claimed in a 32-byte segment
  EXPECT_EQ(orientation(many_entries), 1);
  EXPECT_EQ(orientation(tagged.left(20)), 1);
}

// An angle recorded before photos were read upright keeps its look on the upright
// picture when the tag is a plain turn; newer records and mirrored tags stand.
TEST(PhotoOrientation, OlderHistoryAnglesKeepTheirLook) {
  const double old_day = kUprightRecordsSince - 1;
  const struct {
    int angle, orientation;
    double day;
    int expected;
  } cases[] = {
      {90, 6, old_day, 0},    {0, 6, old_day, -90},  {-90, 8, old_day, 0},
      {180, 8, old_day, -90}, {-180, 3, old_day, 0}, {90, 3, old_day, -90},
      {90, 1, old_day, 90},   {90, 5, old_day, 90},  {90, 6, kUprightRecordsSince, 90},
      {45, 6, old_day, 45},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RecordAngleOnUpright(c.angle, c.orientation, c.day), c.expected)
        << c.angle << " " << c.orientation << " " << c.day;
}

}  // namespace
}  // namespace tessaly
