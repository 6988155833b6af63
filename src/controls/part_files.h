// Part files: NewFile's hidden temporary files, ".tessaly-<pid>-<16 hex digits>.part".
// A part is stale when this user's regular file carries the id of no live process (a
// reused id keeps it until a later run), or, for an earlier version's part without an
// id (".tessaly-<hex>.part"), when it is an hour old: no write keeps a part that long.
// Starting a file in a folder removes its stale parts, once per folder and run; names
// of any other shape, other users' files, folders and links are never touched.
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
