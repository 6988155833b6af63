// Printer access: the list of printers (the system's queues in their order, then the
// built-in "Print to PDF" printer unless Options/PdfPrinter is "0"), the current
// printer's description and device, and the device settings the program keeps for
// the whole run (the paper orientation, 1 portrait, 2 landscape), applied again after
// every selection, properties dialog, ended or discarded document. The paper, media
// type, quality and paper source chosen in a printer's properties are remembered for that printer
// and chosen again whenever it is opened. Positions in the list are 1-based; 0 means
// "not listed". The portrait rule lives here too.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "print/printer_device.h"
#include "settings/settings_file.h"

namespace tessaly {

// The system's printers as the core sees them, without any printing library.
class PrinterCatalogue {
 public:
  virtual ~PrinterCatalogue() = default;
  // Descriptions of the installed printers in the system's order, each a name
  // followed by " on " and the printer's device or location.
  virtual QStringList Descriptions() const = 0;
  // Description of the system's default printer; "" when there is none.
  virtual QString DefaultDescription() const = 0;
  // A device printing on the printer of `description`; null when it cannot be opened.
  virtual std::unique_ptr<PrinterDevice> Open(const QString& description) = 0;
};

// The settings kept for the current printer across documents.
struct DeviceSettings {
  int orientation = 1;
};

// The description without its trailing port part: from the last " on " onwards,
// where that " on " starts after the first character. Unchanged when there is none.
QString PrinterDisplayName(const QString& description);
// Said when the properties of `printer` are asked for but its papers could not be
// read: nothing it offers would be honoured.
QString PapersNotReadText(const QString& printer);

class PrinterAccess {
 public:
  // The properties dialog of the current printer: changes the device and returns
  // true, or returns false when the user cancelled.
  using PropertiesHook = std::function<bool(PrinterDevice&)>;

  // `catalogue` (not owned) may be null: no system printers. The built-in printer's
  // switch and folder are read from `settings_file` on every listing and opening.
  explicit PrinterAccess(PrinterCatalogue* catalogue,
                         const QString& settings_file = SettingsFilePath());
  ~PrinterAccess();
  PrinterAccess(const PrinterAccess&) = delete;
  PrinterAccess& operator=(const PrinterAccess&) = delete;

  // Lists the printers. The first call (current name still empty) makes the system's
  // default printer current, or the first listed one when the system has none; a
  // printer already current stays current. `default_position` is the current
  // printer's position, 0 when it is not listed.
  void GetPrinterList(QStringList& descriptions, int& count, int& default_position);
  // True when the system names a default printer.
  bool SystemHasDefault() const;
  // Makes the printer at `position` of the last listing current, with its device's
  // own settings. False, changing nothing, when the position is not listed or the
  // device cannot be opened.
  bool SelectPrinter(int position);
  // Runs the installed properties hook on the current device; on true the device's
  // new settings are kept. False (settings unchanged) when cancelled, when no hook
  // is installed or when there is no current device.
  bool ShowPrinterProperties();
  void SetPropertiesHook(PropertiesHook hook) { properties_hook_ = std::move(hook); }

  // Sets the kept orientation and applies it to the device. A device that refuses
  // the value keeps its own orientation, and so do the kept settings.
  void SetPaperOrientation(int value);
  int GetPaperOrientation() const { return settings_.orientation; }

  // Hands the open document to the device's destination, then applies the kept
  // settings again. False when the device reported a failure.
  bool EndDocAndReset();
  // Drops the open document, then applies the kept settings again.
  void KillDocAndReset();

  const QString& CurrentPrinterName() const { return current_name_; }
  // The current device; null before the first listing or when none could be opened.
  PrinterDevice* Device() { return device_.get(); }

 private:
  // The built-in printer is listed unless Options/PdfPrinter is "0".
  bool PdfPrinterListed() const;
  std::unique_ptr<PrinterDevice> OpenDevice(const QString& description);
  void ApplySettings();
  // The current printer's remembered media, where it still lists them; and the
  // remembering of what it uses now.
  void ApplyRememberedMedia();
  void RememberMedia();

  PrinterCatalogue* catalogue_;
  QString settings_file_;
  QStringList descriptions_;
  QString current_name_;
  std::unique_ptr<PrinterDevice> device_;
  DeviceSettings settings_;
  PropertiesHook properties_hook_;
};

// The portrait rule, which the page layout and the renderer rely on.
// After a printer or a photo size is chosen: portrait, silently.
void KeepPortraitSilently(PrinterAccess& access);
// After the user's properties dialog: portrait, telling the user, and telling again
// when the printer would not take it.
void KeepPortraitAfterProperties(PrinterAccess& access);
// Before the paper is read for a layout: the device itself turned to portrait; a
// refusal is shown with its own description and the caller goes on.
void KeepDevicePortrait(PrinterDevice& device);

}  // namespace tessaly
