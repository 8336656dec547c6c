#pragma once

#include <QStringList>

namespace tarn::cli {

// Each command takes the words after its name and returns the exit status.
int runControls(const QStringList& words);
int runShow(const QStringList& words);
int runExport(const QStringList& words);
int runImport(const QStringList& words);
int runCheck(const QStringList& words);
int runDiff(const QStringList& words);
int runHistory(const QStringList& words);
int runRestore(const QStringList& words);
int runReport(const QStringList& words);

} // namespace tarn::cli
