// The properties dialogs of the kinds of printer device.
#include "ui/printer_properties_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPointer>
#include <algorithm>

#include "controls/ui_service.h"
#include "print/printer_access.h"
#include "ui/control_name.h"

namespace tessaly {

namespace {

// A box of `choices` after a first entry `first` (the printer's default: position -1),
// showing `current`.
template <typename List>
QComboBox* ChoiceBox(const char* name, const QString& first, const List& choices, int current,
                     QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QLatin1String(name));
  if (!first.isEmpty()) box->addItem(first);
  for (const auto& choice : choices) box->addItem(choice.name);
  box->setCurrentIndex(current + (first.isEmpty() ? 0 : 1));
  return box;
}

// The printer's own papers, media types and qualities; true when the user chose OK.
bool ChooseMedia(PrinterDevice& device, QWidget* owner) {
  const PrinterMedia& media = device.Media();
  const MediaChosen chosen = device.Chosen();
  QDialog dialog(owner);
  dialog.setObjectName(QStringLiteral("printerMediaDialog"));
  dialog.setWindowTitle(QObject::tr("%1 - Printer Properties").arg(device.DeviceName()));
  auto* form = new QFormLayout(&dialog);
  const QString standard = QObject::tr("The printer's default");
  QComboBox* paper =
      ChoiceBox("cboPaper", QString(), media.papers,
                chosen.paper >= 0 ? chosen.paper : std::max(media.default_paper, 0), &dialog);
  QComboBox* type = ChoiceBox("cboMediaType", standard, media.types, chosen.type, &dialog);
  QComboBox* quality = ChoiceBox("cboQuality", standard, media.qualities, chosen.quality, &dialog);
  QComboBox* source = ChoiceBox("cboMediaSource", standard, media.sources, chosen.source, &dialog);
  form->addRow(QObject::tr("Paper:"), paper);
  form->addRow(QObject::tr("Media type:"), type);
  form->addRow(QObject::tr("Quality:"), quality);
  form->addRow(QObject::tr("Paper source:"), source);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  ExplainControls(dialog);
  if (!CurrentUi().RunDialog(dialog)) return false;
  return device.ChooseMedia({paper->currentIndex(), type->currentIndex() - 1,
                             quality->currentIndex() - 1, source->currentIndex() - 1});
}

}  // namespace

void InstallPrinterPropertiesHook(PrinterAccess& printers, QWidget* owner) {
  QPointer<QWidget> guarded(owner);
  printers.SetPropertiesHook([guarded](PrinterDevice& device) {
    if (!device.Media().papers.empty()) return ChooseMedia(device, guarded);
    // A queue whose papers could not be read offers nothing that would be honoured.
    CurrentUi().MessageBox(PapersNotReadText(device.DeviceName()), MsgButtons::Ok,
                           MsgIcon::Exclamation);
    return false;
  });
}

}  // namespace tessaly
