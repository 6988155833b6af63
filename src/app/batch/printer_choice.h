// The printer a command works on: the printer list as the job settings dialog fills
// it (the system's queues, then the built-in "Print to PDF"), and --printer NAME,
// which names a listed printer by its description, its display name (a queue's name)
// or "Print to PDF". Without the option the system's default printer is used; a
// system without one either gets the first listed printer, said on standard error,
// or is refused. The chosen printer is kept in portrait, silently. --paper,
// --media-type, --quality and --media-source pick from the printer's own lists by the names
// 'tessaly-batch printers --papers' shows (or the printer's keywords).
#pragma once

#include <QCommandLineParser>
#include <QString>

#include "print/printer_access.h"

namespace tessaly::batch {

// --printer, --paper, --media-type, --quality and --media-source.
void AddPrinterOption(QCommandLineParser& parser);
// The help lines of --paper, --media-type, --quality and --media-source.
inline constexpr char kMediaOptionsHelp[] =
    "  --paper NAME         the printer's paper, as 'tessaly-batch printers --papers\n"
    "                       QUEUE' names it, or by its size (\"4 x 6 in\", \"4 x 6 in\n"
    "                       borderless\", \"A4 (210 x 297 mm)\") or keyword (default:\n"
    "                       the queue's own default); a borderless entry prints to\n"
    "                       the sheet's edges\n"
    "  --media-type NAME    the printer's media type (default: the printer's)\n"
    "  --quality NAME       the printer's print quality (default: the printer's)\n"
    "  --media-source NAME  the printer's paper source (default: the printer's)\n";

// Makes the listed printer `name` names current (`option` names it in the usage
// error); `descriptions` and `current` are the access's last listing.
int SelectNamedPrinter(const QString& command, const QString& option, const QString& name,
                       const QStringList& descriptions, int current, PrinterAccess& access);

// What a command given no --printer does when the system has no default printer.
enum class WithoutDefault { kUseFirstListed, kRefuse };

// Lists the printers and makes the --printer one current. kExitOk with a device open;
// kExitNoPrinter when nothing is listed or the printer's device cannot be opened (the
// caller reports it), and for kRefuse without --printer and a system default, after
// naming the listed printers on standard error; kExitBadInput after the usage error
// for a printer, paper, type or quality not listed (naming the choices).
int ChoosePrinter(const QCommandLineParser& parser, const QString& command, PrinterAccess& access,
                  WithoutDefault rule);

}  // namespace tessaly::batch
