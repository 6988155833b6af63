// Job-file reading: one small checker per value kind, each of which either stores
// the value or writes "<field path>: <what was expected>" and returns false, so the
// first bad field ends the reading with a message the user can act on.
#include "job/job_file.h"

#include "job/picture_manager.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "controls/bounded_file.h"
#include "controls/utils.h"
#include "edits/unsharp_mask.h"
#include "job/history_record.h"
#include "job/job_history.h"
#include "surface/quarter_turn.h"

namespace tessaly {
namespace {

// Sizes are stored in hundredths of a millimetre in six digits, margins in four.
constexpr double kMaxSideMm = 9999.99;
constexpr double kMaxMarginMm = 99.99;

QString Join(const QString& parent, const QString& key) {
  return parent.isEmpty() ? key : parent + u'.' + key;
}

bool Fail(QString& error, const QString& field, const QString& what) {
  error = field + QStringLiteral(": ") + what;
  return false;
}

// Rejects any key outside `known`, so a misspelt field is reported, not ignored.
bool OnlyKnownKeys(const QJsonObject& object, std::initializer_list<const char*> known,
                   const QString& path, QString& error) {
  for (auto it = object.begin(); it != object.end(); ++it) {
    bool found = false;
    for (const char* key : known) found = found || it.key() == QLatin1String(key);
    if (!found) return Fail(error, Join(path, it.key()), QStringLiteral("unknown field"));
  }
  return true;
}

// The readers below leave `out` untouched when the key is absent.

bool ReadBool(const QJsonObject& object, const char* key, const QString& path, bool& out,
              QString& error) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return true;
  if (!value.isBool())
    return Fail(error, Join(path, key), QStringLiteral("expected true or false"));
  out = value.toBool();
  return true;
}

bool ReadNumber(const QJsonObject& object, const char* key, const QString& path, double low,
                double high, double& out, QString& error) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return true;
  if (!value.isDouble() || value.toDouble() < low || value.toDouble() > high) {
    return Fail(error, Join(path, key),
                QStringLiteral("expected a number between %1 and %2").arg(low).arg(high));
  }
  out = value.toDouble();
  return true;
}

bool IsWhole(const QJsonValue& value, int low, int high) {
  if (!value.isDouble()) return false;
  const double v = value.toDouble();
  return v == std::trunc(v) && v >= low && v <= high;
}

bool ReadWhole(const QJsonObject& object, const char* key, const QString& path, int low, int high,
               int& out, QString& error) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return true;
  if (!IsWhole(value, low, high)) {
    return Fail(error, Join(path, key),
                QStringLiteral("expected a whole number from %1 to %2").arg(low).arg(high));
  }
  out = static_cast<int>(value.toDouble());
  return true;
}

// A text of at most `max_length` characters (no limit when 0).
bool ReadText(const QJsonObject& object, const char* key, const QString& path, bool non_empty,
              QString& out, QString& error, int max_length = 0) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return true;
  if (!value.isString() || (non_empty && value.toString().isEmpty())) {
    return Fail(error, Join(path, key),
                non_empty ? QStringLiteral("expected a non-empty text")
                          : QStringLiteral("expected a text"));
  }
  if (max_length > 0 && value.toString().size() > max_length) {
    return Fail(error, Join(path, key),
                QStringLiteral("expected a text of at most %1 characters").arg(max_length));
  }
  out = value.toString();
  return true;
}

bool ReadObject(const QJsonObject& object, const char* key, const QString& path, QJsonObject& out,
                QString& error) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return true;
  if (!value.isObject()) return Fail(error, Join(path, key), QStringLiteral("expected an object"));
  out = value.toObject();
  return true;
}

// "#RRGGBB" as a colour value with red in the low byte.
bool ReadColour(const QJsonObject& object, const char* key, const QString& path, std::uint32_t& out,
                QString& error) {
  static const QRegularExpression pattern(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return true;
  if (!value.isString() || !pattern.match(value.toString()).hasMatch()) {
    return Fail(error, Join(path, key), QStringLiteral("expected a colour \"#RRGGBB\""));
  }
  const std::uint32_t rgb = value.toString().mid(1).toUInt(nullptr, 16);
  out = RgbValue((rgb >> 16) & 0xFFu, (rgb >> 8) & 0xFFu, rgb & 0xFFu);
  return true;
}

bool ReadPhotoSize(const QJsonObject& object, const QString& path, PhotoSize& size,
                   QString& error) {
  if (!OnlyKnownKeys(object, {"width", "height", "margin"}, path, error)) return false;
  if (!object.contains(QStringLiteral("width")) || !object.contains(QStringLiteral("height"))) {
    return Fail(error, Join(path, object.contains(QStringLiteral("width")) ? "height" : "width"),
                QStringLiteral("required"));
  }
  PhotoSize read{0.0, 0.0, 0.0};
  if (!ReadNumber(object, "width", path, 0.0, kMaxSideMm, read.Width, error) ||
      !ReadNumber(object, "height", path, 0.0, kMaxSideMm, read.Height, error) ||
      !ReadNumber(object, "margin", path, 0.0, kMaxMarginMm, read.Margins, error)) {
    return false;
  }
  size = read;
  return true;
}

bool ReadFont(const QJsonObject& object, const QString& path, JobSettings& s, QString& error) {
  if (!OnlyKnownKeys(object, {"name", "size", "bold", "italic", "underline", "color"}, path,
                     error)) {
    return false;
  }
  double size = s.FontSize;
  if (!ReadText(object, "name", path, true, s.FontName, error, kMaxFaceNameLength) ||
      !ReadNumber(object, "size", path, 0.0, kMaxFontSize, size, error) ||
      !ReadBool(object, "bold", path, s.FontBold, error) ||
      !ReadBool(object, "italic", path, s.FontItalic, error) ||
      !ReadBool(object, "underline", path, s.FontUnderline, error) ||
      !ReadColour(object, "color", path, s.FontColor, error)) {
    return false;
  }
  if (size <= 0.0)
    return Fail(error, Join(path, "size"), QStringLiteral("expected a number above 0"));
  s.FontSize = size;
  return true;
}

bool ReadSettings(const QJsonObject& object, const QString& path, JobSettings& s, QString& error) {
  if (!OnlyKnownKeys(object,
                     {"photoSize", "contactSheet", "layout", "center", "printDate", "printFileName",
                      "drawFrame", "cropMarks", "dateMask", "font"},
                     path, error)) {
    return false;
  }
  QJsonObject size;
  if (!ReadObject(object, "photoSize", path, size, error)) return false;
  if (object.contains(QStringLiteral("photoSize")) &&
      !ReadPhotoSize(size, Join(path, "photoSize"), s.Size, error)) {
    return false;
  }
  const QJsonValue layout = object.value(QStringLiteral("layout"));
  if (!layout.isUndefined()) {
    static const QString kLayouts[] = {QStringLiteral("bestFit"), QStringLiteral("landscape"),
                                       QStringLiteral("portrait")};
    int mode = -1;
    for (int i = 0; i < 3; ++i) {
      if (layout.toString() == kLayouts[i]) mode = i;
    }
    if (mode < 0) {
      return Fail(error, Join(path, "layout"),
                  QStringLiteral("expected \"bestFit\", \"landscape\" or \"portrait\""));
    }
    s.LayoutMode = mode;
  }
  QJsonObject font;
  if (!ReadObject(object, "font", path, font, error)) return false;
  if (object.contains(QStringLiteral("font")) && !ReadFont(font, Join(path, "font"), s, error)) {
    return false;
  }
  if (!ReadBool(object, "contactSheet", path, s.ThumbMode, error) ||
      !ReadBool(object, "center", path, s.Center, error) ||
      !ReadBool(object, "printDate", path, s.PhotoPrintDate, error) ||
      !ReadBool(object, "printFileName", path, s.PhotoPrintFileName, error) ||
      !ReadBool(object, "drawFrame", path, s.PhotoDrawFrame, error) ||
      !ReadBool(object, "cropMarks", path, s.DrawCropMarks, error) ||
      !ReadText(object, "dateMask", path, false, s.DateMask, error, kMaxDateMaskLength)) {
    return false;
  }
  // Checked once the mode is known: a contact sheet draws a wider margin.
  QString problem;
  if (!CheckPhotoSize(s.Size, s.ThumbMode, problem)) {
    return Fail(error, Join(path, "photoSize"), problem);
  }
  return true;
}

bool ReadCrop(const QJsonObject& object, const QString& path, JobPhotoEntry& entry,
              QString& error) {
  const QJsonValue value = object.value(QStringLiteral("crop"));
  if (value.isUndefined()) return true;
  const QJsonArray corners = value.toArray();
  bool good = value.isArray() && corners.size() == 4;
  for (int i = 0; good && i < 4; ++i) good = IsWhole(corners[i], 0, kCropScale);
  good = good && corners[0].toInt() < corners[2].toInt() && corners[1].toInt() < corners[3].toInt();
  if (!good) {
    return Fail(error, Join(path, "crop"),
                QStringLiteral("expected [x0, y0, x1, y1] with 0 <= x0 < x1 <= 10000 and "
                               "0 <= y0 < y1 <= 10000"));
  }
  entry.edits.x0 = corners[0].toInt();
  entry.edits.y0 = corners[1].toInt();
  entry.edits.x1 = corners[2].toInt();
  entry.edits.y1 = corners[3].toInt();
  entry.has_crop = true;
  return true;
}

bool ReadPhoto(const QJsonObject& object, const QString& path, const QString& folder,
               JobPhotoEntry& entry, QString& error) {
  if (!OnlyKnownKeys(object,
                     {"file", "copies", "label", "bright", "contrast", "gamma", "saturation", "red",
                      "green", "blue", "unsharpMask", "angle", "crop"},
                     path, error)) {
    return false;
  }
  if (!object.contains(QStringLiteral("file"))) {
    return Fail(error, Join(path, "file"), QStringLiteral("required"));
  }
  QString file;
  if (!ReadText(object, "file", path, true, file, error)) return false;
  // The system's calls end a name at a NUL, so a name holding one would open another file.
  if (file.contains(QChar(u'\0')))
    return Fail(error, Join(path, "file"), QStringLiteral("expected a file name without a NUL"));
  entry.file = QDir::cleanPath(QDir(folder).absoluteFilePath(file));

  if (object.contains(QStringLiteral("label"))) {
    QString label;
    if (!ReadText(object, "label", path, false, label, error, kMaxPhotoLabelLength)) return false;
    entry.label = label;
  }
  HistoryEdits& e = entry.edits;
  double gamma = 1.0;
  if (!ReadWhole(object, "copies", path, 1, kMaxCopies, entry.copies, error) ||
      !ReadWhole(object, "bright", path, -kEditLimit, kEditLimit, e.bright, error) ||
      !ReadWhole(object, "contrast", path, -kEditLimit, kEditLimit, e.contrast, error) ||
      !ReadNumber(object, "gamma", path, kGammaMin, kGammaMax, gamma, error) ||
      !ReadWhole(object, "saturation", path, -kEditLimit, kEditLimit, e.saturation, error) ||
      !ReadWhole(object, "red", path, -kEditLimit, kEditLimit, e.red, error) ||
      !ReadWhole(object, "green", path, -kEditLimit, kEditLimit, e.green, error) ||
      !ReadWhole(object, "blue", path, -kEditLimit, kEditLimit, e.blue, error)) {
    return false;
  }
  e.gamma100 = GammaToRecord(gamma);

  const QJsonValue unsharp = object.value(QStringLiteral("unsharpMask"));
  if (!unsharp.isUndefined()) {
    if (!IsWhole(unsharp, 0, std::numeric_limits<int>::max()) || !IsSharpenValue(unsharp.toInt())) {
      return Fail(error, Join(path, "unsharpMask"),
                  QStringLiteral("expected 0 (off) or radius code (10, 15 or 20) x 1000 + "
                                 "amount (0 to 999)"));
    }
    e.unsharp = unsharp.toInt();
  }

  const QJsonValue angle = object.value(QStringLiteral("angle"));
  if (!angle.isUndefined()) {
    if (!IsWhole(angle, -kHalfTurn, kHalfTurn) || !IsPhotoAngle(angle.toInt())) {
      return Fail(error, Join(path, "angle"),
                  QStringLiteral("expected one of -180, -90, 0, 90, 180"));
    }
    e.angle = angle.toInt();
  }
  return ReadCrop(object, path, entry, error);
}

QString ColourText(std::uint32_t colour) {
  const std::uint32_t rgb = (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
  return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

QJsonObject SettingsObject(const JobSettings& s) {
  static const char* const kLayouts[] = {"bestFit", "landscape", "portrait"};
  return QJsonObject{
      {QStringLiteral("photoSize"), QJsonObject{{QStringLiteral("width"), s.Size.Width},
                                                {QStringLiteral("height"), s.Size.Height},
                                                {QStringLiteral("margin"), s.Size.Margins}}},
      {QStringLiteral("contactSheet"), s.ThumbMode},
      {QStringLiteral("layout"), QLatin1String(kLayouts[std::clamp(s.LayoutMode, 0, 2)])},
      {QStringLiteral("center"), s.Center},
      {QStringLiteral("printDate"), s.PhotoPrintDate},
      {QStringLiteral("printFileName"), s.PhotoPrintFileName},
      {QStringLiteral("drawFrame"), s.PhotoDrawFrame},
      {QStringLiteral("cropMarks"), s.DrawCropMarks},
      {QStringLiteral("dateMask"), s.DateMask},
      {QStringLiteral("font"), QJsonObject{{QStringLiteral("name"), s.FontName},
                                           {QStringLiteral("size"), s.FontSize},
                                           {QStringLiteral("bold"), s.FontBold},
                                           {QStringLiteral("italic"), s.FontItalic},
                                           {QStringLiteral("underline"), s.FontUnderline},
                                           {QStringLiteral("color"), ColourText(s.FontColor)}}},
  };
}

QJsonObject PhotoObject(const MyPicture& photo) {
  const HistoryEdits e = HistoryEditsOf(photo);
  QJsonObject object{
      {QStringLiteral("file"), photo.Filename()},
      {QStringLiteral("copies"), photo.Copies()},
      {QStringLiteral("bright"), e.bright},
      {QStringLiteral("contrast"), e.contrast},
      {QStringLiteral("gamma"), GammaFromRecord(e.gamma100)},
      {QStringLiteral("saturation"), e.saturation},
      {QStringLiteral("red"), e.red},
      {QStringLiteral("green"), e.green},
      {QStringLiteral("blue"), e.blue},
      {QStringLiteral("unsharpMask"), e.unsharp},
      {QStringLiteral("angle"), e.angle},
  };
  // A contact sheet shows file names, not labels: its records keep no label of their own.
  if (!photo.ThumbMode()) object.insert(QStringLiteral("label"), e.label);
  if (e.x0 < e.x1 && e.y0 < e.y1)
    object.insert(QStringLiteral("crop"), QJsonArray{e.x0, e.y0, e.x1, e.y1});
  return object;
}

// "line L, column C" of a byte offset, for JSON syntax errors.
QString TextPosition(const QByteArray& text, int offset) {
  int line = 1;
  int column = 1;
  for (int i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return QStringLiteral("line %1, column %2").arg(line).arg(column);
}

}  // namespace

bool ParseJobFile(const QByteArray& text, const QString& folder, JobFile& job, QString& error) {
  QJsonParseError parse_error;
  const QJsonDocument document = QJsonDocument::fromJson(text, &parse_error);
  if (parse_error.error != QJsonParseError::NoError) {
    error = QStringLiteral("not valid JSON: %1 at %2")
                .arg(parse_error.errorString(), TextPosition(text, parse_error.offset));
    return false;
  }
  if (!document.isObject()) {
    error = QStringLiteral("expected a JSON object");
    return false;
  }
  const QJsonObject top = document.object();
  if (!OnlyKnownKeys(top, {"version", "settings", "photos"}, QString(), error)) return false;

  if (!IsWhole(top.value(QStringLiteral("version")), kJobFileVersion, kJobFileVersion)) {
    return Fail(error, QStringLiteral("version"),
                QStringLiteral("expected %1").arg(kJobFileVersion));
  }
  QJsonObject settings;
  if (!ReadObject(top, "settings", QString(), settings, error) ||
      !ReadSettings(settings, QStringLiteral("settings"), job.settings, error)) {
    return false;
  }

  const QJsonValue photos = top.value(QStringLiteral("photos"));
  if (!photos.isArray() || photos.toArray().isEmpty()) {
    return Fail(error, QStringLiteral("photos"),
                QStringLiteral("expected a list of at least one photo"));
  }
  job.photos.clear();
  const QJsonArray list = photos.toArray();
  if (list.size() > kMaxJobPhotos) {
    return Fail(error, QStringLiteral("photos"),
                QStringLiteral("at most %1 photos in one job").arg(kMaxJobPhotos));
  }
  for (qsizetype i = 0; i < list.size(); ++i) {
    const QString path = QStringLiteral("photos[%1]").arg(i);
    if (!list[i].isObject()) return Fail(error, path, QStringLiteral("expected an object"));
    JobPhotoEntry entry;
    if (!ReadPhoto(list[i].toObject(), path, folder, entry, error)) return false;
    job.photos.push_back(std::move(entry));
  }
  return true;
}

bool LoadJobFile(const QString& path, JobFile& job, QString& error, bool* missing) {
  QByteArray text;
  QString reason;
  const FileRead read = ReadBoundedFile(path, kMaxJobFileBytes, text, &reason);
  if (missing) *missing = read == FileRead::kMissing;
  if (read != FileRead::kRead) {
    error = path + QStringLiteral(": ") + reason;
    return false;
  }
  // A write that never finished leaves an empty file, which is named as such
  // rather than as bad JSON.
  if (text.trimmed().isEmpty()) {
    error = path + QStringLiteral(": is empty");
    return false;
  }
  const QFileInfo info(path);
  if (ParseJobFile(text, info.absolutePath(), job, error)) return true;
  error = info.fileName() + QStringLiteral(": ") + error;
  return false;
}

void ApplyJobPhoto(const JobPhotoEntry& entry, MyPicture& photo) {
  // The restore turns only towards a non-zero angle, so first undo any turn the
  // edit history brought back.
  while (photo.Angle() != 0) photo.Rotate(photo.Angle() > 0 ? -kQuarterTurn : kQuarterTurn);
  // Edits and angle next, with a whole-picture crop that only ever fits when it is
  // the default frame anyway; then the largest centred frame of the turned picture,
  // so neither the history's frame nor a crop that does not fit survives; then the
  // entry's crop against that frame.
  HistoryEdits edits = entry.edits;
  edits.x0 = 0;
  edits.y0 = 0;
  edits.x1 = kCropScale;
  edits.y1 = kCropScale;
  photo.RestoreEdits(edits);
  photo.Re_SetPicture(photo.ImgPrintHeight(), photo.ImgPrintWidth(), photo.Margin());
  if (entry.has_crop) photo.RestoreEdits(entry.edits);
  photo.SetCopies(entry.copies);
  if (entry.label) photo.SetPhotoLabel(*entry.label);
}

QByteArray JobFileText(const JobSettings& settings, const MyPictureManager& job) {
  QJsonArray photos;
  for (int position = 0; position < job.Count(); ++position)
    photos.append(PhotoObject(job.At(position)));
  const QJsonObject top{{QStringLiteral("version"), kJobFileVersion},
                        {QStringLiteral("settings"), SettingsObject(settings)},
                        {QStringLiteral("photos"), photos}};
  return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

bool SaveJobFile(const JobSettings& settings, const MyPictureManager& job, const QString& path,
                 QString* reason) {
  return ReplaceFileContent(path, JobFileText(settings, job), reason);
}

}  // namespace tessaly
