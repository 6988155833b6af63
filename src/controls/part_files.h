// Hidden part files: the temporary files that NewFile writes before it names them are
// ".tessaly-<pid>-<16 hex digits>.part", with the writer's process id in the name. A
// run that was killed leaves its parts behind; the next time the program starts a
// file in that folder it removes the stale ones there, once per folder and run. Only
// regular files owned by this user are removed, and only when the name has exactly
// that shape and no process with that id is alive (a live process that took the id
// over keeps the part until a later run finds it gone). The parts of earlier versions,
// ".tessaly-<1 to 16 hex digits>.part", carry no id and are removed once they are an
// hour old: no write of one file keeps a part that long.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tessaly {

// A new part name of this process.
QByteArray NewPartName();

// Removes the stale parts of the open folder `folder_fd` unless this run has already
// cleaned that folder.
void RemoveStaleParts(int folder_fd);

}  // namespace tessaly
