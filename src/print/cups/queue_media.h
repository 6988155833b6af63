// What a CUPS queue offers, read through the destination API: its papers with their
// margins (borderless entries included), its default paper, media types, paper
// sources and print qualities with the names the queue gives them (or names made from their
// keywords), its resolutions, and a job's media attributes built from a choice among them.
#pragma once

#include <cups/cups.h>

#include <QString>

#include "print/printer_paper.h"

namespace tessaly {

// Empty lists when the queue is unknown or does not answer on `http`.
PrinterMedia ReadQueueMedia(http_t* http, const QString& queue);

// Adds to a Print-Job request what the paper, type and quality of `chosen` are:
// "media-col" (size, the four margins — all 0 on a borderless entry —, type, source),
// and "print-quality". Nothing for a position not listed.
void AddMediaAttributes(ipp_t* request, const PrinterMedia& media, const MediaChosen& chosen);

}  // namespace tessaly
