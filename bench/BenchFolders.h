#pragma once

#include <QString>

namespace tarn::bench {

// The maximal and the tiny folder, written once per run into a temporary folder.
const QString& maximalFolder();
const QString& tinyFolder();

} // namespace tarn::bench
