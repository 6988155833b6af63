// The job's settings loaded from real settings files: the mode's own section, the
// font rules (empty name, size cap), the selected catalogue entry and the ranges.
#include "job/job_settings.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <tuple>

#include "settings/settings_table.h"
#include "support/scoped_state.h"
#include "surface/cdib.h"

namespace tessaly {
namespace {

using test::PutFile;

// The settings loaded from a settings file holding `text`.
JobSettings Loaded(const QByteArray& text) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Tesly.ini");
  PutFile(path, text);
  return LoadJobSettings(path);
}

TEST(JobSettings, ReadsTheSectionOfTheStoredModeAndKeepsValuesInRange) {
  const JobSettings s = Loaded(
      "[Options]\r\nThumbMode=True\r\nUnits=0\r\nScreenPhotoSize=300\r\n"
      "DateMask=dd-mm-yyyy h:N\r\nPhotoDrawFrame=1\r\nFontName=Courier\r\n"
      "[ThumbOptions]\r\nPhotoPrintFileName=1\r\nLayoutMode=7\r\nFontName=Verdana\r\n"
      "FontSize=96\r\nFontBold=True\r\nFontColor=255\r\n"
      "UserSizes=005000x005000x0200-006000x009000x0400-\r\nUserSize=2\r\n");
  // The screen size below 400 becomes 400; the frame is the photo layout's key, not this
  // mode's; the layout and the font size are held to their ranges.
  EXPECT_EQ(std::tuple(s.ThumbMode, s.ScreenPhotoSize, s.DateMask, s.PhotoPrintFileName,
                       s.PhotoDrawFrame, s.LayoutMode),
            std::tuple(true, 400, QString("dd-mm-yyyy h:N"), true, false, 2));
  EXPECT_EQ(std::tuple(s.FontName, s.FontSize, s.FontBold, s.FontColor),
            std::tuple(QString("Verdana"), 70.0, true, 255u));
  EXPECT_DOUBLE_EQ(s.PhotoWidth(), 90.0);
  EXPECT_DOUBLE_EQ(s.PhotoHeight(), 60.0);
  // Contact sheets never draw a margin below 3.5 mm.
  JobSettings narrow = s;
  narrow.Size.Margins = 2.0;
  EXPECT_DOUBLE_EQ(narrow.PhotoMargin(), 3.5);
}

TEST(JobSettings, ScreenSizeAndTextsAreHeldToWhatTheirFieldsAllow) {
  // The preferences offer 400 to 700 pixels.
  const std::pair<const char*, int> cases[] = {
      {"300", 400}, {"540", 540}, {"701", 700}, {"99999999", 700}};
  const QByteArray mask(900, 'd');
  const QByteArray font(60, 'F');
  for (const auto& [screen, expected] : cases) {
    const JobSettings s = Loaded("[Options]\r\nScreenPhotoSize=" + QByteArray(screen) +
                                 "\r\nDateMask=" + mask + "\r\nFontName=" + font + "\r\n");
    EXPECT_EQ(std::tuple(s.ScreenPhotoSize, s.DateMask, s.FontName),
              std::tuple(expected, QString(mask.left(kMaxDateMaskLength)),
                         QString(font.left(kMaxFaceNameLength))))
        << screen;
  }
}

TEST(JobSettings, EmptyFontNameSkipsTheOtherFontKeys) {
  const JobSettings s = Loaded(
      "[Options]\r\nFontName=\r\nFontSize=20\r\nFontItalic=True\r\nFontColor=65280\r\n"
      "UserSize=99\r\n");
  EXPECT_EQ(std::tuple(s.FontName, s.FontColor, s.FontItalic, s.FontSize),
            std::tuple(QString("Arial"), 0u, false,
                       LeadingNumber(SettingDefault("Options", "FontSize"))));
  // An entry number the catalogue does not hold selects its first entry.
  const SizeUnit unit = s.Units == 1 ? SizeUnit::Inches : SizeUnit::Centimetres;
  const PhotoSizeCatalogue defaults = PhotoSizeCatalogue::Parse(DefaultSizeCode(false, unit));
  EXPECT_EQ(s.Size.Width, defaults.Entry(1)->Width);
}

}  // namespace
}  // namespace tessaly
