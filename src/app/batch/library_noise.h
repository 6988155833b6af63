// Keeping library noise off the batch command's terminal: warnings that Qt's image
// plugins (libjpeg, libpng, libtiff behind them), its ICC profile parsing and
// QStandardPaths log are about files and an environment the command already
// reports on in its own words, so they are dropped. Critical and fatal messages,
// and every other message, still reach standard error.
#pragma once

namespace tessaly::batch {

// Installs the filtering message handler for the rest of the process.
void FilterLibraryNoise();

}  // namespace tessaly::batch
