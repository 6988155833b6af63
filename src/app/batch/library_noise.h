// Keeping library noise off the batch command's terminal: warnings that Qt's image
// plugins (libjpeg, libpng, libtiff behind them), its ICC profile parsing and
// QStandardPaths log are about files and an environment the command already
// reports on in its own words, so they are dropped. Critical and fatal messages,
// and every other message, still reach standard error.
#pragma once

#include <QtGlobal>

namespace tessaly::batch {

// True for a message the batch command drops.
bool IsLibraryNoise(QtMsgType type, const char* category, const QString& message);

// Installs the filtering message handler for the rest of the process.
void FilterLibraryNoise();

}  // namespace tessaly::batch
