// Size codes, default catalogues, list texts and the sizes list model.
#include "settings/photo_sizes.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "controls/ui_service.h"
#include "controls/units.h"
#include "controls/utils.h"
#include "settings/settings_table.h"

namespace tessaly {

namespace {

// Size-code values are hundredths of a millimetre.
constexpr double kHundredthsPerMm = 100.0;
// Field widths inside one entry and the largest value each can hold.
constexpr int kLengthDigits = 6;
constexpr int kMarginDigits = 4;
constexpr double kMaxLengthField = 999999.0;
constexpr double kMaxMarginField = 9999.0;
// 0-based offsets of the height, width and margin fields inside an entry.
constexpr int kHeightOffset = 0;
constexpr int kWidthOffset = 7;
constexpr int kMarginOffset = 14;
// Columns of a list item: lengths up to 999.99, margins up to 99.99, two decimals.
constexpr int kLengthColumns = 3;
constexpr int kMarginColumns = 2;
constexpr int kListDecimals = 2;

// `mm` as a zero-padded field of whole hundredths, held within 0..max.
QString CodeField(double mm, int digits, double max) {
  const double hundredths = std::clamp(std::nearbyint(mm * kHundredthsPerMm), 0.0, max);
  return QStringLiteral("%1").arg(static_cast<qlonglong>(hundredths), digits, 10, QChar(u'0'));
}

double ToDisplay(double mm, SizeUnit unit) {
  return mm / MmPerDisplayUnit(unit == SizeUnit::Inches);
}

const QString kSizesKey = QStringLiteral("UserSizes");
const QString kSelectedKey = QStringLiteral("UserSize");

}  // namespace

namespace {

// A length of a message: millimetres as they are, centimetres to the hundredth of a
// millimetre, inches to the thousandth.
QString LengthText(double mm, std::optional<SizeUnit> unit) {
  if (!unit) return PointDecimal(mm) + QStringLiteral(" mm");
  if (*unit == SizeUnit::Centimetres) return PointDecimal(std::round(mm * 100.0) / 1000.0) + " cm";
  return PointDecimal(std::round(mm / kMmPerInch * 1000.0) / 1000.0) + QStringLiteral(" in");
}

bool CheckPhotoSizeIn(const PhotoSize& size, bool thumb_mode, QString& message,
                      std::optional<SizeUnit> unit) {
  // Written so that a NaN fails every test.
  if (!(size.Width >= kMinPhotoSide) || !(size.Height >= kMinPhotoSide)) {
    message = QCoreApplication::translate("Tessaly", "Photo size must be at least %1 on each side.")
                  .arg(LengthText(kMinPhotoSide, unit));
    return false;
  }
  // The size code holds no more, and larger values would reach pixel counts past int.
  const double longest = kMaxLengthField / kHundredthsPerMm;
  if (size.Width > longest || size.Height > longest) {
    message = QCoreApplication::translate("Tessaly", "Photo size can't be above %1 on a side.")
                  .arg(LengthText(longest, unit));
    return false;
  }
  const double widest_margin = kMaxMarginField / kHundredthsPerMm;
  if (!(size.Margins >= 0.0) || size.Margins > widest_margin) {
    message = QCoreApplication::translate("Tessaly", "Photo margins must be between 0 and %1.")
                  .arg(LengthText(widest_margin, unit));
    return false;
  }
  const double picture =
      std::min(size.Width, size.Height) - 2.0 * EffectiveMargin(size.Margins, thumb_mode);
  if (!(picture >= kMinPhotoSide)) {
    message = QCoreApplication::translate(
                  "Tessaly", "Photo margins must leave a picture of at least %1 on each side.")
                  .arg(LengthText(kMinPhotoSide, unit));
    return false;
  }
  return true;
}

}  // namespace

bool CheckPhotoSize(const PhotoSize& size, bool thumb_mode, QString& message) {
  return CheckPhotoSizeIn(size, thumb_mode, message, std::nullopt);
}

bool CheckPhotoSize(const PhotoSize& size, bool thumb_mode, QString& message, SizeUnit unit) {
  return CheckPhotoSizeIn(size, thumb_mode, message, unit);
}

PhotoSizeCatalogue PhotoSizeCatalogue::Parse(QStringView code, bool thumb_mode) {
  PhotoSizeCatalogue catalogue;
  const qsizetype count = (code.size() + 1) / kSizeCodeEntryLength;
  catalogue.slots_.reserve(static_cast<std::size_t>(count));
  for (qsizetype i = 0; i < count; ++i) {
    const QStringView entry = code.mid(i * kSizeCodeEntryLength, kSizeCodeEntryLength);
    PhotoSize size;
    size.Height =
        LeadingNumber(entry.mid(kHeightOffset, kLengthDigits).toString()) / kHundredthsPerMm;
    size.Width =
        LeadingNumber(entry.mid(kWidthOffset, kLengthDigits).toString()) / kHundredthsPerMm;
    size.Margins =
        LeadingNumber(entry.mid(kMarginOffset, kMarginDigits).toString()) / kHundredthsPerMm;
    QString problem;
    if (CheckPhotoSize(size, thumb_mode, problem)) {
      catalogue.slots_.emplace_back(size);
    } else {
      catalogue.slots_.emplace_back(std::nullopt);
    }
  }
  return catalogue;
}

QString PhotoSizeCatalogue::SizeCode() const {
  QString code;
  code.reserve(static_cast<qsizetype>(slots_.size()) * kSizeCodeEntryLength);
  for (const auto& slot : slots_) {
    if (!slot) continue;
    code += CodeField(slot->Height, kLengthDigits, kMaxLengthField);
    code += u'x';
    code += CodeField(slot->Width, kLengthDigits, kMaxLengthField);
    code += u'x';
    code += CodeField(slot->Margins, kMarginDigits, kMaxMarginField);
    code += u'-';
  }
  return code;
}

const PhotoSize* PhotoSizeCatalogue::Entry(int number) const {
  if (number < 1 || number > SlotCount()) return nullptr;
  const auto& slot = slots_[static_cast<std::size_t>(number - 1)];
  return slot ? &*slot : nullptr;
}

std::vector<int> PhotoSizeCatalogue::Numbers() const {
  std::vector<int> numbers;
  for (int n = 1; n <= SlotCount(); ++n) {
    if (Entry(n)) numbers.push_back(n);
  }
  return numbers;
}

int PhotoSizeCatalogue::CompactNumber(int number) const {
  if (!Entry(number)) return 0;
  int compact = 0;
  for (int n = 1; n <= number; ++n) {
    if (Entry(n)) ++compact;
  }
  return compact;
}

int PhotoSizeCatalogue::Append(const PhotoSize& size) {
  slots_.emplace_back(size);
  return SlotCount();
}

bool PhotoSizeCatalogue::Replace(int number, const PhotoSize& size) {
  if (!Entry(number)) return false;
  slots_[static_cast<std::size_t>(number - 1)] = size;
  return true;
}

bool PhotoSizeCatalogue::Remove(int number) {
  if (number < 1 || number > SlotCount()) return false;
  slots_.erase(slots_.begin() + (number - 1));
  return true;
}

QString DefaultSizeCode(bool thumb_mode, SizeUnit unit) {
  if (thumb_mode) {
    return unit == SizeUnit::Inches ? QStringLiteral("004572x004572x0356-")
                                    : QStringLiteral("004600x004600x0350-");
  }
  if (unit == SizeUnit::Inches) {
    return QStringLiteral(
        "008890x012700x0000-010160x013335x0000-010160x013970x0000-012700x017780x0000-"
        "015240x020320x0000-017780x024130x0000-020320x025400x0000-020000x030000x0000-"
        "010160x013970x0508-010160x015240x0508-015240x020320x1016-010160x015240x0000-");
  }
  return QStringLiteral(
      "009000x013000x0000-010000x013330x0000-010000x014000x0000-010000x015000x0000-"
      "013000x018000x0000-015000x020000x0000-018000x024000x0000-020000x025000x0000-"
      "020000x030000x0000-010000x014000x0500-010000x015000x0500-015000x020000x1000-");
}

QString SizesSection(bool thumb_mode) {
  return thumb_mode ? QStringLiteral("ThumbOptions") : QStringLiteral("Options");
}

QString SizesCaption(SizeUnit unit) {
  return QStringLiteral("Photo Sizes (") +
         (unit == SizeUnit::Inches ? QStringLiteral("inches") : QStringLiteral("cm")) +
         QStringLiteral(")");
}

QString SizeListText(const PhotoSize& size, SizeUnit unit) {
  QString text = FormatFixedWidth(ToDisplay(size.Height, unit), kLengthColumns, kListDecimals) +
                 QStringLiteral(" x") +
                 FormatFixedWidth(ToDisplay(size.Width, unit), kLengthColumns, kListDecimals);
  if (size.Margins > 0.0) {
    text += QStringLiteral("  ") +
            FormatFixedWidth(ToDisplay(size.Margins, unit), kMarginColumns, kListDecimals) +
            QStringLiteral(" margins");
  }
  return text;
}

PhotoSizeCatalogue LoadCatalogue(bool thumb_mode, SizeUnit unit, const QString& file) {
  const QString code = ReadIniValue(SizesSection(thumb_mode), kSizesKey, file).trimmed();
  return PhotoSizeCatalogue::Parse(code.isEmpty() ? DefaultSizeCode(thumb_mode, unit) : code,
                                   thumb_mode);
}

int LoadSelectedSize(bool thumb_mode, const QString& file) {
  const double number = LeadingNumber(ReadIniValue(SizesSection(thumb_mode), kSelectedKey, file));
  // Anything that is not a plausible entry number selects the first item.
  if (!(number >= 0.0 && number <= static_cast<double>(std::numeric_limits<int>::max()))) return 0;
  return static_cast<int>(std::nearbyint(number));
}

bool SaveCatalogue(const PhotoSizeCatalogue& catalogue, int selected, bool thumb_mode,
                   const QString& file) {
  const QString section = SizesSection(thumb_mode);
  const bool sizes = WriteIniValue(section, kSizesKey, catalogue.SizeCode(), file);
  return WriteIniValue(section, kSelectedKey, QString::number(catalogue.CompactNumber(selected)),
                       file) &&
         sizes;
}

double EffectiveMargin(double margins, bool thumb_mode) {
  return thumb_mode ? std::max(margins, kThumbMinMargin) : margins;
}

bool IsWideMargin(double margins, bool thumb_mode) {
  return EffectiveMargin(margins, thumb_mode) >= kThumbMinMargin;
}

PhotoSizesList::PhotoSizesList(PhotoSizeCatalogue catalogue, SizeUnit unit)
    : catalogue_(std::move(catalogue)), unit_(unit) {
  Refill();
}

int PhotoSizesList::SelectedNumber() const {
  return selected_ < 0 ? 0 : items_[static_cast<std::size_t>(selected_)].number;
}

const PhotoSize* PhotoSizesList::SelectedSize() const {
  return catalogue_.Entry(SelectedNumber());
}

void PhotoSizesList::SelectIndex(int index) {
  selected_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
}

void PhotoSizesList::SelectByNumber(int number) {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].number == number) {
      selected_ = static_cast<int>(i);
      return;
    }
  }
  SelectIndex(0);
}

int PhotoSizesList::Add(const PhotoSize& size) {
  const int number = catalogue_.Append(size);
  modified_ = true;
  Refill();
  SelectByNumber(number);
  return number;
}

bool PhotoSizesList::EditSelected(const PhotoSize& size) {
  const int number = SelectedNumber();
  if (!catalogue_.Replace(number, size)) return false;
  modified_ = true;
  Refill();
  SelectByNumber(number);
  return true;
}

bool PhotoSizesList::DeleteSelected() {
  if (selected_ < 0 || items_.size() < 2) return false;
  if (CurrentUi().MessageBox(QStringLiteral("Delete current photo size from the list?"),
                             MsgButtons::YesNo, MsgIcon::Question,
                             QStringLiteral("Delete Photo Size")) != MsgAnswer::Yes) {
    return false;
  }
  catalogue_.Remove(SelectedNumber());
  modified_ = true;
  Refill();
  SelectIndex(items_.size() >= 2 ? 0 : -1);
  return true;
}

void PhotoSizesList::Refill() {
  items_.clear();
  for (int number : catalogue_.Numbers()) {
    items_.push_back({SizeListText(*catalogue_.Entry(number), unit_), number});
  }
  selected_ = -1;
}

}  // namespace tessaly
