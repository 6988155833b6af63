// File, folder, font and colour choices through Qt's dialogs.
#include "ui/qt_common_dialogs.h"

#include <QApplication>
#include <QBoxLayout>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

#include "controls/dialog_filter.h"

namespace tessaly {
namespace {

QColor FromBgr(std::uint32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

std::uint32_t ToBgr(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red()) |
         (static_cast<std::uint32_t>(colour.green()) << 8) |
         (static_cast<std::uint32_t>(colour.blue()) << 16);
}

// Qt's own dialog (never the desktop's), with the request's filters and the chosen
// one selected (1-based, clamped); returns the Qt filters.
QStringList SetUpFilters(QFileDialog& dialog, const OpenFileRequest& request) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  const QStringList filters = QtNameFilters(request.filter);
  if (filters.isEmpty()) return filters;
  dialog.setNameFilters(filters);
  const int index = std::clamp(request.filter_index, 1, static_cast<int>(filters.size()));
  dialog.selectNameFilter(filters[index - 1]);
  return filters;
}

void RememberFilter(const QFileDialog& dialog, const QStringList& filters,
                    OpenFileRequest& request) {
  const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
  if (chosen >= 0) request.filter_index = static_cast<int>(chosen) + 1;
}

}  // namespace

QWidget* QtCommonDialogs::Owner() const {
  return owner_ ? owner_.data() : QApplication::activeWindow();
}

bool QtCommonDialogs::OpenFiles(OpenFileRequest& request, QStringList& files) {
  files.clear();
  QFileDialog dialog(Owner(), request.title, request.initial_folder);
  dialog.setObjectName(QStringLiteral("openFileDialog"));
  // The patterns carry both letter cases; the descriptions already name the types.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(request.multi_select
                         ? QFileDialog::ExistingFiles
                         : (request.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
  const QStringList filters = SetUpFilters(dialog, request);
  if (dialog.exec() != QDialog::Accepted) return false;
  files = dialog.selectedFiles();
  if (files.isEmpty()) return false;
  RememberFilter(dialog, filters, request);
  return true;
}

bool QtCommonDialogs::SaveFile(OpenFileRequest& request, QString& file) {
  file.clear();
  QFileDialog dialog(Owner(), request.title, request.initial_folder);
  dialog.setObjectName(QStringLiteral("saveFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  const QStringList filters = SetUpFilters(dialog, request);
  if (!filters.isEmpty()) {
    // A name typed without a type gets the first pattern's type of the chosen pair
    // (read from the classic text: the dialog's filter spells both letter cases),
    // before the dialog checks whether the name is taken.
    static const QRegularExpression first_type(QStringLiteral("^\\*\\.(\\w+)"));
    const QStringList parts = request.filter.split(u'|');
    const qsizetype patterns =
        2 * static_cast<qsizetype>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (patterns > 0 && patterns < parts.size()) {
      const QRegularExpressionMatch match = first_type.match(parts[patterns].trimmed());
      if (match.hasMatch()) dialog.setDefaultSuffix(match.captured(1));
    }
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  file = dialog.selectedFiles().front();
  RememberFilter(dialog, filters, request);
  return true;
}

QString QtCommonDialogs::BrowseFolders(const QString& title) {
  return QFileDialog::getExistingDirectory(
      Owner(), title, QString(), QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}

bool QtCommonDialogs::ChooseFont(FontChoice& font, std::uint32_t& colour, double min_size,
                                 double max_size) {
  QFont offered(font.name);
  offered.setPointSizeF(font.size > 0 ? font.size : 10.0);
  offered.setBold(font.bold);
  offered.setItalic(font.italic);
  offered.setUnderline(font.underline);
  offered.setStrikeOut(font.strikeout);
  // One dialog: the font with its effects, and its colour behind a button of its own,
  // so that cancelling the colour keeps the font chosen and one Ok takes both.
  QDialog dialog(Owner());
  dialog.setObjectName(QStringLiteral("fontDialog"));
  dialog.setWindowTitle(QObject::tr("Font"));
  auto* fonts = new QFontDialog(offered, &dialog);
  fonts->setObjectName(QStringLiteral("fontChoice"));
  fonts->setWindowFlags(Qt::Widget);
  fonts->setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::NoButtons);
  QColor picked = FromBgr(colour);
  auto* colour_button = new QPushButton(QObject::tr("Color..."), &dialog);
  colour_button->setObjectName(QStringLiteral("cmdColor"));
  const auto show_colour = [colour_button, &picked] {
    QPixmap swatch(16, 16);
    swatch.fill(picked);
    colour_button->setIcon(QIcon(swatch));
  };
  show_colour();
  QObject::connect(colour_button, &QPushButton::clicked, &dialog, [&] {
    const QColor asked =
        QColorDialog::getColor(picked, &dialog, QString(), QColorDialog::DontUseNativeDialog);
    if (!asked.isValid()) return;
    picked = asked;
    show_colour();
  });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addWidget(colour_button);
  row->addStretch();
  row->addWidget(buttons);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(fonts);
  layout->addLayout(row);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QFont chosen = fonts->currentFont();
  double size = chosen.pointSizeF();
  if (min_size > 0 && max_size >= min_size) size = std::clamp(size, min_size, max_size);
  font.name = chosen.family();
  font.size = size;
  font.bold = chosen.bold();
  font.italic = chosen.italic();
  font.underline = chosen.underline();
  font.strikeout = chosen.strikeOut();
  colour = ToBgr(picked);
  return true;
}

}  // namespace tessaly
