// Batch save runs over real files written here, saved into scratch folders with a
// ScriptedUi answering and a scratch history. Expected pixels come from decoding the
// source and applying the resampling, edits, profile conversion and sharpening to a
// copy; sizes, margins, frame and label positions are worked out by hand from the
// rounding rules.
#include "save/save_pipeline.h"

#include <gtest/gtest.h>

#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTransform>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <tuple>

#include "colour/colour_profiles.h"
#include "colour/icc_test_profiles.h"
#include "controls/scripted_ui.h"
#include "job/add_photo.h"
#include "job/history_store.h"
#include "support/scratch_home.h"
#include "support/test_surfaces.h"
#include "surface/crafted_files.h"
#include "surface/image_file_writer.h"

namespace tessaly::test {
namespace {

const QString kCr = QStringLiteral("\r");
const QString kFailureAdvice = QStringLiteral(
    "Click 'Abort' to stop saving files, 'Retry' to try this file again, 'Ignore' to ignore "
    "this file and proceed with the next file.");
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kFrameGrey = Rgb(90, 90, 90);

bool WriteImage(cDIB& dib, const QString& path, int format, int quality = 95) {
  cGDIImage image;
  return image.CreateFromDIB(dib) && image.Save(path, format, quality);
}

// The file decoded into a surface of its own size.
cDIB Decoded(const QString& path) {
  cGDIImage image;
  if (!image.CreateFromFile(path)) return cDIB();
  return image.ToDib(false, false, 0, 0, 0, 0, 0, 0, cGDIImage::kHighQualityBicubic);
}

// True when the file decodes to the size and pixel bytes of `expected`.
bool SameAsFile(const QString& path, cDIB& expected) {
  return SamePixels(Decoded(path).View(), expected.View());
}

JobSettings PlainSettings(double width, double height, double margins) {
  JobSettings settings;
  settings.Size = PhotoSize{width, height, margins};
  return settings;
}

// Every message shown has `text`, Abort/Retry/Ignore buttons and the critical icon.
void ExpectCriticalMessages(const ScriptedUi& ui, const QString& text, std::size_t count) {
  ASSERT_EQ(ui.Messages().size(), count);
  for (const RecordedMessage& m : ui.Messages())
    EXPECT_EQ(std::tuple(m.text, m.buttons, m.icon),
              std::tuple(text, MsgButtons::AbortRetryIgnore, MsgIcon::Critical));
}

class SavePipelineTest : public ScratchHomeTest {
 protected:
  void SetUp() override { ASSERT_TRUE(QDir().mkpath(Sources())); }

  // Points the history at a new empty folder, so that a photo saved by an earlier
  // case of a table does not come back with that case's edits.
  void NewHistory() {
    SetHistoryRoot(dir_.filePath(QStringLiteral("Tesly_DB%1").arg(++histories_)));
  }
  QString Sources() const { return dir_.filePath("sources") + "/"; }
  // Options saving into a new empty folder; the history is new and empty too.
  SaveRunOptions Fresh(const QString& type = QStringLiteral("PNG")) {
    NewHistory();
    SaveRunOptions options;
    options.type_text = type;
    options.folder = dir_.filePath(QStringLiteral("run%1").arg(histories_)) + "/";
    EXPECT_TRUE(QDir().mkpath(options.folder));
    return options;
  }

  // Writes a scene as `name` into the sources folder.
  QString Source(const QString& name, int width, int height, std::uint32_t seed = 1,
                 int format = kSavePng) {
    cDIB scene = RandomSurface(width, height, seed);
    const QString path = Sources() + name;
    QFile::remove(path);  // a case of a table writes its sources again
    EXPECT_TRUE(WriteImage(scene, path, format));
    return path;
  }

  // Adds the file to the job with its crop covering the whole picture.
  static MyPicture& Add(MyPictureManager& job, const QString& path) {
    const int position = AddPhotoFile(job, path);
    EXPECT_GE(position, 0) << qPrintable(path);
    MyPicture& photo = job.At(position);
    photo.Crop().SetRect(CropRect{0, 0, static_cast<float>(photo.ScaleWidth()),
                                  static_cast<float>(photo.ScaleHeight())});
    return photo;
  }

  // Lines of the photo's month file that name it.
  static int HistoryLinesOf(const MyPicture& photo) {
    HistoryKey key;
    if (!HistoryKeyOf(photo.FileDate(), key)) return -1;
    const QString name = QFileInfo(photo.Filename()).fileName();
    int lines = 0;
    for (const QByteArray& text : ReadFileBytes(HistoryFilePath(key.day)).split('\n')) {
      HistoryLine line;
      if (ParseHistoryLine(text, line) && line.name == name) ++lines;
    }
    return lines;
  }

  int histories_ = 0;
};

TEST(SaveTypeOf, TypeListTexts) {
  // Text, extension and type code; code 0 for a text no type begins with.
  const std::tuple<const char*, const char*, int> cases[] = {{"JPEG (JPG)", ".jpg", 1},
                                                             {"TIFF (TIF)", ".tif", 3},
                                                             {"PNG", ".png", 2},
                                                             {"BMP", ".bmp", 4},
                                                             {"Ti", ".tif", 3},
                                                             {"GIF", "", 0},
                                                             {"P", "", 0},
                                                             {" JPEG", "", 0}};
  for (const auto& [text, extension, code] : cases) {
    QString got_extension;
    int got_code = 0;
    EXPECT_EQ(SaveTypeOf(QString::fromLatin1(text), got_extension, got_code), code != 0) << text;
    EXPECT_EQ(std::pair(got_extension, got_code), std::pair(QString::fromLatin1(extension), code))
        << text;
  }
}

// A 300 × 200 picture on a 38.1 mm photo prints at 200 ppi. The limits scale the
// whole crop in one resample and pick the default sharpening from the factor; the
// photo's own unsharp value wins over the default.
TEST_F(SavePipelineTest, ResolutionLimitsScaleAndChooseTheSharpening) {
  const QString path = Source("ppi200.png", 300, 200, 3);
  // {minimum, maximum, default sharpening, own unsharp value, result size, the
  // sharpening expected and one that must not have happened}
  using Sharpen = std::optional<std::pair<int, int>>;
  const std::tuple<int, int, bool, int, int, int, Sharpen, Sharpen> cases[] = {
      {300, 0, true, 0, 450, 300, std::pair{15, 100}, std::pair{10, 100}},
      {220, 0, true, 0, 330, 220, std::pair{10, 100}, std::pair{15, 100}},
      {0, 160, true, 0, 240, 160, std::pair{10, 75}, std::pair{10, 100}},
      {0, 250, true, 0, 300, 200, std::pair{10, 100}, std::pair{10, 75}},
      {300, 0, false, 0, 450, 300, std::nullopt, std::pair{15, 100}},
      {300, 0, true, 20125, 450, 300, std::pair{20, 125}, std::pair{15, 100}},
  };
  for (const auto& [min, max, default_sharpen, own_unsharp, width, height, sharpen, wrong] :
       cases) {
    SCOPED_TRACE(::testing::Message() << "min " << min << " max " << max << " default "
                                      << default_sharpen << " own " << own_unsharp);
    const SaveRunOptions options = Fresh();
    MyPictureManager job(PlainSettings(38.1, 25.4, 0));
    job.Settings().MinResolution = min;
    job.Settings().MaxResolution = max;
    job.Settings().DefaultSharpen = default_sharpen;
    MyPicture& photo = Add(job, path);
    photo.SetUnsharpMask(own_unsharp);
    const SaveRunReport report = SavePhotos(job, options);
    ASSERT_EQ(report.files.size(), 1);

    cGDIImage source;
    ASSERT_TRUE(source.CreateFromFile(path));
    cDIB expected =
        source.ToDib(true, true, width, height, 0, 0, 300, 200, cGDIImage::kHighQualityBicubic);
    cDIB unexpected =
        source.ToDib(true, true, width, height, 0, 0, 300, 200, cGDIImage::kHighQualityBicubic);
    if (sharpen) expected.UnsharpMask(sharpen->first, sharpen->second);
    if (wrong) unexpected.UnsharpMask(wrong->first, wrong->second);
    EXPECT_TRUE(SameAsFile(report.files[0], expected));
    EXPECT_FALSE(SameAsFile(report.files[0], unexpected));
  }
}

// Without limits the crop is copied at its own pixel size, turned with the photo.
// 375 twips of a 6000-twip picture are 1/16 of it: on 584 pixels that is 36.5,
// which goes to 36 (halves to even).
TEST_F(SavePipelineTest, CropWithoutLimitsIsCopiedAtItsOwnPixelSize) {
  const QString path = Source("crop.png", 584, 376, 11);
  const QImage source = Decoded(path).ToQImage().convertToFormat(QImage::Format_RGB888);
  // {angle, crop left, top, width, height as fractions of the turned picture's twips}
  const std::tuple<int, float, float, float, float> cases[] = {{0, 1 / 16.0f, 0.1f, 0.75f, 0.6f},
                                                               {90, 0.2f, 0.05f, 0.5f, 0.77f}};
  for (const auto& [angle, left, top, width, height] : cases) {
    SCOPED_TRACE(::testing::Message() << "angle " << angle);
    const SaveRunOptions options = Fresh();
    MyPictureManager job(PlainSettings(150, 100, 0));
    job.Settings().DefaultSharpen = false;
    MyPicture& photo = Add(job, path);
    if (angle != 0) photo.Rotate(angle);
    const double wp = photo.ScaleWidth(), hp = photo.ScaleHeight();
    photo.Crop().SetRect(CropRect{static_cast<float>(std::nearbyint(left * wp)),
                                  static_cast<float>(std::nearbyint(top * hp)),
                                  static_cast<float>(std::nearbyint(width * wp)),
                                  static_cast<float>(std::nearbyint(height * hp))});
    // The source turned clockwise by the angle, independently of the program.
    const QImage turned = source.transformed(QTransform().rotate(angle));
    const auto scaled = [](int corner, double twips, int pixels) {
      return static_cast<int>(std::nearbyint(corner / twips * pixels));
    };
    const int x0 = scaled(photo.CropX0(), wp, turned.width());
    const int y0 = scaled(photo.CropY0(), hp, turned.height());
    const int x1 = scaled(photo.CropX1(), wp, turned.width());
    const int y1 = scaled(photo.CropY1(), hp, turned.height());
    if (angle == 0) {
      ASSERT_EQ(wp, 6000.0) << "premise: 400-pixel screen copy";
      EXPECT_EQ(photo.CropX0(), 375);
      EXPECT_EQ(x0, 36);
    }
    const SaveRunReport report = SavePhotos(job, options);
    ASSERT_EQ(report.files.size(), 1);
    const QImage saved = Decoded(report.files[0]).ToQImage().convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(saved.size(), QSize(x1 - x0, y1 - y0));
    EXPECT_TRUE(saved == turned.copy(x0, y0, x1 - x0, y1 - y0));
    // The file states its print resolution (the long side over the size's) and that
    // its pixels are sRGB.
    const QImage file(report.files[0]);
    const double ppm = std::max(saved.width(), saved.height()) / photo.ImgPrintWidth();
    EXPECT_EQ(file.dotsPerMeterX(), static_cast<int>(std::nearbyint(ppm * 1000)));
    EXPECT_EQ(file.colorSpace().iccProfile(), SrgbProfileBytes());
  }
}

// A JPEG carrying a gamma 1.8 profile is converted to sRGB as an independent Little CMS
// transform says.
TEST_F(SavePipelineTest, EmbeddedProfileIsConvertedToSrgb) {
  cDIB source = RandomSurface(97, 61, 5);
  const QString plain = Sources() + "plain.jpg", tagged = Sources() + "tagged.jpg";
  ASSERT_TRUE(WriteImage(source, plain, kSaveJpeg, 92));
  cmsHPROFILE embedded = GammaRgbProfile(1.8, "Gamma 1.8"), srgb = cmsCreate_sRGBProfile();
  const QByteArray jpeg = ReadFileBytes(plain);
  PutFile(tagged, jpeg.left(2) + IccChunk(1, 1, ProfileBytes(embedded)) + jpeg.mid(2));
  MyPictureManager job(PlainSettings(150, 100, 0));
  Add(job, tagged);
  const SaveRunReport report = SavePhotos(job, Fresh());
  ASSERT_EQ(report.files.size(), 1);
  cDIB expected = Decoded(tagged);
  const std::vector<std::uint8_t> converted = DirectTransform(expected.View(), embedded, srgb);
  EXPECT_NE(converted, AllBytes(expected.View()));
  std::copy(converted.begin(), converted.end(), expected.DIBitsPtr());
  EXPECT_TRUE(SameAsFile(report.files[0], expected));
  cmsCloseProfile(embedded);
  cmsCloseProfile(srgb);
}

// Margin, frame and label on a white 600 × 400 picture of a 150 mm photo (4 pixels
// per mm). Every expected number is worked out by hand below; the whole result is
// compared with a white surface drawn with those numbers.
TEST_F(SavePipelineTest, MarginFrameAndLabelPositions) {
  cDIB white;
  ASSERT_TRUE(white.Create(600, 400, kWhite));
  const QString path = Sources() + "white.png";
  ASSERT_TRUE(WriteImage(white, path, kSavePng));
  const QString label = QStringLiteral("TESSALY 42");
  const std::uint32_t red = Rgb(200, 0, 0);
  // {margin, font size, result width and height, frame pen width (0: no frame), frame
  // corners x0 (= y0), x1 and y1, label font pixels, label x and y}; a frame is asked for.
  const std::tuple<double, double, int, int, int, int, int, int, int, int, int> cases[] = {
      // No margin: label 5 mm from the right, 4 mm above the bottom.
      // fs = nearest(24·4·25.4/72 = 33.87) = 34; tx = 600 − 20; ty = 400 − 34 − 16.
      {0, 24, 600, 400, 0, 0, 0, 0, 34, 580, 350},
      // 8 mm margin = 32 pixels; frame d = nearest(7.6·4 = 30.4) = 30, far corner
      // nearest(664 − 30.4) = 634 and nearest(464 − 30.4) = 434; label under the
      // photo's corner (632, 432), dropped nearest(0.5·4) = 2 by the frame.
      {8, 12, 664, 464, 1, 30, 634, 434, 17, 632, 434},
      // 3.4 mm: nearest(13.6) = 14 pixels of margin, but no frame and the label
      // goes inside: tx = 628 − 20, ty = nearest(428 − 17 − 16).
      {3.4, 12, 628, 428, 0, 0, 0, 0, 17, 608, 395},
  };
  for (const auto& [margin, font_size, wr, hr, pen, fx0, fx1, fy1, fs, tx, ty] : cases) {
    SCOPED_TRACE(::testing::Message() << "margin " << margin);
    const SaveRunOptions options = Fresh();
    MyPictureManager job(PlainSettings(150, 100, margin));
    job.Settings().PhotoDrawFrame = true;
    job.Settings().FontSize = font_size;
    job.Settings().FontBold = true;
    job.Settings().FontColor = red;
    MyPicture& photo = Add(job, path);
    photo.SetPhotoLabel(label);
    const SaveRunReport report = SavePhotos(job, options);
    ASSERT_EQ(report.files.size(), 1);

    cDIB expected;
    ASSERT_TRUE(expected.Create(wr, hr, kWhite));
    if (pen > 0) {
      expected.SetPen(0, pen, kFrameGrey);
      expected.DrawRectangle(*expected.hDIBDC(), fx0, fx0, fx1, fy1);
    }
    expected.SetFont("Arial", fs, true, false, 0);
    expected.PrintText(*expected.hDIBDC(), label, tx, ty, red, true);
    EXPECT_TRUE(SameAsFile(report.files[0], expected));
  }
}

// Every type writes its own extension; the lossless ones give the pixels back, a
// JPEG is exactly the encoder's output at the quality read from the text (a whole
// number, halves to even), and a BMP is the same whatever the quality.
TEST_F(SavePipelineTest, TypesAndQuality) {
  const QString path = Source("types.png", 67, 45, 9);
  cDIB source = Decoded(path);
  // {type, quality text, extension, JPEG quality (−1: lossless, pixels compared)}
  const std::tuple<const char*, const char*, const char*, int> cases[] = {
      {"JPEG (JPG)", " 36.5", ".jpg", 36}, {"JPEG (JPG)", "37.5", ".jpg", 38},
      {"JPEG (JPG)", "x", ".jpg", 0},      {"TIFF (TIF)", "90", ".tif", -1},
      {"PNG", "90", ".png", -1},           {"BMP", "0", ".bmp", -1},
      {"BMP", "500", ".bmp", -1},
  };
  QByteArray first_bmp;
  for (const auto& [type, quality, extension, jpeg_quality] : cases) {
    SCOPED_TRACE(::testing::Message() << type << " quality '" << quality << "'");
    SaveRunOptions options = Fresh(QString::fromLatin1(type));
    options.quality_text = QString::fromLatin1(quality);
    MyPictureManager job(PlainSettings(150, 100, 0));
    Add(job, path);
    const SaveRunReport report = SavePhotos(job, options);
    ASSERT_EQ(report.files.size(), 1);
    EXPECT_EQ(report.files[0], options.folder + "types" + extension);
    EXPECT_TRUE(ui_.Messages().empty());
    if (jpeg_quality >= 0) {
      // The same pixels encoded directly at that quality, with the same resolution
      // (in dots per inch) and profile.
      const QByteArray saved = ReadFileBytes(report.files[0]);
      const QString direct = options.folder + "direct.jpg";
      ASSERT_EQ(WriteImageFile(source.View(), direct, kSaveJpeg, jpeg_quality,
                               {test::Field(saved, 14, 2, true) / 25.4, SrgbProfileBytes(), {}}),
                kSaveOk);
      EXPECT_EQ(saved, ReadFileBytes(direct));
      continue;
    }
    EXPECT_TRUE(SameAsFile(report.files[0], source));
    if (QString::fromLatin1(type) == "BMP") {
      if (first_bmp.isEmpty()) first_bmp = ReadFileBytes(report.files[0]);
      EXPECT_EQ(ReadFileBytes(report.files[0]), first_bmp);
    }
  }
}

// A complete run: the progress texts in order, no messages, the cancel flag cleared
// at the start and the end, the progress window closed, one history record per photo
// and the saved pixels.
TEST_F(SavePipelineTest, CompleteRunShowsProgressAndRecordsHistoryOncePerPhoto) {
  MyPictureManager job(PlainSettings(150, 100, 0));
  MyPicture& one = Add(job, Source("one.png", 45, 33, 1));
  MyPicture& two = Add(job, Source("two.png", 33, 45, 2));
  one.UpdateGraphicValues(12, -7, 1.3, 5, -3, 9, 20);
  one.SetUnsharpMask(15100);
  one.SetPhotoLabel(QString());
  two.SetBright(17);
  two.SetPhotoLabel(QStringLiteral("Second"));
  ui_.SetCancelRequested(true);

  const SaveRunOptions options = Fresh();
  const SaveRunReport report = SavePhotos(job, options);
  EXPECT_EQ(std::tuple(report.saved, report.cancelled, report.aborted),
            std::tuple(2, false, false));
  const QString head1 = "Saving file 1 of 2." + kCr + kCr;
  const QString head2 = "Saving file 2 of 2." + kCr + kCr;
  const std::vector<QString> progress = {
      head1 + "Openning '" + one.Filename() + " '...",
      head1 + "Processing...",
      head1 + "Saving as '" + options.folder + "one.png'...",
      head2 + "Openning '" + two.Filename() + " '...",
      head2 + "Processing...",
      head2 + "Saving as '" + options.folder + "two.png'...",
  };
  EXPECT_EQ(ui_.ProgressTexts(), progress);
  // No message, the progress window closed and the cancel flag cleared.
  EXPECT_EQ(std::tuple(ui_.Messages().size(), ui_.ProgressShown(), ui_.CancelRequested()),
            std::tuple(0u, false, false));

  for (const MyPicture* photo : {&one, &two}) EXPECT_EQ(HistoryLinesOf(*photo), 1);

  // Without limits, margin or label the first file is the decoded source with the
  // photo's edits and unsharp mask, byte for byte. The run opens the second photo
  // while it works on the first; its file still holds exactly what preparing it on its
  // own gives.
  cDIB edited = Decoded(one.Filename());
  edited.ApplyEdits(12, -7, 1.3, 5, -3, 9, 20);
  edited.UnsharpMask(15, 100);
  EXPECT_TRUE(SameAsFile(options.folder + "one.png", edited));
  EXPECT_FALSE(SameAsFile(one.Filename(), edited));
  cGDIImage image;
  cDIB expected;
  ASSERT_TRUE(image.CreateFromFile(two.Filename()));
  ASSERT_TRUE(PrepareSavePhoto(image, expected, two, job.Settings()));
  EXPECT_TRUE(SameAsFile(options.folder + "two.png", expected));
}

// Cancel while file 3 of 5 is opened or processed: files 1 and 2 exist, 3 is not
// written, the run stops there and no history is recorded.
TEST_F(SavePipelineTest, CancelDuringThirdPhotoStopsBeforeWritingIt) {
  for (const QString& step : {QStringLiteral("Openning '"), QStringLiteral("Processing...")}) {
    SCOPED_TRACE(qPrintable(step));
    const SaveRunOptions options = Fresh();
    const QString& folder = options.folder;
    MyPictureManager job(PlainSettings(150, 100, 0));
    for (int i = 1; i <= 5; ++i)
      Add(job, Source(QStringLiteral("photo%1.png").arg(i), 40 + i, 30, i));
    ScriptedUi ui;
    ScopedUi scoped(ui);
    const QString stop = "Saving file 3 of 5." + kCr + kCr + step;
    ui.OnPoll([&ui, &stop](int) {
      if (!ui.ProgressTexts().empty() && ui.ProgressTexts().back().startsWith(stop))
        ui.SetCancelRequested(true);
    });
    const SaveRunReport report = SavePhotos(job, options);
    EXPECT_EQ(std::tuple(report.cancelled, report.saved), std::tuple(true, 2));
    EXPECT_EQ(report.files, (QStringList{folder + "photo1.png", folder + "photo2.png"}));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), (QStringList{"photo1.png", "photo2.png"}));
    EXPECT_TRUE(ui.ProgressTexts().back().startsWith(stop));
    EXPECT_EQ(std::tuple(ui.Messages().size(), ui.ProgressShown(), ui.CancelRequested()),
              std::tuple(0u, false, false));
    EXPECT_FALSE(QFileInfo::exists(HistoryRoot()));  // no history line of any photo
  }
}

// The second of three files cannot be opened any more: Abort ends the run without
// history; Retry opens it again, then Ignore skips it and the run completes with
// history for every photo.
TEST_F(SavePipelineTest, UnreadableFileAbortRetryIgnore) {
  // {name, answers, saved, skipped, aborted}
  const std::tuple<const char*, std::vector<MsgAnswer>, int, int, bool> cases[] = {
      {"abort", {MsgAnswer::Abort}, 1, 0, true},
      {"retry", {MsgAnswer::Retry, MsgAnswer::Ignore}, 2, 1, false}};
  for (const auto& [name, answers, saved, skipped, aborted] : cases) {
    SCOPED_TRACE(name);
    const SaveRunOptions options = Fresh();
    MyPictureManager job(PlainSettings(150, 100, 0));
    QStringList names;
    for (int i = 1; i <= 3; ++i) {
      names << QStringLiteral("%1_p%2.png").arg(name).arg(i);
      Add(job, Source(names.back(), 30, 20 + i, i));
    }
    PutFile(Sources() + names[1], "not a picture");
    ScriptedUi ui;
    ScopedUi scoped(ui);
    for (MsgAnswer answer : answers) ui.Answer(answer);
    const SaveRunReport report = SavePhotos(job, options);
    EXPECT_EQ(std::tuple(report.saved, report.skipped, report.aborted),
              std::tuple(saved, skipped, aborted));
    ExpectCriticalMessages(
        ui, "Error opening file '" + Sources() + names[1] + "'\rnot a photo file", answers.size());
    EXPECT_EQ(QDir(options.folder).entryList(QDir::Files),
              (aborted ? QStringList{names[0]} : QStringList{names[0], names[2]}));
    for (int i = 0; i < job.Count(); ++i)
      EXPECT_EQ(HistoryLinesOf(job.At(i)), aborted ? 0 : 1) << i;
  }
}

// Encoder failures: into a folder that does not exist the target cannot even be
// opened, so the system's reason follows ": " and a carriage return; with a JPEG
// quality the encoder refuses, the probe succeeds, is removed again, and the text has
// no reason.
TEST_F(SavePipelineTest, EncoderFailureMessage) {
  const QString path = Source("scene.png", 21, 17, 4);
  const QString no_entry = QString::fromLocal8Bit(std::strerror(ENOENT));
  // {name, folder below the run's, quality text, answers, reason (empty: the probe
  // succeeded), aborted}
  using Case =
      std::tuple<const char*, const char*, const char*, std::vector<MsgAnswer>, QString, bool>;
  const Case cases[] = {
      {"missing folder", "missing/", "90", {}, no_entry, true},
      {"bad quality", "", "500", {MsgAnswer::Retry, MsgAnswer::Ignore}, QString(), false}};
  for (const auto& [name, below, quality, answers, reason, aborted] : cases) {
    SCOPED_TRACE(name);
    MyPictureManager job(PlainSettings(150, 100, 0));
    Add(job, path);
    ScriptedUi ui;
    ScopedUi scoped(ui);
    for (MsgAnswer answer : answers) ui.Answer(answer);
    SaveRunOptions options = Fresh(QStringLiteral("JPEG (JPG)"));
    const QString run = options.folder;
    options.folder += QString::fromLatin1(below);
    options.quality_text = QString::fromLatin1(quality);

    const SaveRunReport report = SavePhotos(job, options);
    QString text = "Unable to save the file '" + options.folder + "scene.jpg'";
    if (!reason.isEmpty()) text += ": " + kCr + reason;
    text += kCr + kCr + kFailureAdvice;
    ExpectCriticalMessages(ui, text, std::max<std::size_t>(answers.size(), 1));
    EXPECT_EQ(std::tuple(report.aborted, report.saved), std::tuple(aborted, 0));
    EXPECT_EQ(HistoryLinesOf(job.At(0)), aborted ? 0 : 1);
    // Nothing is left in the run's folder, and the missing folder is not made.
    EXPECT_EQ(QDir(run).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList());
  }
}

// Whatever holds the name a photo is about to get — there before the run, or put
// there by another program between the choice of the name and the write — stays as
// it is and the photo goes under the next free name. A write cut short by a full disk
// is a failure whose message adds no reason (the folder can take files), and it
// leaves nothing in the folder and creates nothing where a link points.
TEST_F(SavePipelineTest, WhatHoldsTheNameIsNeverTouched) {
  const QString path = Source("scene.png", 160, 120, 4);
  const QString outside = dir_.filePath("outside") + "/";
  ASSERT_TRUE(QDir().mkpath(outside));
  enum class Put { kLinkBefore, kFileWhileSaving, kLinkWhileSaving, kDiskFull };
  const std::pair<const char*, Put> cases[] = {
      {"dangling link before the run", Put::kLinkBefore},
      {"file made while saving", Put::kFileWhileSaving},
      {"dangling link made while saving", Put::kLinkWhileSaving},
      {"disk full while saving", Put::kDiskFull}};
  for (const auto& [name, kind] : cases) {
    SCOPED_TRACE(name);
    const SaveRunOptions options = Fresh();
    const QString target = options.folder + "scene.png";
    const QString nowhere = outside + QString::fromLatin1(name);
    ASSERT_TRUE(kind != Put::kLinkBefore || QFile::link(nowhere, target));
    MyPictureManager job(PlainSettings(150, 100, 0));
    Add(job, path);
    ScriptedUi ui;
    ScopedUi scoped(ui);
    ui.Answer(MsgAnswer::Ignore);
    std::optional<ScopedFileSizeLimit> full;
    bool put = false;
    ui.OnPoll([&](int) {
      if (put || ui.ProgressTexts().empty() || !ui.ProgressTexts().back().contains("Saving as"))
        return;
      put = true;
      if (kind == Put::kFileWhileSaving) {
        PutFile(target, "other");
      } else if (kind == Put::kLinkWhileSaving) {
        EXPECT_TRUE(QFile::link(nowhere, target));
      } else if (kind == Put::kDiskFull) {
        EXPECT_TRUE(full.emplace(512).Active());
      }
    });

    const SaveRunReport report = SavePhotos(job, options);
    full.reset();
    const QStringList entries =
        QDir(options.folder)
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    if (kind == Put::kDiskFull) {
      ExpectCriticalMessages(
          ui, "Unable to save the file '" + target + "'" + kCr + kCr + kFailureAdvice, 1);
      EXPECT_EQ(report.skipped, 1);
      EXPECT_EQ(entries, QStringList());
      continue;
    }
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(report.files, QStringList{options.folder + "scene(01).png"});
    EXPECT_EQ(entries, (QStringList{"scene(01).png", "scene.png"}));
    if (kind == Put::kFileWhileSaving) {
      EXPECT_EQ(ReadFileBytes(target), QByteArray("other"));
    } else {
      EXPECT_EQ(QFileInfo(target).symLinkTarget(), nowhere);
    }
  }
  EXPECT_EQ(QDir(outside).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

}  // namespace
}  // namespace tessaly::test
