// tessaly-batch charts: writes the demo's sample photos, computed pixel by pixel —
// colour bars with a grey step scale and RGB ramps, a hue × lightness gradient, a
// resolution wedge (Siemens star and bar groups) as PNG, and an upright chart of
// skin tones, colours and greys. JPEGs carry no EXIF data, so their print date comes
// from the file and their label from the name. Sizes are 4.9 to 6.4 megapixels.
#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "app/batch/commands.h"
#include "app/batch/terminal_ui.h"
#include "surface/cdib.h"
#include "surface/codec_session.h"
#include "surface/image_file_writer.h"

namespace tessaly::batch {
namespace {

constexpr char kChartsHelp[] =
    "Usage: tessaly-batch charts DIR\n"
    "\n"
    "Writes Tessaly's synthetic sample photos into DIR (created when missing) and\n"
    "prints their paths: colour_bars.jpg, gradients.jpg, resolution_wedge.png and\n"
    "skin_grey_chart.jpg (upright). They are computed, not copied, and carry no EXIF\n"
    "data. Nothing already in DIR is replaced: a name that is taken is left as it\n"
    "is, and the command exits 1.\n"
    "\n"
    "Options:\n"
    "  -h, --help  show this help\n";

// Quality of the sample JPEGs: high enough that the bars stay clean.
constexpr int kChartJpegQuality = 92;

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
};

using PixelFunction = Rgb (*)(int x, int y, int w, int h);

// 0..255 spread evenly over 0..n−1, rounded to the nearest level.
int Ramp(int i, int n) {
  return static_cast<int>(std::lrint(255.0 * i / (n - 1)));
}

Rgb ColourBars(int x, int y, int w, int h) {
  // Bars at 75 % level, in the broadcast order.
  static constexpr Rgb kBars[] = {{191, 191, 191}, {191, 191, 0}, {0, 191, 191}, {0, 191, 0},
                                  {191, 0, 191},   {191, 0, 0},   {0, 0, 191}};
  constexpr int kGreySteps = 11;
  if (y < h * 2 / 3) return kBars[x * 7 / w];
  if (y < h * 5 / 6) {
    const int v = Ramp(x * kGreySteps / w, kGreySteps);
    return {v, v, v};
  }
  const int v = Ramp(x, w);
  const int strip = (y - h * 5 / 6) * 3 / (h - h * 5 / 6);
  return strip == 0 ? Rgb{v, 0, 0} : strip == 1 ? Rgb{0, v, 0} : Rgb{0, 0, v};
}

// Fully saturated hue (degrees) at lightness l (0 black, 0.5 pure, 1 white).
Rgb Hsl(double hue, double l) {
  const double c = (1.0 - std::abs(2.0 * l - 1.0));
  const double h = hue / 60.0;
  const double x = c * (1.0 - std::abs(std::fmod(h, 2.0) - 1.0));
  double r = 0, g = 0, b = 0;
  if (h < 1)
    r = c, g = x;
  else if (h < 2)
    r = x, g = c;
  else if (h < 3)
    g = c, b = x;
  else if (h < 4)
    g = x, b = c;
  else if (h < 5)
    r = x, b = c;
  else
    r = c, b = x;
  const double m = l - c / 2.0;
  auto level = [m](double v) { return static_cast<int>(std::lrint(255.0 * (v + m))); };
  return {level(r), level(g), level(b)};
}

Rgb Gradients(int x, int y, int w, int h) {
  const int band = h * 3 / 4;
  if (y < band) return Hsl(360.0 * x / w, 1.0 - static_cast<double>(y) / (band - 1));
  const int v = Ramp(x, w);
  return {v, v, v};
}

Rgb ResolutionWedge(int x, int y, int w, int h) {
  constexpr Rgb kWhite{255, 255, 255};
  constexpr Rgb kBlack{0, 0, 0};
  // Siemens star: 36 black and 36 white spokes, finer towards the centre.
  constexpr int kSpokes = 72;
  const double cx = w / 2.0;
  const double cy = h * 0.4;
  const double radius = h * 0.36;
  const double dx = x + 0.5 - cx;
  const double dy = y + 0.5 - cy;
  if (std::hypot(dx, dy) <= radius) {
    const double turn = (std::atan2(dy, dx) + std::numbers::pi) / (2.0 * std::numbers::pi);
    return static_cast<int>(turn * kSpokes) % 2 == 0 ? kBlack : kWhite;
  }
  // Bar groups along the bottom: periods of 2 to 24 pixels, half black, half white.
  static constexpr int kPeriods[] = {2, 3, 4, 6, 8, 12, 16, 24};
  constexpr int kGroups = 8;
  const int top = h * 4 / 5;
  const int bottom = h * 19 / 20;
  const int group_width = w / kGroups;
  const int inset = group_width / 10;
  const int group = x / group_width;
  const int gx = x % group_width;
  if (y >= top && y < bottom && group < kGroups && gx >= inset && gx < group_width - inset) {
    const int period = kPeriods[group];
    return (gx - inset) % period < period / 2 ? kBlack : kWhite;
  }
  return kWhite;
}

Rgb SkinGreyChart(int x, int y, int w, int h) {
  // Six rows of four patches: skin tones and natural colours, primaries and
  // secondaries, then a grey scale from white to black.
  static constexpr Rgb kPatches[] = {
      {115, 82, 68},   {194, 150, 130}, {98, 122, 157}, {87, 108, 67},   {133, 128, 177},
      {103, 189, 170}, {214, 126, 44},  {80, 91, 166},  {193, 90, 99},   {94, 60, 108},
      {157, 188, 64},  {224, 163, 46},  {56, 61, 150},  {70, 148, 73},   {175, 54, 60},
      {231, 199, 31},  {187, 86, 149},  {8, 133, 161},  {243, 243, 242}, {200, 200, 200},
      {160, 160, 160}, {122, 122, 121}, {85, 85, 85},   {52, 52, 52}};
  constexpr int kColumns = 4;
  constexpr int kRows = 6;
  constexpr Rgb kSurround{40, 40, 40};
  const int cell_w = w / kColumns;
  const int cell_h = h / kRows;
  const int gap = cell_w / 12;
  const int column = x / cell_w;
  const int row = y / cell_h;
  if (column >= kColumns || row >= kRows) return kSurround;
  const int px = x % cell_w;
  const int py = y % cell_h;
  if (px < gap || px >= cell_w - gap || py < gap || py >= cell_h - gap) return kSurround;
  return kPatches[row * kColumns + column];
}

struct Chart {
  const char* file;
  int width;
  int height;
  SaveFormat format;
  PixelFunction pixel;
};

constexpr Chart kCharts[] = {
    {"colour_bars.jpg", 3000, 2000, kSaveJpeg, ColourBars},
    {"gradients.jpg", 3200, 2000, kSaveJpeg, Gradients},
    {"resolution_wedge.png", 2700, 1800, kSavePng, ResolutionWedge},
    {"skin_grey_chart.jpg", 1800, 2700, kSaveJpeg, SkinGreyChart},
};

SaveStatus WriteChart(const Chart& chart, const QString& path) {
  cDIB surface;
  if (!surface.Create(chart.width, chart.height)) return kSaveOutOfMemory;
  const SurfaceView view = surface.View();
  for (int y = 0; y < chart.height; ++y) {
    // Memory row 0 is the bottom row of the picture.
    std::uint8_t* row = view.Row(chart.height - 1 - y);
    for (int x = 0; x < chart.width; ++x) {
      const Rgb c = chart.pixel(x, y, chart.width, chart.height);
      row[3 * x] = static_cast<std::uint8_t>(c.b);
      row[3 * x + 1] = static_cast<std::uint8_t>(c.g);
      row[3 * x + 2] = static_cast<std::uint8_t>(c.r);
    }
  }
  return WriteImageFile(view, path, chart.format, kChartJpegQuality);
}

}  // namespace

int RunCharts(const QStringList& arguments) {
  const QString command = QStringLiteral("charts");
  QCommandLineParser parser;
  int exit_code = kExitOk;
  if (!ParseCommand(parser, command, QLatin1String(kChartsHelp), arguments, exit_code)) {
    return exit_code;
  }
  if (parser.positionalArguments().size() != 1) {
    return UsageError(command, QStringLiteral("expected one folder"));
  }
  const QString folder = QFileInfo(parser.positionalArguments().first()).absoluteFilePath();
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "tessaly-batch charts: cannot create '%s'\n", qPrintable(folder));
    return kExitSkipped;
  }
  TerminalUi ui(/*ignore_errors=*/false, /*progress_bar=*/false);
  ScopedUi scoped(ui);
  if (!StartCodecSession()) return kExitNoCodecs;
  for (const Chart& chart : kCharts) {
    const QString path = QDir(folder).filePath(QLatin1String(chart.file));
    const SaveStatus status = WriteChart(chart, path);
    if (status == kSaveOk) {
      std::printf("%s\n", qPrintable(path));
    } else {
      std::fprintf(stderr, "tessaly-batch charts: %s '%s'\n",
                   status == kSaveNameTaken ? "left as it is:" : "cannot write", qPrintable(path));
      exit_code = kExitSkipped;
    }
  }
  ShutdownCodecSession();
  return exit_code;
}

}  // namespace tessaly::batch
