// Layout and wiring of the printer row.
#include "ui/printer_row.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "print/printer_access.h"
#include "ui/control_name.h"
#include "ui/printer_properties_dialog.h"

namespace tessaly {

PrinterRow BuildPrinterRow(QWidget& owner, PrinterAccess& printers, std::function<void()> chosen,
                           std::function<void()> properties) {
  PrinterRow row;
  row.list = Named(new QComboBox(&owner), "cboPrinters");
  auto* button = Named(new QPushButton(QObject::tr("Printer Properties..."), &owner), "cmdPrinter");
  row.layout = new QHBoxLayout;
  row.layout->addWidget(new QLabel(QObject::tr("Current Printer:"), &owner));
  row.layout->addWidget(row.list, 1);
  row.layout->addWidget(button);
  InstallPrinterPropertiesHook(printers, &owner);
  QObject::connect(row.list, &QComboBox::currentIndexChanged, &owner,
                   [&printers, chosen = std::move(chosen)](int index) {
                     if (!printers.SelectPrinter(index + 1)) return;
                     KeepPortraitSilently(printers);
                     chosen();
                   });
  QObject::connect(button, &QPushButton::clicked, &owner, std::move(properties));
  return row;
}

}  // namespace tessaly
