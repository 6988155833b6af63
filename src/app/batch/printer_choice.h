// The printer a command works on: the printer list as the job settings dialog fills
// it (the system's queues, then the built-in "Print to PDF"), and --printer NAME,
// which names a listed printer by its description, its display name (a queue's name)
// or "Print to PDF". Without the option the current printer — the system's default,
// else the first listed — stays. The chosen printer is kept in portrait, silently.
#pragma once

#include <QCommandLineParser>
#include <QString>

#include "print/printer_access.h"

namespace tessaly::batch {

void AddPrinterOption(QCommandLineParser& parser);

// Lists the printers and makes the --printer one current. kExitOk with a device open;
// kExitNoPrinter when nothing is listed or the printer's device cannot be opened (the
// caller reports it); kExitBadInput after the usage error for a name not listed.
int ChoosePrinter(const QCommandLineParser& parser, const QString& command, PrinterAccess& access);

}  // namespace tessaly::batch
