#pragma once

#include <QString>

namespace tarn {

// The program's own places, outside every configuration folder (the unit reads those): each
// is shared by the editor and tarnctl, whatever name either runs under.
QString userDataFolder();    // $XDG_DATA_HOME/tarnconfig, kept versions
QString userStateFolder();   // $XDG_STATE_HOME/tarnconfig, unsaved edits
QString userRuntimeFolder(); // $XDG_RUNTIME_DIR/tarnconfig, which editor has which folder open

// A configuration folder's own name in those places: a digest of its canonical path, so that
// every spelling of one folder (links, "..", a trailing separator) meets the same records.
QString canonicalFolder(const QString& folder);
QString folderKey(const QString& folder);

} // namespace tarn
