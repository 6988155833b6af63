// Printer access over a catalogue of the system's printers and the built-in PDF
// printer. The kept settings are re-applied to the device after every change because
// a device opened or reset anew starts from its driver's defaults.
#include "print/printer_access.h"

#include <QLocale>

#include "controls/ui_service.h"
#include "print/pdf_printer.h"
#include "print/printer_profiles.h"
#include "settings/settings_table.h"

namespace tessaly {
namespace {

constexpr int kPortrait = 1;

// The separator between a printer's name and its port in a description.
const QString kPortSeparator = QStringLiteral(" on ");

// Lines of one message are separated by a carriage return.
const QString kLineBreak = QStringLiteral("\r");

const QString kPortraitNotice =
    QStringLiteral(
        "For Tessaly to work correctly, the printer paper orientation must be "
        "'Portrait'.") +
    kLineBreak + QStringLiteral("Tessaly will change the orientation to 'Portrait'.");
const QString kPortraitRefused =
    QStringLiteral("Tessaly was unable to change the paper orientation for this printer.") +
    kLineBreak +
    QStringLiteral(
        "Please, click in 'Printer Properties' and change the orientation to "
        "'Portrait'.");

}  // namespace

QString PapersNotReadText(const QString& printer) {
  return QStringLiteral(
             "The papers of %1 could not be read from the print server; its default paper is "
             "used.")
      .arg(printer);
}

QString PrinterDisplayName(const QString& description) {
  // The separator is searched from the right and must have a character on each side.
  const qsizetype width = kPortSeparator.size();
  for (qsizetype i = description.size() - width - 1; i >= 1; --i) {
    if (QStringView(description).mid(i, width) == kPortSeparator) return description.left(i);
  }
  return description;
}

PrinterAccess::PrinterAccess(PrinterCatalogue* catalogue, const QString& settings_file)
    : catalogue_(catalogue), settings_file_(settings_file) {}

PrinterAccess::~PrinterAccess() = default;

bool PrinterAccess::PdfPrinterListed() const {
  return ReadCheckSetting(QLatin1String(kOptionsSection), QStringLiteral("PdfPrinter"),
                          settings_file_);
}

std::unique_ptr<PrinterDevice> PrinterAccess::OpenDevice(const QString& description) {
  if (description == QLatin1String(kPdfPrinterName) && PdfPrinterListed()) {
    const QString folder = ReadTextSetting(QLatin1String(kOptionsSection),
                                           QStringLiteral("PdfFolder"), settings_file_);
    const bool us_measure = UnitsForLocale(QLocale::system()) == 1;
    return std::make_unique<PdfPrinter>(folder, DefaultPdfSheet(us_measure));
  }
  if (catalogue_ == nullptr) return nullptr;
  return catalogue_->Open(description);
}

void PrinterAccess::ApplyRememberedMedia() {
  if (!device_ || device_->Media().papers.empty()) return;
  const PrinterMedia& media = device_->Media();
  const auto remembered = [this](PrinterValue kind) {
    return RememberedPrinterValue(current_name_, kind, settings_file_);
  };
  MediaChosen chosen;
  if (const QString paper = remembered(PrinterValue::kPaper); !paper.isEmpty())
    chosen.paper = FindPaper(media.papers, paper);
  if (const QString type = remembered(PrinterValue::kMediaType); !type.isEmpty())
    chosen.type = FindChoice(media.types, type);
  if (const QString quality = remembered(PrinterValue::kQuality); !quality.isEmpty())
    chosen.quality = FindChoice(media.qualities, quality);
  if (const QString source = remembered(PrinterValue::kMediaSource); !source.isEmpty())
    chosen.source = FindChoice(media.sources, source);
  device_->ChooseMedia(chosen);
}

void PrinterAccess::RememberMedia() {
  if (!device_ || device_->Media().papers.empty()) return;
  const PrinterMedia& media = device_->Media();
  const MediaChosen chosen = device_->Chosen();
  const auto remember = [this](PrinterValue kind, const QString& value) {
    RememberPrinterValue(current_name_, kind, value, settings_file_);
  };
  remember(PrinterValue::kPaper, chosen.paper >= 0 ? PaperKey(media.papers[chosen.paper]) : "");
  remember(PrinterValue::kMediaType, chosen.type >= 0 ? media.types[chosen.type].key : "");
  remember(PrinterValue::kQuality, chosen.quality >= 0 ? media.qualities[chosen.quality].key : "");
  remember(PrinterValue::kMediaSource, chosen.source >= 0 ? media.sources[chosen.source].key : "");
}

void PrinterAccess::ApplySettings() {
  if (!device_) return;
  QString error;
  if (!device_->SetOrientation(settings_.orientation, error)) {
    settings_.orientation = device_->Orientation();
  }
}

void PrinterAccess::GetPrinterList(QStringList& descriptions, int& count, int& default_position) {
  count = 0;
  default_position = 0;
  descriptions_ = catalogue_ != nullptr ? catalogue_->Descriptions() : QStringList();
  if (PdfPrinterListed()) descriptions_.append(QLatin1String(kPdfPrinterName));

  // A machine without a default printer still prints: the first listed printer
  // stands in for the default.
  if (current_name_.isEmpty()) {
    current_name_ = catalogue_ != nullptr ? catalogue_->DefaultDescription() : QString();
    if (current_name_.isEmpty() && !descriptions_.isEmpty()) current_name_ = descriptions_.first();
    if (current_name_.isEmpty()) {
      descriptions.clear();
      return;
    }
    device_ = OpenDevice(current_name_);
    ApplyRememberedMedia();
    if (device_) settings_.orientation = device_->Orientation();
  }

  for (const QString& description : descriptions_) {
    ++count;
    if (description == current_name_) default_position = count;
  }
  descriptions = descriptions_;
}

bool PrinterAccess::SystemHasDefault() const {
  return catalogue_ != nullptr && !catalogue_->DefaultDescription().isEmpty();
}

bool PrinterAccess::SelectPrinter(int position) {
  if (position < 1 || position > descriptions_.size()) return false;
  const QString description = descriptions_[position - 1];
  std::unique_ptr<PrinterDevice> device = OpenDevice(description);
  if (!device) return false;
  current_name_ = description;
  device_ = std::move(device);
  ApplyRememberedMedia();
  settings_.orientation = device_->Orientation();
  return true;
}

bool PrinterAccess::ShowPrinterProperties() {
  if (!device_ || !properties_hook_) return false;
  if (!properties_hook_(*device_)) {
    // A cancelled dialog leaves the device as the kept settings say.
    ApplySettings();
    return false;
  }
  RememberMedia();
  settings_.orientation = device_->Orientation();
  ApplySettings();
  return true;
}

void PrinterAccess::SetPaperOrientation(int value) {
  settings_.orientation = value;
  ApplySettings();
}

bool PrinterAccess::EndDocAndReset() {
  if (!device_) return false;
  const bool ended = device_->EndDoc();
  ApplySettings();
  return ended;
}

void PrinterAccess::KillDocAndReset() {
  if (!device_) return;
  device_->KillDoc();
  ApplySettings();
}

void KeepPortraitSilently(PrinterAccess& access) {
  if (access.GetPaperOrientation() != kPortrait) access.SetPaperOrientation(kPortrait);
}

void KeepPortraitAfterProperties(PrinterAccess& access) {
  if (access.GetPaperOrientation() == kPortrait) return;
  CurrentUi().MessageBox(kPortraitNotice, MsgButtons::Ok, MsgIcon::Information);
  access.SetPaperOrientation(kPortrait);
  if (access.GetPaperOrientation() != kPortrait) {
    CurrentUi().MessageBox(kPortraitRefused, MsgButtons::Ok, MsgIcon::Exclamation);
  }
}

void KeepDevicePortrait(PrinterDevice& device) {
  if (device.Orientation() == kPortrait) return;
  QString error;
  if (!device.SetOrientation(kPortrait, error)) {
    CurrentUi().MessageBox(error, MsgButtons::Ok, MsgIcon::Exclamation);
  }
}

}  // namespace tessaly
