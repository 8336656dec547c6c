#pragma once

#include <QString>

namespace tarn::cli {

// A path as tarnctl prints it: control characters, which a terminal would act on, written as
// escapes ("\n", "\t", "\x1b"); everything else as it is.
QString printablePath(const QString& path);

} // namespace tarn::cli
